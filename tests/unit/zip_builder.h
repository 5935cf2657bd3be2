#pragma once
// Writes small zip archives for tests, with knobs to break them in chosen ways.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testzip {

struct Item {
    std::string name;
    std::string data;
    bool deflate = true;
    // Overrides of what the central directory claims (0 keeps the true value).
    uint32_t claimedSize = 0;
    uint32_t claimedCrc = 0;
    bool encrypted = false;
};

inline void Put16(std::string& s, uint32_t v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

inline std::string Deflate(const std::string& in) {
    z_stream zs = {};
    deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zs, uLong(in.size())) + 16, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    zs.avail_in = uInt(in.size());
    zs.next_out = reinterpret_cast<Bytef*>(&out[0]);
    zs.avail_out = uInt(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

// entryCountOverride replaces the count in the end record when not negative.
inline std::string Build(const std::vector<Item>& items, long entryCountOverride = -1) {
    std::string body, dir;
    for (const Item& it : items) {
        const std::string packed = it.deflate ? Deflate(it.data) : it.data;
        const uint32_t crc = it.claimedCrc ? it.claimedCrc
                                           : uint32_t(crc32(0, reinterpret_cast<const Bytef*>(it.data.data()), uInt(it.data.size())));
        const uint32_t size = it.claimedSize ? it.claimedSize : uint32_t(it.data.size());
        const uint32_t offset = uint32_t(body.size());
        const uint16_t method = it.deflate ? 8 : 0;
        const uint16_t flags = it.encrypted ? 1 : 0;
        Put32(body, 0x04034b50);
        Put16(body, 20); Put16(body, flags); Put16(body, method); Put32(body, 0);
        Put32(body, crc); Put32(body, uint32_t(packed.size())); Put32(body, size);
        Put16(body, uint32_t(it.name.size())); Put16(body, 0);
        body += it.name;
        body += packed;
        Put32(dir, 0x02014b50);
        Put16(dir, 20); Put16(dir, 20); Put16(dir, flags); Put16(dir, method); Put32(dir, 0);
        Put32(dir, crc); Put32(dir, uint32_t(packed.size())); Put32(dir, size);
        Put16(dir, uint32_t(it.name.size())); Put16(dir, 0); Put16(dir, 0);
        Put16(dir, 0); Put16(dir, 0); Put32(dir, 0); Put32(dir, offset);
        dir += it.name;
    }
    std::string out = body + dir;
    const uint32_t count = entryCountOverride >= 0 ? uint32_t(entryCountOverride) : uint32_t(items.size());
    Put32(out, 0x06054b50);
    Put16(out, 0); Put16(out, 0);
    Put16(out, count); Put16(out, count);
    Put32(out, uint32_t(dir.size())); Put32(out, uint32_t(body.size()));
    Put16(out, 0);
    return out;
}

}  // namespace testzip
