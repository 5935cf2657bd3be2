#pragma once
// Rotation and mirroring of 4-byte pixels, for systems whose flip-rotator cannot copy pixels.
// Options are those of image_type.h: flips are applied first, then the clockwise rotation.
#include <cstddef>
#include <cstdint>

void TransformedSize(int option, int width, int height, int& outWidth, int& outHeight);

// dst must hold outHeight rows of dstStride bytes (outWidth x outHeight from TransformedSize).
void TransformPixels32(int option, const uint8_t* src, int width, int height, size_t srcStride,
                       uint8_t* dst, size_t dstStride);
