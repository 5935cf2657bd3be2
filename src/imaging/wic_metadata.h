#pragma once
// Fills a picture's information record from its frame's metadata.
#include <wincodec.h>

#include <string>

#include "meta_value.h"
#include "picture_info.h"

// Turns a query reader's value into a typed value; false for types we do not carry.
bool PropVariantToMetaValue(const PROPVARIANT& pv, MetaValue& value);
std::wstring AnsiToWide(const std::string& text);

// When the frame is a JPEG whose system reader yields nothing, our own EXIF reader reads the
// APP1 segment of filePath instead.
void ReadPictureInfo(CPictureInfo& info, IWICBitmapFrameDecode* frame, const std::wstring& filePath,
                     bool isJpeg);
