#include "exif_reader.h"

#include <algorithm>
#include <cstring>

namespace {
const uint16_t kExifPointer = 34665;
const uint16_t kGpsPointer = 34853;

size_t TypeSize(uint16_t type) {
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: case 13: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
    }
}
}  // namespace

bool FindExifSegment(const uint8_t* data, size_t size, size_t& offset, size_t& length) {
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
    size_t pos = 2;
    while (pos + 4 <= size) {
        if (data[pos] != 0xFF) return false;
        const uint8_t marker = data[pos + 1];
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        // Markers without a length.
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return false;  // scan or end: no more headers
        const size_t segLen = (size_t(data[pos + 2]) << 8) | data[pos + 3];
        if (segLen < 2 || pos + 2 + segLen > size) return false;
        const uint8_t* payload = data + pos + 4;
        const size_t payloadLen = segLen - 2;
        if (marker == 0xE1 && payloadLen >= 6 && std::memcmp(payload, "Exif\0\0", 6) == 0) {
            offset = pos + 4 + 6;
            length = payloadLen - 6;
            return true;
        }
        pos += 2 + segLen;
    }
    return false;
}

uint16_t CExifReader::U16(const uint8_t* d, size_t p) const {
    return m_bigEndian ? uint16_t((d[p] << 8) | d[p + 1]) : uint16_t(d[p] | (d[p + 1] << 8));
}

uint32_t CExifReader::U32(const uint8_t* d, size_t p) const {
    return m_bigEndian ? (uint32_t(d[p]) << 24) | (uint32_t(d[p + 1]) << 16) |
                             (uint32_t(d[p + 2]) << 8) | d[p + 3]
                       : uint32_t(d[p]) | (uint32_t(d[p + 1]) << 8) | (uint32_t(d[p + 2]) << 16) |
                             (uint32_t(d[p + 3]) << 24);
}

bool CExifReader::ParseJpeg(const uint8_t* data, size_t size) {
    size_t off = 0, len = 0;
    if (!FindExifSegment(data, size, off, len)) return false;
    return ParseTiff(data + off, len);
}

bool CExifReader::ParseTiff(const uint8_t* data, size_t size) {
    m_values.clear();
    m_visited.clear();
    if (!data || size < 8) return false;
    if (data[0] == 'I' && data[1] == 'I') m_bigEndian = false;
    else if (data[0] == 'M' && data[1] == 'M') m_bigEndian = true;
    else return false;
    if (U16(data, 2) != 42) return false;
    ReadDir(data, size, U32(data, 4), MetaDir::Ifd0, 0);
    return true;
}

void CExifReader::ReadDir(const uint8_t* data, size_t size, uint32_t offset, MetaDir dir,
                          int depth) {
    // Each directory is read once: pointer loops end here.
    if (depth > 2 || std::find(m_visited.begin(), m_visited.end(), offset) != m_visited.end())
        return;
    m_visited.push_back(offset);
    auto u16 = [&](size_t p) { return U16(data, p); };
    auto u32 = [&](size_t p) { return U32(data, p); };
    if (size < 2 || offset > size - 2) return;
    const size_t count = std::min<size_t>(u16(offset), kMaxEntriesPerDir);
    const size_t first = size_t(offset) + 2;
    for (size_t i = 0; i < count; ++i) {
        const size_t e = first + i * 12;
        if (e + 12 > size) break;
        const uint16_t tag = u16(e);
        const uint16_t type = u16(e + 2);
        const uint32_t n = u32(e + 4);
        const size_t unit = TypeSize(type);
        if (unit == 0 || n == 0) continue;
        const uint64_t bytes = uint64_t(unit) * n;
        if (bytes > kMaxValueBytes) continue;
        size_t at = e + 8;
        if (bytes > 4) {
            const uint32_t ptr = u32(e + 8);
            if (ptr > size || bytes > size - ptr) continue;
            at = ptr;
        }
        if ((tag == kExifPointer || tag == kGpsPointer) && dir == MetaDir::Ifd0 &&
            (type == 4 || type == 13) && n == 1) {
            ReadDir(data, size, u32(at), tag == kExifPointer ? MetaDir::Exif : MetaDir::Gps,
                    depth + 1);
            continue;
        }
        MetaValue v;
        v.vector = n > 1;
        switch (type) {
        case 2: {  // ASCII: one string up to the first zero
            const char* s = reinterpret_cast<const char*>(data + at);
            size_t len = 0;
            while (len < n && s[len] != 0) ++len;
            v.type = MetaType::AnsiString;
            v.vector = false;
            v.texts.emplace_back(s, len);
            break;
        }
        case 7:
            v.type = MetaType::Blob;
            v.vector = false;
            v.blob.assign(data + at, data + at + n);
            break;
        case 1: case 6:
            v.type = type == 1 ? MetaType::UI1 : MetaType::I1;
            for (uint32_t k = 0; k < n; ++k)
                v.ints.push_back(type == 1 ? uint64_t(data[at + k])
                                           : uint64_t(int64_t(int8_t(data[at + k]))));
            break;
        case 3: case 8:
            v.type = type == 3 ? MetaType::UI2 : MetaType::I2;
            for (uint32_t k = 0; k < n; ++k) {
                const uint16_t x = u16(at + 2 * k);
                v.ints.push_back(type == 3 ? uint64_t(x) : uint64_t(int64_t(int16_t(x))));
            }
            break;
        case 4: case 9:
            v.type = type == 4 ? MetaType::UI4 : MetaType::I4;
            for (uint32_t k = 0; k < n; ++k) {
                const uint32_t x = u32(at + 4 * k);
                v.ints.push_back(type == 4 ? uint64_t(x) : uint64_t(int64_t(int32_t(x))));
            }
            break;
        case 5: case 10:
            // Rationals as one 64-bit value: numerator low, denominator high.
            v.type = type == 5 ? MetaType::UI8 : MetaType::I8;
            for (uint32_t k = 0; k < n; ++k)
                v.ints.push_back(uint64_t(u32(at + 8 * k)) |
                                 (uint64_t(u32(at + 8 * k + 4)) << 32));
            break;
        case 11:
            v.type = MetaType::R4;
            for (uint32_t k = 0; k < n; ++k) {
                const uint32_t x = u32(at + 4 * k);
                float f;
                std::memcpy(&f, &x, 4);
                v.reals.push_back(f);
            }
            break;
        case 12:
            v.type = MetaType::R8;
            for (uint32_t k = 0; k < n; ++k) {
                const uint64_t x = (uint64_t(u32(at + 8 * k + (m_bigEndian ? 0 : 4))) << 32) |
                                   u32(at + 8 * k + (m_bigEndian ? 4 : 0));
                double d;
                std::memcpy(&d, &x, 8);
                v.reals.push_back(d);
            }
            break;
        }
        if (v.type != MetaType::Empty) m_values[{int(dir), tag}] = std::move(v);
    }
}

bool CExifReader::Query(MetaDir dir, uint16_t tag, MetaValue& value) {
    auto it = m_values.find({int(dir), tag});
    if (it == m_values.end()) return false;
    value = it->second;
    return true;
}
