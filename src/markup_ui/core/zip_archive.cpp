#include "zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace markup {
namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;

uint16_t Le16(const std::string& d, size_t at) {
    return uint16_t(uint8_t(d[at]) | (uint8_t(d[at + 1]) << 8));
}
uint32_t Le32(const std::string& d, size_t at) {
    return uint32_t(Le16(d, at)) | (uint32_t(Le16(d, at + 2)) << 16);
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

bool Inflate(const char* src, size_t srcLen, size_t outLen, std::string& out) {
    out.assign(outLen, '\0');
    z_stream zs = {};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(src));
    zs.avail_in = uInt(srcLen);
    // One spare byte tells a stream that is longer than it claims.
    std::string spare(1, '\0');
    zs.next_out = outLen ? reinterpret_cast<Bytef*>(&out[0]) : reinterpret_cast<Bytef*>(&spare[0]);
    zs.avail_out = outLen ? uInt(outLen) : 1;
    int rc = inflate(&zs, Z_FINISH);
    if (rc == Z_BUF_ERROR && zs.avail_out == 0 && outLen) {
        // Output full: the stream must end right here.
        zs.next_out = reinterpret_cast<Bytef*>(&spare[0]);
        zs.avail_out = 1;
        rc = inflate(&zs, Z_FINISH);
    }
    const bool ok = rc == Z_STREAM_END && zs.total_out == outLen;
    inflateEnd(&zs);
    return ok;
}

}  // namespace

std::string ZipArchive::NormaliseName(const std::string& name) {
    if (name.empty() || name.size() > 1024) return {};
    std::string n = name;
    std::replace(n.begin(), n.end(), '\\', '/');
    if (n[0] == '/' || n.find(':') != std::string::npos) return {};
    if (n.find('\0') != std::string::npos) return {};
    std::string result;
    size_t start = 0;
    while (start <= n.size()) {
        size_t end = n.find('/', start);
        if (end == std::string::npos) end = n.size();
        const std::string part = n.substr(start, end - start);
        if (part == "..") return {};
        if (!part.empty() && part != ".") {
            if (!result.empty()) result += '/';
            result += part;
        }
        start = end + 1;
    }
    return result;
}

bool ZipArchive::Open(std::string bytes) {
    m_open = false;
    m_entries.clear();
    m_data.clear();
    if (bytes.size() < kEndSize || bytes.size() > kMaxArchiveBytes) return false;
    m_data = std::move(bytes);
    const std::string& d = m_data;

    // The end record sits in the last 22 bytes plus at most a 65,535-byte comment.
    size_t endPos = std::string::npos;
    const size_t lowest = d.size() > kEndSize + 0xFFFF ? d.size() - kEndSize - 0xFFFF : 0;
    for (size_t p = d.size() - kEndSize + 1; p-- > lowest;) {
        if (Le32(d, p) == kEndSignature) {
            endPos = p;
            break;
        }
    }
    if (endPos == std::string::npos) return false;
    const size_t count = Le16(d, endPos + 10);
    const size_t dirSize = Le32(d, endPos + 12);
    const size_t dirOffset = Le32(d, endPos + 16);
    if (dirOffset > endPos || dirSize > endPos - dirOffset) return false;
    if (count > kMaxEntries || count > dirSize / kCentralSize) return false;

    m_entries.reserve(count);
    size_t p = dirOffset;
    const size_t dirEnd = dirOffset + dirSize;
    for (size_t i = 0; i < count; ++i) {
        if (dirEnd - p < kCentralSize || Le32(d, p) != kCentralSignature) return false;
        Entry e;
        e.flags = Le16(d, p + 8);
        e.method = Le16(d, p + 10);
        e.crc = Le32(d, p + 16);
        e.packedSize = Le32(d, p + 20);
        e.size = Le32(d, p + 24);
        const size_t nameLen = Le16(d, p + 28);
        const size_t extraLen = Le16(d, p + 30);
        const size_t commentLen = Le16(d, p + 32);
        e.localOffset = Le32(d, p + 42);
        const size_t recordLen = kCentralSize + nameLen + extraLen + commentLen;
        if (dirEnd - p < recordLen) return false;
        const std::string name = d.substr(p + kCentralSize, nameLen);
        p += recordLen;
        // Unsafe names and folders stay in the archive but can never be read.
        e.key = Lower(NormaliseName(name));
        if (e.key.empty() || name.back() == '/') continue;
        m_entries.push_back(std::move(e));
    }
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    m_open = true;
    return true;
}

const ZipArchive::Entry* ZipArchive::FindEntry(const std::string& name) const {
    const std::string key = Lower(NormaliseName(name));
    if (key.empty()) return nullptr;
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                               [](const Entry& e, const std::string& k) { return e.key < k; });
    return it != m_entries.end() && it->key == key ? &*it : nullptr;
}

bool ZipArchive::Contains(const std::string& name) const { return FindEntry(name) != nullptr; }

bool ZipArchive::Read(const std::string& name, std::string& out) const {
    out.clear();
    const Entry* e = FindEntry(name);
    if (!e) return false;
    if (e->flags & 1) return false;  // encrypted
    if (e->size > kMaxEntryBytes || e->packedSize > m_data.size()) return false;
    const std::string& d = m_data;
    const size_t local = e->localOffset;
    if (local > d.size() || d.size() - local < kLocalSize || Le32(d, local) != kLocalSignature)
        return false;
    const size_t dataStart = local + kLocalSize + Le16(d, local + 26) + Le16(d, local + 28);
    if (dataStart > d.size() || d.size() - dataStart < e->packedSize) return false;
    const char* src = d.data() + dataStart;
    if (e->method == 0) {
        if (e->packedSize != e->size) return false;
        out.assign(src, e->size);
    } else if (e->method == 8) {
        if (!Inflate(src, e->packedSize, e->size, out)) {
            out.clear();
            return false;
        }
    } else {
        return false;
    }
    const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(out.data()), uInt(out.size()));
    if (uint32_t(crc) != e->crc) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace markup
