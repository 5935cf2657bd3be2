#include "resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define PELION_RESAMPLE_SSE2 1
#endif

namespace {
// Contributions of source samples to each destination sample along one axis.
struct AxisWeights {
    std::vector<int> start;   // first contribution of each destination sample
    std::vector<int> count;
    std::vector<int> index;   // source sample
    std::vector<float> weight;
};

AxisWeights BuildWeights(int srcLen, int dstLen) {
    AxisWeights w;
    w.start.resize(dstLen);
    w.count.resize(dstLen);
    const double scale = double(srcLen) / double(dstLen);
    for (int d = 0; d < dstLen; ++d) {
        w.start[d] = int(w.index.size());
        if (dstLen < srcLen) {
            // Area average: the destination sample covers [d*scale, (d+1)*scale).
            const double a = d * scale, b = (d + 1) * scale;
            const int first = int(std::floor(a));
            const int last = std::min(srcLen - 1, int(std::ceil(b)) - 1);
            for (int s = first; s <= last; ++s) {
                const double overlap = std::min(b, double(s + 1)) - std::max(a, double(s));
                if (overlap <= 0) continue;
                w.index.push_back(s);
                w.weight.push_back(float(overlap / scale));
            }
        } else {
            // Bilinear between the two nearest sample centres.
            double pos = (d + 0.5) * scale - 0.5;
            pos = std::max(0.0, std::min(pos, double(srcLen - 1)));
            const int i0 = int(pos);
            const int i1 = std::min(i0 + 1, srcLen - 1);
            const float f = float(pos - i0);
            w.index.push_back(i0);
            w.weight.push_back(1.0f - f);
            if (i1 != i0 && f > 0) {
                w.index.push_back(i1);
                w.weight.push_back(f);
            }
        }
        w.count[d] = int(w.index.size()) - w.start[d];
    }
    return w;
}
}  // namespace

bool ResamplePixels32(int srcWidth, int srcHeight, const SourceRowReader& readRow, int dstWidth,
                      int dstHeight, uint8_t* dst, size_t dstStride) {
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0 || !dst) return false;
    const AxisWeights hw = BuildWeights(srcWidth, dstWidth);
    const AxisWeights vw = BuildWeights(srcHeight, dstHeight);

    std::vector<uint8_t> srcRow(size_t(srcWidth) * 4);
    // Two horizontally resampled rows are kept: neighbouring destination rows share at most one
    // source row, and source rows are needed in ascending order.
    std::vector<float> cache[2] = {std::vector<float>(size_t(dstWidth) * 4),
                                   std::vector<float>(size_t(dstWidth) * 4)};
    int cachedRow[2] = {-1, -1};
    int nextSlot = 0;
    auto horizontalRow = [&](int sy) -> const float* {
        for (int k = 0; k < 2; ++k)
            if (cachedRow[k] == sy) return cache[k].data();
        if (!readRow(sy, srcRow.data())) return nullptr;
        float* out = cache[nextSlot].data();
        for (int x = 0; x < dstWidth; ++x) {
            const int s = hw.start[x], n = hw.count[x];
#ifdef PELION_RESAMPLE_SSE2
            // The four channels of a pixel in one register.
            const __m128i zero = _mm_setzero_si128();
            __m128 acc = _mm_setzero_ps();
            for (int k = 0; k < n; ++k) {
                int32_t bits;
                std::memcpy(&bits, &srcRow[size_t(hw.index[s + k]) * 4], 4);
                const __m128i bytes = _mm_cvtsi32_si128(bits);
                const __m128i words = _mm_unpacklo_epi8(bytes, zero);
                const __m128 px = _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero));
                acc = _mm_add_ps(acc, _mm_mul_ps(px, _mm_set1_ps(hw.weight[s + k])));
            }
            _mm_storeu_ps(out + size_t(x) * 4, acc);
#else
            float acc[4] = {0, 0, 0, 0};
            for (int k = 0; k < n; ++k) {
                const uint8_t* p = &srcRow[size_t(hw.index[s + k]) * 4];
                const float f = hw.weight[s + k];
                acc[0] += f * p[0];
                acc[1] += f * p[1];
                acc[2] += f * p[2];
                acc[3] += f * p[3];
            }
            std::copy(acc, acc + 4, out + size_t(x) * 4);
#endif
        }
        cachedRow[nextSlot] = sy;
        nextSlot ^= 1;
        return out;
    };

    std::vector<float> acc(size_t(dstWidth) * 4);
    for (int y = 0; y < dstHeight; ++y) {
        std::fill(acc.begin(), acc.end(), 0.0f);
        const int s = vw.start[y], n = vw.count[y];
        for (int k = 0; k < n; ++k) {
            const float* row = horizontalRow(vw.index[s + k]);
            if (!row) return false;
            const float f = vw.weight[s + k];
            for (size_t i = 0; i < acc.size(); ++i) acc[i] += f * row[i];
        }
        uint8_t* out = dst + size_t(y) * dstStride;
        size_t i = 0;
#ifdef PELION_RESAMPLE_SSE2
        const __m128 half = _mm_set1_ps(0.5f), lo = _mm_setzero_ps(), hi = _mm_set1_ps(255.0f);
        for (; i + 4 <= acc.size(); i += 4) {
            __m128 v = _mm_add_ps(_mm_loadu_ps(&acc[i]), half);
            v = _mm_min_ps(_mm_max_ps(v, lo), hi);
            const __m128i n = _mm_cvttps_epi32(v);
            const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(n, n), _mm_setzero_si128());
            const int32_t bits = _mm_cvtsi128_si32(packed);
            std::memcpy(out + i, &bits, 4);
        }
#endif
        for (; i < acc.size(); ++i) {
            const float v = acc[i] + 0.5f;
            out[i] = v <= 0 ? 0 : (v >= 255 ? 255 : uint8_t(v));
        }
    }
    return true;
}
