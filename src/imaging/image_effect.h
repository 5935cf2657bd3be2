#pragma once
// Pixel effects over an FCObjImage and the runner that drives them.
#include <cstdint>
#include <string>
#include <vector>

#include "obj_image.h"

class FCProgressObserver {
public:
    virtual ~FCProgressObserver() = default;
    // False asks the runner to stop.
    virtual bool Update(int percent) = 0;
    int32_t m_cancelled = 0;
};

namespace view_effect {
// Progress that follows the keep-running flag of the task running the effect.
class CEffectProgress : public FCProgressObserver {
public:
    explicit CEffectProgress(const volatile int32_t* keepRunning) : m_keepRunning(keepRunning) {}
    bool Update(int) override { return !m_keepRunning || *m_keepRunning != 0; }

private:
    const volatile int32_t* m_keepRunning;
};
}  // namespace view_effect

class FCImageEffect {
public:
    virtual ~FCImageEffect() = default;
    virtual bool Accepts(const FCObjImage& img) { return img.ColorBits() >= 24; }
    virtual int ProcessMode() { return 1; }
    virtual void Prepare(FCObjImage&) {}
    virtual void ProcessPixel(FCObjImage&, int, int, uint8_t*) {}
    virtual void ProcessWhole(FCObjImage&, FCProgressObserver*) {}
};

void RunEffect(FCImageEffect& effect, FCObjImage& img, FCProgressObserver* progress);

class FCEffectLUT : public FCImageEffect {
public:
    void Prepare(FCObjImage&) override;
    void ProcessPixel(FCObjImage& img, int x, int y, uint8_t* px) override;
    virtual int MapValue(int value) = 0;

protected:
    int32_t m_table[256] = {};
};

class FCEffectBrightnessContrast : public FCEffectLUT {
public:
    FCEffectBrightnessContrast(int brightness, int contrast)
        : m_brightness(brightness), m_contrast(contrast) {}
    int MapValue(int value) override;

private:
    int32_t m_brightness;
    int32_t m_contrast;
};

class FCEffectHueSaturation : public FCImageEffect {
public:
    FCEffectHueSaturation();  // identity maps
    void ProcessPixel(FCObjImage& img, int x, int y, uint8_t* px) override;
    int32_t m_hueMap[6][256];
    int32_t m_satMap[6][256];
};

class FCEffectConvolute : public FCImageEffect {
public:
    void SetKernel(const std::vector<int32_t>& kernel, int side, int divisor, int offset);
    void Prepare(FCObjImage& img) override;
    void ProcessPixel(FCObjImage& img, int x, int y, uint8_t* px) override;

private:
    uint8_t Finish(int sum) const;

    std::vector<int32_t> m_kernel;
    int32_t m_side = 0;
    int32_t m_divisor = 1;
    int32_t m_offset = 0;
    FCObjImage m_copy;
    // sum / divisor + offset, clamped, for every sum a byte picture can give: a division per
    // channel would cost more than the whole kernel.
    std::vector<uint8_t> m_finish;
    int32_t m_minSum = 0;
};

class FCEffectSharp : public FCEffectConvolute {
public:
    FCEffectSharp();
};

class FCEffectMirror : public FCImageEffect {
public:
    void ProcessPixel(FCObjImage& img, int x, int y, uint8_t* px) override;
};

class FCEffectPremultipleAlpha : public FCImageEffect {
public:
    bool Accepts(const FCObjImage& img) override { return img.ColorBits() == 32; }
};

namespace main_view {
// The view's fade: alpha scaled by a percentage, straight colours premultiplied.
class CEffectFillCurrentAlpha : public FCEffectPremultipleAlpha {
public:
    explicit CEffectFillCurrentAlpha(int percent) : m_percent(percent) {}
    void ProcessPixel(FCObjImage& img, int x, int y, uint8_t* px) override;

private:
    int32_t m_percent;
};
}  // namespace main_view

class FCEffectCopyToClipboard : public FCImageEffect {
public:
    explicit FCEffectCopyToClipboard(const std::wstring& path) : m_path(path) {}
    int ProcessMode() override { return 0; }
    void ProcessWhole(FCObjImage& img, FCProgressObserver* progress) override;

private:
    std::wstring m_path;
};

// The enhancement the user chose (mode 1 brighten, 2 saturate, 3 sharpen; others do nothing).
void ApplyEnhance(FCObjImage& img, FCProgressObserver* progress, int mode);
void ApplyEnhance(FCObjImage& img, FCProgressObserver* progress);  // the configured mode
// In place on an imaging-component bitmap; keepRunning stops it early.
void ApplyEnhanceToBitmap(IWICBitmap* bitmap, const volatile int32_t* keepRunning);
