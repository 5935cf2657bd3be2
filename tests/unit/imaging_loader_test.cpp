// The decoder chain, the current picture, rendering and the clipboard, on pictures made by
// tests/imaging/make_fixtures.sh.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "current_picture.h"
#include "image_effect.h"
#include "image_type.h"
#include "imaging_options.h"
#include "imaging_test_env.h"
#include "map_link.h"
#include "picture_title_sink.h"
#include "wic_image_loader.h"
#include "wic_ops.h"

using Microsoft::WRL::ComPtr;

namespace {

ImagingOptions HonourOrientation() {
    ImagingOptions o;
    o.orientationByTag = 1;
    return o;
}

class LoaderTest : public ::testing::Test {
protected:
    ImagingTestEnv env;
    // The test prefix may report a system older than Windows 8, where the tag is honoured
    // only when the configuration asks for it.
    CScopedImagingOptions options{HonourOrientation()};

    static std::wstring TempFile(const wchar_t* name) {
        wchar_t dir[MAX_PATH];
        ::GetTempPathW(MAX_PATH, dir);
        return std::wstring(dir) + name;
    }
    // A vector drawing only GDI+ reads: the imaging component has no decoder for it.
    static std::wstring MakeMetafile() {
        const std::wstring path = TempFile(L"pelion_only_gdiplus.emf");
        RECT frame = {0, 0, 2000, 1000};  // 0.01 mm units
        HDC dc = ::CreateEnhMetaFileW(nullptr, path.c_str(), &frame, nullptr);
        RECT all = {0, 0, 80, 40};
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FillRect(dc, &all, red);
        ::DeleteObject(red);
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc));
        return path;
    }
    static COLORREF PixelOf(HBITMAP bmp, int x, int y) {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, bmp);
        const COLORREF c = ::GetPixel(dc, x, y);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        return c;
    }
    static void ExpectNear(COLORREF c, int r, int g, int b, int tol, const char* what) {
        EXPECT_NEAR(GetRValue(c), r, tol) << what;
        EXPECT_NEAR(GetGValue(c), g, tol) << what;
        EXPECT_NEAR(GetBValue(c), b, tol) << what;
    }
};

