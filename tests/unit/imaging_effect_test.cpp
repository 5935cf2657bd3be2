// The effect family and its runner on real buffers.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image_effect.h"
#include "imaging_options.h"
#include "imaging_test_env.h"
#include "locked_bitmap.h"

namespace {

class EffectTest : public ::testing::Test {
protected:
    ImagingTestEnv env;

    static void Fill(FCObjImage& img, const std::vector<uint32_t>& bgra) {
        for (int y = 0; y < img.Height(); ++y)
            for (int x = 0; x < img.Width(); ++x)
                std::memcpy(img.GetBits(x, y), &bgra[size_t(y) * img.Width() + x], 4);
    }
    static uint32_t At(const FCObjImage& img, int x, int y) {
        uint32_t v;
        std::memcpy(&v, img.GetBits(x, y), 4);
        return v;
    }
    static uint32_t Bgra(int b, int g, int r, int a) {
        return uint32_t(b) | (uint32_t(g) << 8) | (uint32_t(r) << 16) | (uint32_t(a) << 24);
    }
};

// Every enhance mode and the mirror on one-pixel cases.
TEST_F(EffectTest, EnhanceModesOnPixels) {
    FCObjImage img;
    ASSERT_TRUE(img.Create(1, 1, 32));
    const struct {
        int mode;
        uint32_t in, out;
    } cases[] = {
        {1, Bgra(250, 100, 0, 255), Bgra(255, 120, 20, 255)},
        {1, Bgra(10, 10, 10, 77), Bgra(30, 30, 30, 77)},
        {2, Bgra(90, 90, 90, 200), Bgra(90, 90, 90, 200)},    // grey stays grey
        {2, Bgra(0, 0, 0, 13), Bgra(0, 0, 0, 13)},
        {2, Bgra(255, 255, 255, 255), Bgra(255, 255, 255, 255)},
        {3, Bgra(40, 50, 60, 70), Bgra(40, 50, 60, 70)},       // uniform: unchanged
        {0, Bgra(1, 2, 3, 4), Bgra(1, 2, 3, 4)},
        {7, Bgra(1, 2, 3, 4), Bgra(1, 2, 3, 4)},
    };
    for (const auto& c : cases) {
        Fill(img, {c.in});
        ApplyEnhance(img, nullptr, c.mode);
        EXPECT_EQ(At(img, 0, 0), c.out) << "mode " << c.mode;
    }
}

TEST_F(EffectTest, SaturateRaisesSaturationAndKeepsAlpha) {
    FCObjImage img;
    ASSERT_TRUE(img.Create(2, 1, 32));
    Fill(img, {Bgra(100, 100, 150, 255), Bgra(100, 100, 100, 9)});
    ApplyEnhance(img, nullptr, 2);
    const uint8_t* p = img.GetBits(0, 0);
    EXPECT_GT(p[2] - p[0], 50);  // red pulled further from blue
    EXPECT_EQ(p[3], 255);
    EXPECT_EQ(At(img, 1, 0), Bgra(100, 100, 100, 9));
}

TEST_F(EffectTest, SharpenUsesTheOriginalNeighbours) {
    FCObjImage img;
    ASSERT_TRUE(img.Create(3, 3, 24));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) std::memset(img.GetBits(x, y), 100, 3);
    std::memset(img.GetBits(1, 1), 200, 3);
    ApplyEnhance(img, nullptr, 3);
    // Centre: (18*200 - 8*100) / 10 = 280 -> 255. Corner (0,0): its window repeats the border:
    // 18*100 - (7*100 + 200) = 900 -> 90.
    EXPECT_EQ(img.GetBits(1, 1)[0], 255);
    EXPECT_EQ(img.GetBits(0, 0)[1], 90);
    EXPECT_EQ(img.GetBits(2, 2)[2], 90);
}

TEST_F(EffectTest, MirrorSwapsAndTwiceRestores) {
    for (int bpp : {24, 32}) {
        FCObjImage img;
        ASSERT_TRUE(img.Create(3, 2, bpp));
        const int bytes = bpp / 8;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) std::memset(img.GetBits(x, y), 10 * (x + 1) + y, bytes);
        FCEffectMirror mirror;
        RunEffect(mirror, img, nullptr);
        EXPECT_EQ(img.GetBits(0, 0)[0], 30);
        EXPECT_EQ(img.GetBits(1, 0)[0], 20);
        EXPECT_EQ(img.GetBits(2, 1)[bytes - 1], 11);
        RunEffect(mirror, img, nullptr);
        for (int x = 0; x < 3; ++x) EXPECT_EQ(img.GetBits(x, 1)[0], 10 * (x + 1) + 1);
    }
}

