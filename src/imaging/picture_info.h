#pragma once
// The information record of a picture, texts ready for display, and the rules that fill it from
// typed metadata values. No platform headers.
#include <cstdint>
#include <functional>
#include <string>

#include "meta_value.h"

struct CPictureInfo {
    std::wstring dateTaken;
    int32_t orientation = 0;
    std::wstring gpsPosition;
    int32_t resolution = 0;
    std::wstring make;
    std::wstring model;
    std::wstring lensModel;
    std::wstring fNumber;
    std::wstring maxAperture;
    std::wstring exposureTime;
    std::wstring isoSpeed;
    std::wstring focalLength;
    std::wstring meteringMode;
    std::wstring flash;
    std::wstring whiteBalance;
    std::wstring exposureProgram;
};

using AnsiToWideFn = std::function<std::wstring(const std::string&)>;

// Fills every metadata field of the record from the source (the resolution is not metadata).
void FillPictureInfo(CPictureInfo& info, IMetadataSource& source, const AnsiToWideFn& ansiToWide);

// Field rules, exposed for the tests.
bool MetaValueToText(const MetaValue& v, const AnsiToWideFn& ansiToWide, std::wstring& text);
std::wstring FormatRational(const MetaValue& v);  // "%.1f", "0.0" for anything unusable
std::wstring GpsCoordinate(IMetadataSource& source, uint16_t valueTag, uint16_t refTag,
                           const wchar_t* negativeLetter, const AnsiToWideFn& ansiToWide);
int RoundResolution(double dpi);