TEST_F(LoaderTest, ChainOutcomes) {
    const std::wstring emf = MakeMetafile();
    const struct {
        std::wstring path;
        bool loads;
        CWICImageLoader::Origin origin;
        int width, height;
        bool animated;
    } cases[] = {
        {ImagingTestEnv::Fixture(L"icon.ico"), true, CWICImageLoader::Origin::ImagingComponent, 48, 48, false},
        {ImagingTestEnv::Fixture(L"exif_o6.jpg"), true, CWICImageLoader::Origin::ImagingComponent, 3000, 4000, false},
        {ImagingTestEnv::Fixture(L"transparent.png"), true, CWICImageLoader::Origin::ImagingComponent, 64, 32, false},
        {ImagingTestEnv::Fixture(L"anim.gif"), true, CWICImageLoader::Origin::ImagingComponent, 40, 30, true},
        {ImagingTestEnv::Fixture(L"pic.tif"), true, CWICImageLoader::Origin::ImagingComponent, 50, 40, false},
        {ImagingTestEnv::Fixture(L"pic.bmp"), true, CWICImageLoader::Origin::ImagingComponent, 50, 40, false},
        {emf, true, CWICImageLoader::Origin::GdiPlus, 0, 0, false},
        {ImagingTestEnv::Fixture(L"noise.jpg"), false, {}, 0, 0, false},
        {ImagingTestEnv::Fixture(L"empty.png"), false, {}, 0, 0, false},
        {ImagingTestEnv::Fixture(L"zero.png"), false, {}, 0, 0, false},
        {ImagingTestEnv::Fixture(L"huge.png"), false, {}, 0, 0, false},
        {ImagingTestEnv::Fixture(L"huge.bmp"), false, {}, 0, 0, false},
        {ImagingTestEnv::Fixture(L"missing.png"), false, {}, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        auto loader = CWICImageLoader::Create(c.path);
        ASSERT_EQ(loader != nullptr, c.loads);
        if (!loader) continue;
        EXPECT_EQ(loader->GetOrigin(), c.origin);
        int w = 0, h = 0;
        loader->GetOrientedSize(w, h);
        if (c.width) {
            EXPECT_EQ(w, c.width);
            EXPECT_EQ(h, c.height);
        } else {
            EXPECT_GT(w, 0);
            EXPECT_GT(h, 0);
        }
        EXPECT_EQ(loader->IsAnimated(), c.animated);
        EXPECT_EQ(loader->Decoder() != nullptr,
                  c.origin == CWICImageLoader::Origin::ImagingComponent);
    }
    ::DeleteFileW(emf.c_str());
}

TEST_F(LoaderTest, GdiPlusOnlyFileHasAnEmptyRecord) {
    const std::wstring emf = MakeMetafile();
    auto loader = CWICImageLoader::Create(emf);
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(loader->GetOrigin(), CWICImageLoader::Origin::GdiPlus);
    EXPECT_EQ(loader->Orientation(), 0);
    EXPECT_EQ(loader->Info().resolution, 0);
    EXPECT_TRUE(loader->Info().dateTaken.empty());
    EXPECT_TRUE(loader->Info().gpsPosition.empty());
    EXPECT_EQ(loader->ColorContext(), nullptr);
    HBITMAP bmp = nullptr;
    int w = 0, h = 0;
    loader->GetOrientedSize(w, h);
    ASSERT_TRUE(loader->RenderToBitmap(w, h, &bmp));
    ExpectNear(PixelOf(bmp, w / 2, h / 2), 255, 0, 0, 8, "metafile drawn");
    ::DeleteObject(bmp);
    ::DeleteFileW(emf.c_str());
}

TEST_F(LoaderTest, MetadataOfThePhoto) {
    auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"exif_o6.jpg"));
    ASSERT_NE(loader, nullptr);
    const CPictureInfo& i = loader->Info();
    EXPECT_EQ(i.orientation, 6);
    EXPECT_EQ(i.gpsPosition, L"-12.500000,45.250000");
    EXPECT_EQ(i.exposureTime, L"10/2500");
    EXPECT_EQ(i.fNumber, L"2.8");
    EXPECT_EQ(i.isoSpeed, L"200");
    EXPECT_EQ(i.dateTaken, L"2024:05:06 07:08:09");
    EXPECT_EQ(i.make, L"PelionCam");
    EXPECT_EQ(i.model, L"PC 1");
    EXPECT_EQ(i.lensModel, L"Prime 35");
    EXPECT_EQ(i.focalLength, L"35.0");
    EXPECT_EQ(i.maxAperture, L"2.0");
    EXPECT_EQ(i.meteringMode, L"5");
    EXPECT_EQ(i.flash, L"16");
    EXPECT_EQ(i.whiteBalance, L"0");
    EXPECT_EQ(i.exposureProgram, L"2");
    EXPECT_EQ(i.resolution, 72);
    EXPECT_FALSE(loader->IsLongPicture());

    // Pictures without EXIF: only the resolution.
    for (const wchar_t* name : {L"transparent.png", L"pic.tif", L"plain.jpg"}) {
        auto other = CWICImageLoader::Create(ImagingTestEnv::Fixture(name));
        ASSERT_NE(other, nullptr);
        EXPECT_TRUE(other->Info().gpsPosition.empty());
        EXPECT_TRUE(other->Info().make.empty());
        EXPECT_EQ(other->Orientation(), 0);
        EXPECT_FALSE(ShowOnMap(other->Info().gpsPosition));
    }
    auto tall = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"long.jpg"));
    ASSERT_NE(tall, nullptr);
    EXPECT_TRUE(tall->IsLongPicture());
}

TEST_F(LoaderTest, OrientationTagOnOlderSystemsNeedsTheSetting) {
    CScopedImagingOptions byDefault{ImagingOptions()};
    auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"exif_o6.jpg"));
    ASSERT_NE(loader, nullptr);
    int w = 0, h = 0;
    loader->GetOrientedSize(w, h);
    if (IsSystemWindows8OrLater()) {
        EXPECT_EQ(loader->Orientation(), 6);
        EXPECT_EQ(w, 3000);
    } else {
        EXPECT_EQ(loader->Orientation(), 0);
        EXPECT_EQ(loader->Info().orientation, 0);
        EXPECT_EQ(w, 4000);
        EXPECT_EQ(h, 3000);
    }
    EXPECT_EQ(loader->Info().gpsPosition, L"-12.500000,45.250000");
}

