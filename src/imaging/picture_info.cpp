#include "picture_info.h"

#include <cmath>
#include <cstdio>
#include <cwchar>

#include "text_util.h"

namespace {
std::wstring Printf(const wchar_t* format, double value) {
    wchar_t buf[64];
    std::swprintf(buf, 64, format, value);
    return buf;
}

void ReadText(IMetadataSource& src, MetaDir dir, uint16_t tag, const AnsiToWideFn& conv,
              std::wstring& field) {
    MetaValue v;
    if (!src.Query(dir, tag, v)) return;  // a failed query keeps the previous value
    MetaValueToText(v, conv, field);
}

void ReadCode(IMetadataSource& src, MetaDir dir, uint16_t tag, std::wstring& field) {
    MetaValue v;
    if (src.Query(dir, tag, v) && v.IsScalar(MetaType::UI2))
        field = std::to_wstring(unsigned(v.ints[0] & 0xFFFF));
}

void ReadRational(IMetadataSource& src, MetaDir dir, uint16_t tag, std::wstring& field) {
    MetaValue v;
    if (src.Query(dir, tag, v)) field = FormatRational(v);
}
}  // namespace

bool MetaValueToText(const MetaValue& v, const AnsiToWideFn& ansiToWide, std::wstring& text) {
    if (v.type == MetaType::AnsiString && !v.texts.empty()) {
        // A vector gives its first element; an empty vector gives nothing.
        text = ansiToWide ? ansiToWide(v.texts.front()) : textutil::Utf8ToWide(v.texts.front());
    } else if (v.type == MetaType::WideString && !v.vector) {
        text = v.wide;
    } else {
        text.clear();
    }
    return true;
}

std::wstring FormatRational(const MetaValue& v) {
    float value = 0.0f;
    if (v.IsScalar(MetaType::UI8)) {
        const uint32_t num = uint32_t(v.ints[0]);
        const uint32_t den = uint32_t(v.ints[0] >> 32);
        if (den != 0) value = float(num) / float(den);
    }
    return Printf(L"%.1f", value);
}

std::wstring GpsCoordinate(IMetadataSource& source, uint16_t valueTag, uint16_t refTag,
                           const wchar_t* negativeLetter, const AnsiToWideFn& ansiToWide) {
    MetaValue v;
    if (!source.Query(MetaDir::Gps, valueTag, v)) return std::wstring();
    float coord = 0.0f;
    if (v.type == MetaType::UI8 && v.vector && v.ints.size() > 2) {
        const uint32_t dn = uint32_t(v.ints[0] >> 32), mn = uint32_t(v.ints[1] >> 32),
                       sn = uint32_t(v.ints[2] >> 32);
        if (dn != 0 && mn != 0 && sn != 0) {
            const float deg = float(uint32_t(v.ints[0])) / float(dn);
            const float min = float(uint32_t(v.ints[1])) / float(mn);
            const float sec = float(uint32_t(v.ints[2])) / float(sn);
            coord = min / 60.0f + deg + sec / 3600.0f;
        }
    }
    MetaValue ref;
    if (source.Query(MetaDir::Gps, refTag, ref)) {
        std::wstring letter;
        MetaValueToText(ref, ansiToWide, letter);
        if (textutil::EqualsNoCase(letter, negativeLetter)) coord = -coord;
    }
    return Printf(L"%f", coord);
}

int RoundResolution(double dpi) {
    if (!(dpi > 0.0) || dpi > 1e9) return 0;  // NaN, negative or absurd values
    return int(dpi + 0.5);
}

void FillPictureInfo(CPictureInfo& info, IMetadataSource& src, const AnsiToWideFn& conv) {
    ReadText(src, MetaDir::Exif, 36867, conv, info.dateTaken);

    MetaValue o;
    if (src.Query(MetaDir::Ifd0, 274, o)) {
        // Any integer type is accepted; values outside 1-8 mean no orientation.
        const bool integral = !o.ints.empty() && o.type != MetaType::UI8 && o.type != MetaType::I8;
        const uint64_t value = integral ? (o.ints[0] & 0xFFFF) : 0;
        info.orientation = value >= 1 && value <= 8 ? int32_t(value) : 0;
    }

    const std::wstring lat = GpsCoordinate(src, 2, 1, L"S", conv);
    if (!lat.empty()) {
        const std::wstring lon = GpsCoordinate(src, 4, 3, L"W", conv);
        if (!lon.empty()) info.gpsPosition = lat + L"," + lon;
    }

    ReadText(src, MetaDir::Ifd0, 271, conv, info.make);
    ReadText(src, MetaDir::Ifd0, 272, conv, info.model);
    ReadText(src, MetaDir::Exif, 42036, conv, info.lensModel);
    ReadRational(src, MetaDir::Exif, 33437, info.fNumber);
    ReadRational(src, MetaDir::Exif, 37381, info.maxAperture);
    MetaValue exposure;
    if (src.Query(MetaDir::Exif, 33434, exposure) && exposure.IsScalar(MetaType::UI8)) {
        info.exposureTime = std::to_wstring(uint32_t(exposure.ints[0])) + L"/" +
                            std::to_wstring(uint32_t(exposure.ints[0] >> 32));
    }
    ReadCode(src, MetaDir::Exif, 34855, info.isoSpeed);
    ReadRational(src, MetaDir::Exif, 37386, info.focalLength);
    ReadCode(src, MetaDir::Exif, 37383, info.meteringMode);
    ReadCode(src, MetaDir::Exif, 37385, info.flash);
    ReadCode(src, MetaDir::Exif, 41987, info.whiteBalance);
    ReadCode(src, MetaDir::Exif, 34850, info.exposureProgram);
}
