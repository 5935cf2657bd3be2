#include "pixel_transform.h"

#include <cstring>

#include "image_type.h"

void TransformedSize(int option, int width, int height, int& outWidth, int& outHeight) {
    const bool swap = (option & 1) != 0;
    outWidth = swap ? height : width;
    outHeight = swap ? width : height;
}

void TransformPixels32(int option, const uint8_t* src, int width, int height, size_t srcStride,
                       uint8_t* dst, size_t dstStride) {
    const bool flipH = (option & kTransformFlipHorizontal) != 0;
    const bool flipV = (option & kTransformFlipVertical) != 0;
    const int rotation = option & 3;  // quarter turns clockwise
    int ow, oh;
    TransformedSize(option, width, height, ow, oh);
    // For every output pixel find the source pixel: undo the rotation, then the flips.
    for (int y = 0; y < oh; ++y) {
        uint32_t* out = reinterpret_cast<uint32_t*>(dst + size_t(y) * dstStride);
        for (int x = 0; x < ow; ++x) {
            int fx, fy;  // position in the flipped (not yet rotated) picture
            switch (rotation) {
            case 1: fx = y; fy = height - 1 - x; break;
            case 2: fx = width - 1 - x; fy = height - 1 - y; break;
            case 3: fx = width - 1 - y; fy = x; break;
            default: fx = x; fy = y; break;
            }
            const int sx = flipH ? width - 1 - fx : fx;
            const int sy = flipV ? height - 1 - fy : fy;
            std::memcpy(&out[x], src + size_t(sy) * srcStride + size_t(sx) * 4, 4);
        }
    }
}