TEST_F(LoaderTest, RotationNeedsNoPixelWork) {
    auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"exif_o6.jpg"));
    ASSERT_NE(loader, nullptr);
    int w = 0, h = 0;
    const int sizes[4][2] = {{4000, 3000}, {3000, 4000}, {4000, 3000}, {3000, 4000}};
    const int orientations[4] = {3, 8, 1, 6};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(loader->RotateOrientation(true), orientations[i]);
        loader->GetOrientedSize(w, h);
        EXPECT_EQ(w, sizes[i][0]);
        EXPECT_EQ(h, sizes[i][1]);
    }
}

TEST_F(LoaderTest, RenderingAppliesTheOrientation) {
    auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"exif_o6.jpg"));
    ASSERT_NE(loader, nullptr);
    HBITMAP bmp = nullptr;
    ASSERT_TRUE(loader->RenderToBitmap(300, 400, &bmp));
    BITMAP bm = {};
    ::GetObjectW(bmp, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 300);
    EXPECT_EQ(bm.bmHeight, 400);
    // Stored top (#3060a0) turns to the right, stored bottom (#e0c080) to the left.
    ExpectNear(PixelOf(bmp, 2, 200), 0xe0, 0xc0, 0x80, 12, "left edge");
    ExpectNear(PixelOf(bmp, 297, 200), 0x30, 0x60, 0xa0, 12, "right edge");
    // A rendering that cannot be made leaves the bitmap alone.
    HBITMAP kept = bmp;
    EXPECT_FALSE(loader->RenderToBitmap(0, 400, &bmp));
    EXPECT_FALSE(loader->RenderToBitmap(100000, 100000, &bmp));
    EXPECT_EQ(bmp, kept);
    // A second rendering replaces the bitmap it is given.
    HBITMAP before = bmp;
    ASSERT_TRUE(loader->RenderToBitmap(30, 40, &bmp));
    EXPECT_NE(bmp, before);
    ::DeleteObject(bmp);

    ComPtr<IWICBitmap> full = loader->GetOrientedBitmap(true);
    ASSERT_NE(full, nullptr);
    UINT fw = 0, fh = 0;
    full->GetSize(&fw, &fh);
    EXPECT_EQ(fw, 3000u);
    EXPECT_EQ(fh, 4000u);
    WICPixelFormatGUID format = {};
    full->GetPixelFormat(&format);
    EXPECT_TRUE(IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA));
}

TEST_F(LoaderTest, TransparentPngShowsTheBackgroundBrush) {
    auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"transparent.png"));
    ASSERT_NE(loader, nullptr);
    EXPECT_NE(loader->ColorContext(), nullptr);  // the embedded profile
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    ImagingOptions options;
    options.background = red;
    options.ignoreEmbeddedIcc = 1;
    {
        CScopedImagingOptions scope(options);
        HBITMAP bmp = nullptr;
        ASSERT_TRUE(loader->RenderToBitmap(64, 32, &bmp));
        ExpectNear(PixelOf(bmp, 5, 16), 255, 0, 0, 0, "transparent half");
        ExpectNear(PixelOf(bmp, 60, 16), 0, 0, 255, 0, "opaque half");
        ::DeleteObject(bmp);
    }
    ::DeleteObject(red);
}

TEST_F(LoaderTest, ScalingDownAveragesInsteadOfAliasing) {
    // A one-pixel checkerboard of black and white reduced 8 times must come out grey.
    std::vector<uint32_t> px(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) px[size_t(y) * 64 + x] = ((x + y) & 1) ? 0xFFFFFFFFu : 0xFF000000u;
    ComPtr<IWICBitmap> src;
    ASSERT_HRESULT_SUCCEEDED(SharedWicFactory()->CreateBitmapFromMemory(
        64, 64, GUID_WICPixelFormat32bppBGRA, 256, 256 * 64, reinterpret_cast<BYTE*>(px.data()),
        &src));
    ComPtr<IWICBitmapSource> scaled = ScaleTo(src.Get(), 8, 8, WICBitmapInterpolationModeFant);
    ASSERT_NE(scaled, nullptr);
    std::vector<uint8_t> out(8 * 8 * 4);
    ComPtr<IWICBitmapSource> bgra = ConvertFormat(scaled.Get(), GUID_WICPixelFormat32bppBGRA);
    ASSERT_HRESULT_SUCCEEDED(bgra->CopyPixels(nullptr, 32, UINT(out.size()), out.data()));
    for (size_t i = 0; i < out.size(); i += 4) {
        EXPECT_NEAR(out[i], 128, 2) << i;
        EXPECT_EQ(out[i + 3], 255);
    }
    EXPECT_EQ(ScaleTo(src.Get(), 64, 64, WICBitmapInterpolationModeFant).Get(),
              static_cast<IWICBitmapSource*>(src.Get()));
}