TEST_F(EffectTest, EightBitBuffersAreRefusedByEveryEffect) {
    FCObjImage img;
    ASSERT_TRUE(img.Create(4, 1, 8));
    for (int x = 0; x < 4; ++x) img.GetBits(x, 0)[0] = uint8_t(x * 50);
    for (int mode : {1, 2, 3}) ApplyEnhance(img, nullptr, mode);
    FCEffectMirror mirror;
    RunEffect(mirror, img, nullptr);
    main_view::CEffectFillCurrentAlpha fade(50);
    RunEffect(fade, img, nullptr);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(img.GetBits(x, 0)[0], x * 50);
}

TEST_F(EffectTest, FadePremultipliesAndNeedsThirtyTwoBits) {
    FCObjImage img;
    ASSERT_TRUE(img.Create(1, 1, 32));
    Fill(img, {Bgra(200, 100, 50, 200)});
    main_view::CEffectFillCurrentAlpha fade(50);
    RunEffect(fade, img, nullptr);
    EXPECT_EQ(At(img, 0, 0), Bgra(200 * 100 / 255, 100 * 100 / 255, 50 * 100 / 255, 100));
    FCObjImage rgb;
    ASSERT_TRUE(rgb.Create(1, 1, 24));
    std::memset(rgb.GetBits(0, 0), 200, 3);
    RunEffect(fade, rgb, nullptr);
    EXPECT_EQ(rgb.GetBits(0, 0)[0], 200);
}

class StopAt : public FCProgressObserver {
public:
    explicit StopAt(int calls) : m_left(calls) {}
    bool Update(int percent) override {
        percents.push_back(percent);
        return m_left-- > 0;
    }
    std::vector<int> percents;

private:
    int m_left;
};

TEST_F(EffectTest, ProgressStopsThePixelLoop) {
    FCObjImage img;
    ASSERT_TRUE(img.Create(2, 4, 32));
    Fill(img, std::vector<uint32_t>(8, Bgra(0, 0, 0, 255)));
    // A flag that is 0 from the start: at most the first row changes.
    volatile int32_t keepRunning = 0;
    view_effect::CEffectProgress stopped(&keepRunning);
    ApplyEnhance(img, &stopped, 1);
    EXPECT_EQ(stopped.m_cancelled, 1);
    EXPECT_EQ(At(img, 1, 0), Bgra(20, 20, 20, 255));
    EXPECT_EQ(At(img, 0, 1), Bgra(0, 0, 0, 255));
    // Two rows done, then refused: rows 0-1 changed, 2-3 untouched; percents 0, 25, 50.
    Fill(img, std::vector<uint32_t>(8, Bgra(0, 0, 0, 255)));
    StopAt stop(2);
    ApplyEnhance(img, &stop, 1);
    EXPECT_EQ(stop.percents, (std::vector<int>{0, 25, 50}));
    EXPECT_EQ(At(img, 0, 1), Bgra(20, 20, 20, 255));
    EXPECT_EQ(At(img, 0, 2), Bgra(0, 0, 0, 255));
}

TEST_F(EffectTest, EnhanceToBitmapFollowsTheConfiguredMode) {
    IWICImagingFactory* f = SharedWicFactory();
    Microsoft::WRL::ComPtr<IWICBitmap> bmp;
    std::vector<uint8_t> px(4 * 4 * 2, 100);
    ASSERT_HRESULT_SUCCEEDED(f->CreateBitmapFromMemory(4, 2, GUID_WICPixelFormat32bppBGRA, 16,
                                                       UINT(px.size()), px.data(), &bmp));
    volatile int32_t keep = 1;
    {
        ImagingOptions off;
        CScopedImagingOptions scope(off);
        ApplyEnhanceToBitmap(bmp.Get(), &keep);
    }
    ImagingOptions brighten;
    brighten.enhanceMode = 1;
    CScopedImagingOptions scope(brighten);
    ApplyEnhanceToBitmap(bmp.Get(), &keep);
    BYTE out[32];
    ASSERT_HRESULT_SUCCEEDED(bmp->CopyPixels(nullptr, 16, 32, out));
    EXPECT_EQ(out[0], 120);
    EXPECT_EQ(out[3], 100);  // alpha untouched
    EXPECT_EQ(out[31], 100);
    EXPECT_EQ(out[30], 120);
}

}  // namespace
