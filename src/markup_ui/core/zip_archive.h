#pragma once
// Read-only zip archive over an in-memory copy: stored and deflated entries only.
// Every offset, count and size read from the archive is checked before use.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace markup {

class ZipArchive {
public:
    // Limits that keep a hostile archive from costing unbounded memory or time.
    static constexpr size_t kMaxArchiveBytes = 256u * 1024 * 1024;
    static constexpr size_t kMaxEntries = 20000;
    static constexpr uint32_t kMaxEntryBytes = 64u * 1024 * 1024;

    // Takes the archive bytes; false when they are no readable zip archive.
    bool Open(std::string bytes);
    bool IsOpen() const { return m_open; }
    size_t EntryCount() const { return m_entries.size(); }
    // Names compare case-insensitively with '/' and '\' alike, as paths do on Windows.
    bool Contains(const std::string& name) const;
    // Inflated contents of the entry; false when missing, unsafe, too large or corrupt.
    bool Read(const std::string& name, std::string& out) const;

    // "images/a.png" from "Images\\a.png"; empty when the name is absolute or leaves the
    // archive (".." parts, drive letters).
    static std::string NormaliseName(const std::string& name);

private:
    struct Entry {
        std::string key;  // normalised, lower case
        uint16_t flags = 0;
        uint16_t method = 0;
        uint32_t crc = 0;
        uint32_t packedSize = 0;
        uint32_t size = 0;
        uint32_t localOffset = 0;
    };
    const Entry* FindEntry(const std::string& name) const;

    std::string m_data;
    std::vector<Entry> m_entries;
    bool m_open = false;
};

}  // namespace markup