TEST_F(LoaderTest, ApplyTransformTurnsPixels) {
    // 2 x 1 "A B": a quarter turn clockwise puts the left pixel on top.
    uint32_t px[2] = {0xFF0000AAu, 0xFF0000BBu};
    ComPtr<IWICBitmap> src;
    ASSERT_HRESULT_SUCCEEDED(SharedWicFactory()->CreateBitmapFromMemory(
        2, 1, GUID_WICPixelFormat32bppBGRA, 8, 8, reinterpret_cast<BYTE*>(px), &src));
    EXPECT_EQ(ApplyTransform(src.Get(), 0).Get(), static_cast<IWICBitmapSource*>(src.Get()));
    const struct {
        int option;
        UINT w, h;
        uint32_t first, second;
    } cases[] = {{1, 1, 2, 0xFF0000AAu, 0xFF0000BBu},
                 {3, 1, 2, 0xFF0000BBu, 0xFF0000AAu},
                 {8, 2, 1, 0xFF0000BBu, 0xFF0000AAu},
                 {16, 2, 1, 0xFF0000AAu, 0xFF0000BBu}};
    for (const auto& c : cases) {
        ComPtr<IWICBitmapSource> turned = ApplyTransform(src.Get(), c.option);
        ASSERT_NE(turned, nullptr);
        UINT w = 0, h = 0;
        turned->GetSize(&w, &h);
        EXPECT_EQ(w, c.w) << c.option;
        EXPECT_EQ(h, c.h) << c.option;
        uint32_t out[2] = {};
        ASSERT_HRESULT_SUCCEEDED(turned->CopyPixels(nullptr, w * 4, 8, reinterpret_cast<BYTE*>(out)));
        EXPECT_EQ(out[0], c.first) << c.option;
        EXPECT_EQ(out[1], c.second) << c.option;
    }
}

class RecordingSink : public IPictureTitleSink {
public:
    void SetPicture(const std::wstring& p, const std::wstring* date, int w, int h) override {
        path = p;
        hasDate = date != nullptr;
        dateText = date ? *date : L"";
        width = w;
        height = h;
        ++calls;
    }
    std::wstring path, dateText;
    bool hasDate = false;
    int width = -1, height = -1, calls = 0;
};

TEST_F(LoaderTest, CurrentPictureReportsToTheTitle) {
    CCurrentPicture picture;
    RecordingSink sink;
    picture.SetTitleSink(&sink);
    picture.Open(ImagingTestEnv::Fixture(L"exif_o6.jpg"));
    ASSERT_NE(picture.Loader(), nullptr);
    EXPECT_EQ(sink.calls, 1);
    EXPECT_EQ(sink.width, 3000);
    EXPECT_EQ(sink.height, 4000);
    EXPECT_TRUE(sink.hasDate);
    EXPECT_EQ(sink.dateText, L"2024:05:06 07:08:09");

    for (const wchar_t* name : {L"noise.jpg", L"does-not-exist.jpg"}) {
        const std::wstring path = ImagingTestEnv::Fixture(name);
        picture.Open(path);
        EXPECT_EQ(picture.Loader(), nullptr);
        EXPECT_EQ(picture.Path(), path);
        EXPECT_FALSE(sink.hasDate);
        EXPECT_EQ(sink.width, 0);
        EXPECT_EQ(sink.height, 0);
    }
    EXPECT_NE(picture.GetQueue(), nullptr);
    picture.Close();
    EXPECT_EQ(picture.Loader(), nullptr);
}

