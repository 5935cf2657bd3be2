#pragma once
// Our own resampler for 4-channel 8-bit pixels (premultiplied alpha, so channels may be averaged
// independently): area averaging on an axis that shrinks, bilinear on one that grows.
#include <cstddef>
#include <cstdint>
#include <functional>

// Reads source row y (width x 4 bytes) into row; false stops the resampling.
using SourceRowReader = std::function<bool(int y, uint8_t* row)>;

// Writes dstWidth x dstHeight pixels into dst. Returns false on a bad size or a failed read.
bool ResamplePixels32(int srcWidth, int srcHeight, const SourceRowReader& readRow, int dstWidth,
                      int dstHeight, uint8_t* dst, size_t dstStride);
