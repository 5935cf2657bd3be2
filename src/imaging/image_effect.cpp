#include "image_effect.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "effect_math.h"
#include "imaging_options.h"
#include "locked_bitmap.h"

void RunEffect(FCImageEffect& effect, FCObjImage& img, FCProgressObserver* progress) {
    if (!img.IsValid() || !effect.Accepts(img)) return;
    effect.Prepare(img);
    if (progress && !progress->Update(0)) progress->m_cancelled = 1;
    if (effect.ProcessMode() == 0) {
        effect.ProcessWhole(img, progress);
        return;
    }
    const int bytes = img.ColorBits() / 8;
    for (int y = 0; y < img.Height(); ++y) {
        uint8_t* row = img.GetBits(y);
        for (int x = 0; x < img.Width(); ++x) effect.ProcessPixel(img, x, y, row + x * bytes);
        if (progress) {
            if (!progress->Update(int(100LL * (y + 1) / img.Height()))) {
                progress->m_cancelled = 1;
                return;
            }
            if (progress->m_cancelled) return;
        }
    }
}

void FCEffectLUT::Prepare(FCObjImage&) {
    for (int i = 0; i < 256; ++i) m_table[i] = MapValue(i);
}

void FCEffectLUT::ProcessPixel(FCObjImage&, int, int, uint8_t* px) {
    px[0] = uint8_t(m_table[px[0]]);
    px[1] = uint8_t(m_table[px[1]]);
    px[2] = uint8_t(m_table[px[2]]);
}

int FCEffectBrightnessContrast::MapValue(int value) {
    return BrightnessContrastValue(value, m_brightness, m_contrast);
}

FCEffectHueSaturation::FCEffectHueSaturation() {
    for (int k = 0; k < 6; ++k)
        for (int i = 0; i < 256; ++i) m_hueMap[k][i] = m_satMap[k][i] = i;
}

void FCEffectHueSaturation::ProcessPixel(FCObjImage&, int, int, uint8_t* px) {
    AdjustHueSaturation(px[2], px[1], px[0], m_hueMap, m_satMap);
}

void FCEffectConvolute::SetKernel(const std::vector<int32_t>& kernel, int side, int divisor,
                                  int offset) {
    m_kernel = kernel;
    m_side = side;
    m_divisor = divisor == 0 ? 1 : divisor;  // a zero divisor would divide by zero
    m_offset = offset;
}

void FCEffectConvolute::Prepare(FCObjImage& img) {
    m_copy.CopyFrom(img);
    int64_t lo = 0, hi = 0;
    for (int32_t f : m_kernel) (f < 0 ? lo : hi) += int64_t(f) * 255;
    m_finish.clear();
    m_minSum = int32_t(lo);
    if (hi - lo < (1 << 20)) {
        m_finish.resize(size_t(hi - lo + 1));
        for (int64_t sum = lo; sum <= hi; ++sum) {
            const int v = int(sum / m_divisor) + m_offset;
            m_finish[size_t(sum - lo)] = uint8_t(v >= 255 ? 255 : (v <= 0 ? 0 : v));
        }
    }
}

uint8_t FCEffectConvolute::Finish(int sum) const {
    if (!m_finish.empty()) return m_finish[size_t(sum - m_minSum)];
    const int v = sum / m_divisor + m_offset;
    return uint8_t(v >= 255 ? 255 : (v <= 0 ? 0 : v));
}