TEST_F(LoaderTest, RecordPreviewKeepsTheWidest) {
    CCurrentPicture picture;
    picture.Open(ImagingTestEnv::Fixture(L"pic.bmp"));
    picture.RecordPreview(nullptr);
    EXPECT_TRUE(picture.HasPreview());
    EXPECT_EQ(picture.Preview(), nullptr);
    HDC screen = ::GetDC(nullptr);
    HBITMAP wide = ::CreateCompatibleBitmap(screen, 40, 10);
    HBITMAP narrow = ::CreateCompatibleBitmap(screen, 20, 10);
    ::ReleaseDC(nullptr, screen);
    picture.RecordPreview(wide);
    picture.RecordPreview(narrow);
    UINT w = 0, h = 0;
    ASSERT_NE(picture.Preview(), nullptr);
    picture.Preview()->GetSize(&w, &h);
    EXPECT_EQ(w, 40u);
    picture.Open(ImagingTestEnv::Fixture(L"pic.tif"));
    EXPECT_FALSE(picture.HasPreview());
    EXPECT_EQ(picture.Preview(), nullptr);
    ::DeleteObject(wide);
    ::DeleteObject(narrow);
}

TEST_F(LoaderTest, TruncatedPicturesNeverCrash) {
    for (const wchar_t* name : {L"truncated.jpg", L"truncated.png", L"truncated.gif",
                                L"truncated.ico", L"truncated.tif"}) {
        auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(name));
        if (!loader) continue;
        int w = 0, h = 0;
        loader->GetOrientedSize(w, h);
        HBITMAP bmp = nullptr;
        loader->RenderToBitmap(std::min(w, 64) + 1, std::min(h, 64) + 1, &bmp);
        if (bmp) ::DeleteObject(bmp);
        loader->GetOrientedBitmap(true);
    }
    SUCCEED();
}

TEST_F(LoaderTest, CopyPutsBitmapFileAndDropEffectOnTheClipboard) {
    const std::wstring copy = TempFile(L"pelion_clip.bmp");
    ASSERT_TRUE(::CopyFileW(ImagingTestEnv::Fixture(L"pic.bmp").c_str(), copy.c_str(), FALSE));
    CCurrentPicture picture;
    picture.Open(copy);
    CopyPictureToClipboard(picture);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE dib = ::GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const BITMAPINFOHEADER* bih = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
    EXPECT_EQ(bih->biWidth, 50);
    EXPECT_EQ(bih->biHeight, -40);
    EXPECT_EQ(bih->biBitCount, 32);
    const uint8_t* first = reinterpret_cast<const uint8_t*>(bih) + 40;
    EXPECT_EQ(first[0], 0x20);  // blue of #604020
    EXPECT_EQ(first[2], 0x60);
    ::GlobalUnlock(dib);
    HANDLE drop = ::GetClipboardData(CF_HDROP);
    ASSERT_NE(drop, nullptr);
    wchar_t name[MAX_PATH] = {};
    ::DragQueryFileW(static_cast<HDROP>(drop), 0, name, MAX_PATH);
    EXPECT_EQ(std::wstring(name), picture.Path());
    HANDLE effect = ::GetClipboardData(::RegisterClipboardFormatW(L"Preferred DropEffect"));
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(*static_cast<const DWORD*>(::GlobalLock(effect)), 1u);
    ::GlobalUnlock(effect);
    ::CloseClipboard();

    // The picture on screen does not keep its file: it can be deleted meanwhile, and a copy
    // then puts only the bitmap on the clipboard.
    ASSERT_TRUE(::DeleteFileW(copy.c_str()));
    CopyPictureToClipboard(picture);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    EXPECT_NE(::GetClipboardData(CF_DIB), nullptr);
    EXPECT_EQ(::GetClipboardData(CF_HDROP), nullptr);
    ::CloseClipboard();
}

}  // namespace

