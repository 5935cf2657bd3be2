// The image buffer: layout, ownership, copying, reading from sources and drawing.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "imaging_test_env.h"
#include "obj_image.h"

#include <wrl/client.h>

namespace {

class ImageBufferTest : public ::testing::Test {
protected:
    ImagingTestEnv env;
};

void ExpectEmpty(const FCObjImage& img) {
    EXPECT_FALSE(img.IsValid());
    EXPECT_EQ(img.Width(), 0);
    EXPECT_EQ(img.Height(), 0);
    EXPECT_EQ(img.ColorBits(), 0);
    EXPECT_EQ(img.GetHandle(), nullptr);
}

TEST_F(ImageBufferTest, CreateRefusesBadArgumentsAndEmptiesTheBuffer) {
    const struct {
        int w, h, bpp;
    } bad[] = {{0, 10, 32}, {10, 0, 32}, {10, 10, 16}, {-3, 10, 24}, {10, 10, 0}};
    for (const auto& c : bad) {
        FCObjImage img;
        ASSERT_TRUE(img.Create(4, 4, 32));
        EXPECT_FALSE(img.Create(c.w, c.h, c.bpp));
        ExpectEmpty(img);
    }
}

TEST_F(ImageBufferTest, StrideAndRowOrder) {
    EXPECT_EQ(FCObjImage::Stride(3, 24), 12);
    EXPECT_EQ(FCObjImage::Stride(3, 32), 12);
    EXPECT_EQ(FCObjImage::Stride(1, 8), 4);
    EXPECT_EQ(FCObjImage::Stride(5, 24), 16);
    FCObjImage up, down;
    ASSERT_TRUE(up.Create(3, 4, 24));     // bottom-up
    ASSERT_TRUE(down.Create(3, -4, 24));  // top-down
    EXPECT_EQ(up.GetBits(0), up.GetMemStart() + 3 * 12);
    EXPECT_EQ(up.GetBits(3), up.GetMemStart());
    EXPECT_EQ(down.GetBits(0), down.GetMemStart());
    EXPECT_EQ(down.GetBits(1), down.GetMemStart() + 12);
    EXPECT_EQ(up.GetBits(2, 1), up.GetBits(1) + 6);
}

// Pixel (0, 0) written through the row table shows at the top left when drawn.
TEST_F(ImageBufferTest, DrawingShowsRowZeroAtTheTopInBothOrders) {
    for (int sign : {1, -1}) {
        FCObjImage img;
        ASSERT_TRUE(img.Create(4, 4 * sign, 24));
        for (int y = 0; y < 4; ++y) std::memset(img.GetBits(y), 0, 12);
        uint8_t* p = img.GetBits(0, 0);
        p[0] = 0; p[1] = 0; p[2] = 255;  // red
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP target = ::CreateCompatibleBitmap(screen, 4, 4);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, target);
        img.Draw(dc, 0, 0, 4, 4);
        EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 0, 0)) << sign;
        EXPECT_EQ(::GetPixel(dc, 0, 3), RGB(0, 0, 0)) << sign;
        ::SelectObject(dc, old);
        ::DeleteObject(target);
        ::DeleteDC(dc);
    }
}

TEST_F(ImageBufferTest, DrawBlendsThirtyTwoBitsAndCopiesTwentyFour) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP target = ::CreateCompatibleBitmap(screen, 2, 2);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, target);
    RECT rc = {0, 0, 2, 2};
    HBRUSH green = ::CreateSolidBrush(RGB(0, 255, 0));
    ::FillRect(dc, &rc, green);
    FCObjImage clear;
    ASSERT_TRUE(clear.Create(2, -2, 32));
    std::memset(clear.GetMemStart(), 0, 16);
    clear.Draw(dc, 0, 0, 2, 2);
    EXPECT_EQ(::GetPixel(dc, 1, 1), RGB(0, 255, 0));  // all-zero 32-bit pixels leave it alone
    FCObjImage black;
    ASSERT_TRUE(black.Create(2, -2, 24));
    std::memset(black.GetMemStart(), 0, 16);
    black.Draw(dc, 0, 0, 2, 2);
    EXPECT_EQ(::GetPixel(dc, 1, 1), RGB(0, 0, 0));  // 24 bits always overwrite
    ::DeleteObject(green);
    ::SelectObject(dc, old);
    ::DeleteObject(target);
    ::DeleteDC(dc);
}

TEST_F(ImageBufferTest, CopyFromCarriesPixelsAndOffsetsAndHandlesEmptyAndSelf) {
    FCObjImage a;
    ASSERT_TRUE(a.Create(3, 2, 32));
    for (int i = 0; i < 24; ++i) a.GetMemStart()[i] = uint8_t(i);
    a.m_x = 5;
    a.m_y = -7;
    FCObjImage b;
    b.CopyFrom(a);
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(b.SignedHeight(), 2);
    EXPECT_NE(b.GetMemStart(), a.GetMemStart());
    EXPECT_EQ(std::memcmp(a.GetMemStart(), b.GetMemStart(), 24), 0);
    EXPECT_EQ(b.m_x, 5);
    EXPECT_EQ(b.m_y, -7);
    uint8_t* before = b.GetMemStart();
    b.CopyFrom(b);
    EXPECT_EQ(b.GetMemStart(), before);
    FCObjImage empty;
    b.CopyFrom(empty);
    ExpectEmpty(b);
}

TEST_F(ImageBufferTest, AttachedPixelsAreBorrowedNotFreed) {
    std::vector<uint8_t> pixels(4 * 3 * 2, 0x5A);
    {
        FCObjImage img;
        ASSERT_TRUE(img.AttachPixels(3, -2, pixels.data()));
        EXPECT_EQ(img.GetHandle(), nullptr);
        EXPECT_EQ(img.GetBits(1), pixels.data() + 12);
        img.GetBits(1)[0] = 1;
        img.DetachPixels();
        ExpectEmpty(img);
    }
    EXPECT_EQ(pixels[12], 1);
    EXPECT_EQ(pixels[13], 0x5A);
}

TEST_F(ImageBufferTest, ReadFromSourceFormats) {
    IWICImagingFactory* f = SharedWicFactory();
    ASSERT_NE(f, nullptr);
    Microsoft::WRL::ComPtr<IWICBitmap> bmp;
    ASSERT_HRESULT_SUCCEEDED(
        f->CreateBitmap(5, 3, GUID_WICPixelFormat32bppBGRA, WICBitmapCacheOnLoad, &bmp));
    FCObjImage img;
    ASSERT_TRUE(img.ReadFromSource(bmp.Get(), GUID_WICPixelFormat32bppPBGRA));
    EXPECT_EQ(img.Width(), 5);
    EXPECT_EQ(img.SignedHeight(), -3);
    EXPECT_EQ(img.ColorBits(), 32);
    ASSERT_TRUE(img.ReadFromSource(bmp.Get(), GUID_WICPixelFormat24bppBGR));
    EXPECT_EQ(img.ColorBits(), 24);
    EXPECT_FALSE(img.ReadFromSource(bmp.Get(), GUID_WICPixelFormat8bppGray));
    ExpectEmpty(img);
    // A conversion that cannot be made keeps what was there.
    ASSERT_TRUE(img.ReadFromSource(bmp.Get(), GUID_WICPixelFormat32bppBGR));
    const GUID unknownFormat = {0x7a1b2c3d, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_FALSE(img.ReadFromSource(bmp.Get(), unknownFormat));
    EXPECT_TRUE(img.IsValid());
}

}  // namespace
