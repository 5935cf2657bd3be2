#include "pixel_transform.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "image_type.h"

void TransformedSize(int option, int width, int height, int& outWidth, int& outHeight) {
    const bool swap = (option & 1) != 0;
    outWidth = swap ? height : width;
    outHeight = swap ? width : height;
}

namespace {
// Source position of output pixel (x, y): undo the rotation, then the flips.
void SourceOf(int option, int width, int height, int x, int y, int& sx, int& sy) {
    int fx, fy;  // position in the flipped (not yet rotated) picture
    switch (option & 3) {
    case 1: fx = y; fy = height - 1 - x; break;
    case 2: fx = width - 1 - x; fy = height - 1 - y; break;
    case 3: fx = width - 1 - y; fy = x; break;
    default: fx = x; fy = y; break;
    }
    sx = (option & kTransformFlipHorizontal) ? width - 1 - fx : fx;
    sy = (option & kTransformFlipVertical) ? height - 1 - fy : fy;
}
}  // namespace

void TransformPixels32(int option, const uint8_t* src, int width, int height, size_t srcStride,
                       uint8_t* dst, size_t dstStride) {
    int ow, oh;
    TransformedSize(option, width, height, ow, oh);
    if (ow <= 0 || oh <= 0) return;
    // The mapping is affine: the source offset grows by a fixed step per output column and
    // per output row.
    int x0, y0, x1, y1, x2, y2;
    SourceOf(option, width, height, 0, 0, x0, y0);
    SourceOf(option, width, height, ow > 1 ? 1 : 0, 0, x1, y1);
    SourceOf(option, width, height, 0, oh > 1 ? 1 : 0, x2, y2);
    const ptrdiff_t stride = ptrdiff_t(srcStride);
    const ptrdiff_t origin = ptrdiff_t(y0) * stride + ptrdiff_t(x0) * 4;
    const ptrdiff_t stepX = ptrdiff_t(y1 - y0) * stride + ptrdiff_t(x1 - x0) * 4;
    const ptrdiff_t stepY = ptrdiff_t(y2 - y0) * stride + ptrdiff_t(x2 - x0) * 4;
    // Tiles keep the strided reads of a quarter turn within the cache.
    const int kTile = 64;
    for (int ty = 0; ty < oh; ty += kTile) {
        const int yEnd = std::min(oh, ty + kTile);
        for (int tx = 0; tx < ow; tx += kTile) {
            const int xEnd = std::min(ow, tx + kTile);
            for (int y = ty; y < yEnd; ++y) {
                uint8_t* out = dst + size_t(y) * dstStride + size_t(tx) * 4;
                ptrdiff_t at = origin + ptrdiff_t(y) * stepY + ptrdiff_t(tx) * stepX;
                for (int x = tx; x < xEnd; ++x, out += 4, at += stepX) std::memcpy(out, src + at, 4);
            }
        }
    }
}