namespace {

TEST_F(LoaderTest, DecodedSizeLimit) {
    EXPECT_TRUE(DecodedSizeFits(4000, 3000));
    EXPECT_TRUE(DecodedSizeFits(1, 1));
    EXPECT_FALSE(DecodedSizeFits(0, 10));
    EXPECT_FALSE(DecodedSizeFits(10, 0));
    EXPECT_FALSE(DecodedSizeFits(100000, 100000));
    EXPECT_FALSE(DecodedSizeFits(uint64_t(1) << 32, 1));
    EXPECT_FALSE(DecodedSizeFits(kMaxDecodedPixels + 1, 1));
}

TEST_F(LoaderTest, HostileExifFollowsTheReadingRules) {
    auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"hostile_exif.jpg"));
    ASSERT_NE(loader, nullptr);
    const CPictureInfo& i = loader->Info();
    EXPECT_EQ(i.make, L"Hostile");
    EXPECT_TRUE(i.model.empty());
    EXPECT_EQ(i.orientation, 0);  // a rational is no orientation
    EXPECT_EQ(i.fNumber, L"0.0");
    EXPECT_EQ(i.focalLength, L"0.0");
    EXPECT_TRUE(i.isoSpeed.empty());
    EXPECT_TRUE(i.exposureTime.empty());
    EXPECT_EQ(i.gpsPosition, L"-0.000000,45.250000");
    int w = 0, h = 0;
    loader->GetOrientedSize(w, h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 200);
}

TEST_F(LoaderTest, PlugInReadsWhatNoOtherDecoderReads) {
    auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"plugin.pelraw"));
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(loader->GetOrigin(), CWICImageLoader::Origin::PlugIn);
    EXPECT_EQ(loader->Decoder(), nullptr);
    int w = 0, h = 0;
    loader->GetOrientedSize(w, h);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(h, 4);
    // The library is unloaded by now; the pixels must still be there.
    HBITMAP bmp = nullptr;
    ASSERT_TRUE(loader->RenderToBitmap(6, 4, &bmp));
    ExpectNear(PixelOf(bmp, 3, 2), 0xF0, 0x80, 0x10, 0, "plug-in pixels");
    ::DeleteObject(bmp);
    EXPECT_EQ(::GetModuleHandleW(L"PicDecoder.dll"), nullptr);
}

TEST_F(LoaderTest, ThumbnailPreviewIsScaledAndDrawn) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP thumb = ::CreateCompatibleBitmap(screen, 8, 4);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, thumb);
    RECT rc = {0, 0, 8, 4};
    HBRUSH green = ::CreateSolidBrush(RGB(0, 200, 0));
    ::FillRect(dc, &rc, green);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(green);
    HBITMAP out = nullptr;
    ASSERT_TRUE(RenderThumbnail(thumb, 1, 16, 8, &out, 0, nullptr));
    BITMAP bm = {};
    ::GetObjectW(out, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmHeight, 8);
    ExpectNear(PixelOf(out, 8, 4), 0, 200, 0, 2, "thumbnail");
    EXPECT_FALSE(RenderThumbnail(nullptr, 1, 16, 8, &out, 0, nullptr));
    ::DeleteObject(out);
    ::DeleteObject(thumb);
}

}  // namespace

namespace {

TEST_F(LoaderTest, ColourProfileConversionKeepsPixelsReadable) {
    auto loader = CWICImageLoader::Create(ImagingTestEnv::Fixture(L"transparent.png"));
    ASSERT_NE(loader, nullptr);
    ASSERT_NE(loader->ColorContext(), nullptr);
    IWICBitmapSource* src = loader->Source();
    EXPECT_EQ(ToSRGB(src, nullptr).Get(), src);
    ComPtr<IWICBitmapSource> srgb = ToSRGB(src, loader->ColorContext());
    ASSERT_NE(srgb, nullptr);
    std::vector<uint8_t> px(64 * 32 * 4);
    ComPtr<IWICBitmapSource> bgra = ConvertFormat(srgb.Get(), GUID_WICPixelFormat32bppBGRA);
    ASSERT_NE(bgra, nullptr);
    ASSERT_HRESULT_SUCCEEDED(bgra->CopyPixels(nullptr, 256, UINT(px.size()), px.data()));
    EXPECT_EQ(px[3], 0);                 // transparent half stays transparent
    EXPECT_EQ(px[60 * 4 + 3], 255);      // opaque half
    EXPECT_GT(px[60 * 4 + 0], 200);      // and blue
    // Rendering with the profile applied still shows the brush through the transparent half.
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    ImagingOptions options = HonourOrientation();
    options.background = red;
    CScopedImagingOptions scope(options);
    HBITMAP bmp = nullptr;
    ASSERT_TRUE(loader->RenderToBitmap(32, 16, &bmp));
    ExpectNear(PixelOf(bmp, 2, 8), 255, 0, 0, 0, "transparent half with profile");
    ::DeleteObject(bmp);
    ::DeleteObject(red);
}

}  // namespace