void FCEffectConvolute::ProcessPixel(FCObjImage& img, int x, int y, uint8_t* px) {
    if (!m_copy.IsValid() || m_side <= 0 || m_kernel.size() < size_t(m_side) * m_side) return;
    const int bytes = img.ColorBits() / 8;
    int sum[3] = {0, 0, 0};
    const int half = m_side / 2;
    if (bytes >= 3 && x >= half && y >= half && x - half + m_side <= m_copy.Width() &&
        y - half + m_side <= m_copy.Height()) {
        // Inside the picture no index needs clamping.
        const int32_t* f = m_kernel.data();
        for (int ky = 0; ky < m_side; ++ky) {
            const uint8_t* s = m_copy.GetBits(x - half, y - half + ky);
            for (int kx = 0; kx < m_side; ++kx, ++f, s += bytes) {
                sum[0] += *f * s[0];
                sum[1] += *f * s[1];
                sum[2] += *f * s[2];
            }
        }
        px[0] = Finish(sum[0]);
        px[1] = Finish(sum[1]);
        px[2] = Finish(sum[2]);
        return;
    }
    size_t k = 0;
    for (int ky = 0; ky < m_side; ++ky) {
        const int sy = std::min(std::max(y - m_side / 2 + ky, 0), m_copy.Height() - 1);
        const uint8_t* row = m_copy.GetBits(sy);
        for (int kx = 0; kx < m_side; ++kx, ++k) {
            const int sx = std::min(std::max(x - m_side / 2 + kx, 0), m_copy.Width() - 1);
            const uint8_t* s = row + sx * bytes;
            const int f = m_kernel[k];
            sum[0] += f * s[0];
            if (bytes >= 3) {
                sum[1] += f * s[1];
                sum[2] += f * s[2];
            }
        }
    }
    for (int c = 0; c < (bytes >= 3 ? 3 : 1); ++c) px[c] = Finish(sum[c]);
}

FCEffectSharp::FCEffectSharp() {
    SetKernel({-1, -1, -1, -1, 18, -1, -1, -1, -1}, 3, 10, 0);
}

void FCEffectMirror::ProcessPixel(FCObjImage& img, int x, int y, uint8_t* px) {
    if (x >= img.Width() / 2) return;
    uint8_t* other = img.GetBits(img.Width() - 1 - x, y);
    if (img.ColorBits() == 32) {  // four bytes at once
        uint32_t a, b;
        std::memcpy(&a, px, 4);
        std::memcpy(&b, other, 4);
        std::memcpy(px, &b, 4);
        std::memcpy(other, &a, 4);
        return;
    }
    const int bytes = img.ColorBits() / 8;
    uint8_t tmp[4];
    std::memcpy(tmp, px, bytes);
    std::memcpy(px, other, bytes);
    std::memcpy(other, tmp, bytes);
}

void main_view::CEffectFillCurrentAlpha::ProcessPixel(FCObjImage&, int, int, uint8_t* px) {
    const int pct = std::min(std::max(int(m_percent), 0), 100);
    const int alpha = px[3] * pct / 100;
    px[3] = uint8_t(alpha);
    px[0] = uint8_t(px[0] * alpha / 255);
    px[1] = uint8_t(px[1] * alpha / 255);
    px[2] = uint8_t(px[2] * alpha / 255);
}

void ApplyEnhance(FCObjImage& img, FCProgressObserver* progress, int mode) {
    std::unique_ptr<FCImageEffect> effect;
    if (mode == 1) {
        effect.reset(new FCEffectBrightnessContrast(20, 0));
    } else if (mode == 2) {
        std::unique_ptr<FCEffectHueSaturation> hs(new FCEffectHueSaturation());
        for (int k = 0; k < 6; ++k)
            for (int i = 0; i < 256; ++i) hs->m_satMap[k][i] = SaturateBoost(i);
        effect = std::move(hs);
    } else if (mode == 3) {
        effect.reset(new FCEffectSharp());
    }
    if (effect) RunEffect(*effect, img, progress);
}

void ApplyEnhance(FCObjImage& img, FCProgressObserver* progress) {
    ApplyEnhance(img, progress, GetImagingOptions().enhanceMode);
}

void ApplyEnhanceToBitmap(IWICBitmap* bitmap, const volatile int32_t* keepRunning) {
    const int mode = GetImagingOptions().enhanceMode;
    if (mode == 0 || !bitmap) return;
    CLockedBitmap lock(bitmap, WICBitmapLockRead | WICBitmapLockWrite);
    FCObjImage img;
    if (!lock.AttachTo(img)) return;
    view_effect::CEffectProgress progress(keepRunning);
    ApplyEnhance(img, &progress, mode);
    img.DetachPixels();
}
