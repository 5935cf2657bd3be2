#pragma once
// Our own reader of the EXIF block of a JPEG (its APP1 segment) for systems whose imaging
// component reads no JPEG metadata. Every offset and count comes from the file and is checked.
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>

#include "meta_value.h"

// Finds the payload of the first "Exif\0\0" APP1 segment in the bytes of a JPEG file (only the
// prefix up to the first scan is needed). Returns false when there is none.
bool FindExifSegment(const uint8_t* data, size_t size, size_t& offset, size_t& length);

class CExifReader : public IMetadataSource {
public:
    // Values larger than this are dropped; keeps a hostile count from costing memory.
    static constexpr size_t kMaxValueBytes = 1 << 20;
    static constexpr size_t kMaxEntriesPerDir = 4096;

    // Parses a TIFF structure (the APP1 payload after "Exif\0\0"). False when the header is bad.
    bool ParseTiff(const uint8_t* data, size_t size);
    // Parses the EXIF segment of a JPEG file prefix.
    bool ParseJpeg(const uint8_t* data, size_t size);

    bool Query(MetaDir dir, uint16_t tag, MetaValue& value) override;
    bool Empty() const { return m_values.empty(); }

private:
    uint16_t U16(const uint8_t* data, size_t pos) const;
    uint32_t U32(const uint8_t* data, size_t pos) const;
    void ReadDir(const uint8_t* data, size_t size, uint32_t offset, MetaDir dir, int depth);

    std::map<std::pair<int, uint16_t>, MetaValue> m_values;
    bool m_bigEndian = false;
    std::vector<uint32_t> m_visited;
};
