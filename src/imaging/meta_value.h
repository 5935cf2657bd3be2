#pragma once
// A typed metadata value as the imaging component's query reader hands it out, and the query
// interface both the system reader and our own EXIF reader answer. No platform headers.
#include <cstdint>
#include <string>
#include <vector>

enum class MetaType {
    Empty,
    UI1, UI2, UI4, UI8,  // UI8 rationals carry the numerator in the low 32 bits
    I1, I2, I4, I8,
    R4, R8,
    AnsiString,  // narrow text in the system's ANSI code page
    WideString,
    Blob,
    Other,
};

struct MetaValue {
    MetaType type = MetaType::Empty;
    bool vector = false;          // a vector of `type` (strings included)
    std::vector<uint64_t> ints;   // integer payloads, signed ones sign-extended
    std::vector<double> reals;    // R4/R8 payloads
    std::vector<std::string> texts;  // AnsiString payloads (one unless vector)
    std::wstring wide;            // WideString payload
    std::vector<uint8_t> blob;

    bool IsScalar(MetaType t) const { return type == t && !vector && ints.size() == 1; }
};

enum class MetaDir { Ifd0, Exif, Gps };

class IMetadataSource {
public:
    virtual ~IMetadataSource() = default;
    // False when the tag is absent or cannot be read.
    virtual bool Query(MetaDir dir, uint16_t tag, MetaValue& value) = 0;
};
