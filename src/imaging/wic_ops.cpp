#include "wic_ops.h"

#include <algorithm>
#include <vector>

#include "pixel_transform.h"
#include "resampler.h"
#include "wic_factory.h"

bool IsRunningUnderWine() {
    static const bool wine = [] {
        HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

namespace {
// The real system version; the newest known when it cannot be read.
const OSVERSIONINFOW& SystemVersion() {
    static const OSVERSIONINFOW version = [] {
        using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
        HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        auto fn = ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
                              ::GetProcAddress(ntdll, "RtlGetVersion")))
                        : nullptr;
        OSVERSIONINFOW info = {sizeof(info)};
        if (!fn || fn(&info) != 0) info.dwMajorVersion = 10;
        return info;
    }();
    return version;
}
}  // namespace

bool IsSystemWindows8OrLater() {
    const OSVERSIONINFOW& info = SystemVersion();
    return info.dwMajorVersion > 6 || (info.dwMajorVersion == 6 && info.dwMinorVersion >= 2);
}

bool IsSystemWindows10OrLater() { return SystemVersion().dwMajorVersion >= 10; }

bool DecodedSizeFits(uint64_t width, uint64_t height) {
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
    const uint64_t pixels = width * height;
    if (pixels > kMaxDecodedPixels) return false;
    MEMORYSTATUSEX ms = {sizeof(ms)};
    if (::GlobalMemoryStatusEx(&ms) && pixels * 4 > ms.ullAvailPageFile / 4) return false;
    return true;
}

ComPtr<IWICBitmapSource> ConvertFormat(IWICBitmapSource* source, REFWICPixelFormatGUID format) {
    IWICImagingFactory* factory = SharedWicFactory();
    ComPtr<IWICFormatConverter> converter;
    if (!factory || !source || FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return nullptr;
    return converter;
}

ComPtr<IWICBitmapSource> ScaleTo(IWICBitmapSource* source, UINT width, UINT height,
                                 WICBitmapInterpolationMode mode) {
    IWICImagingFactory* factory = SharedWicFactory();
    if (!factory || !source || width == 0 || height == 0) return nullptr;
    UINT w = 0, h = 0;
    if (FAILED(source->GetSize(&w, &h))) return nullptr;
    if (w == width && h == height) return source;
    // Wine's scaler is nearest neighbour whatever the mode: pictures would alias.
    if (IsRunningUnderWine() && mode != WICBitmapInterpolationModeNearestNeighbor)
        return ResampleTo(source, width, height);
    ComPtr<IWICBitmapScaler> scaler;
    if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(source, width, height, mode)))
        return nullptr;
    return scaler;
}

ComPtr<IWICBitmapSource> ResampleTo(IWICBitmapSource* source, UINT width, UINT height) {
    IWICImagingFactory* factory = SharedWicFactory();
    if (!factory || !source || !DecodedSizeFits(width, height)) return nullptr;
    // Decoders' own 24-bit and opaque 32-bit pixels are read as they are: a stock conversion
    // of a whole photo costs as much as the resampling itself.
    WICPixelFormatGUID format = {};
    source->GetPixelFormat(&format);
    ComPtr<IWICBitmapSource> input = source;
    UINT bytesPerPixel = 4;
    bool opaque = false;
    if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        bytesPerPixel = 3;
        opaque = true;
    } else if (IsEqualGUID(format, GUID_WICPixelFormat32bppBGR)) {
        opaque = true;
    } else if (!IsEqualGUID(format, GUID_WICPixelFormat32bppPBGRA)) {
        input = ConvertFormat(source, GUID_WICPixelFormat32bppPBGRA);
    }
    UINT sw = 0, sh = 0;
    if (!input || FAILED(input->GetSize(&sw, &sh)) || sw == 0 || sh == 0 ||
        sw > 0x7FFFFFFF / 4 || sh > 0x7FFFFFFF)
        return nullptr;
    ComPtr<IWICBitmap> out;
    if (FAILED(factory->CreateBitmap(width, height, GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapCacheOnLoad, &out)))
        return nullptr;
    const uint64_t stride64 = (uint64_t(sw) * bytesPerPixel * 8 + 31) / 32 * 4;
    if (stride64 > (uint64_t(1) << 30)) return nullptr;
    // Source rows are fetched in strips: one CopyPixels per row costs too much.
    const UINT stride = UINT(stride64);
    const UINT strip = std::max<UINT>(1, std::min<UINT>(sh, (1u << 22) / stride + 1));
    std::vector<uint8_t> buffer(size_t(stride) * strip);
    int stripStart = -1;
    auto readRow = [&](int y, uint8_t* row) -> bool {
        if (stripStart < 0 || y < stripStart || y >= stripStart + int(strip)) {
            const UINT rows = std::min<UINT>(strip, sh - UINT(y));
            WICRect rc = {0, y, INT(sw), INT(rows)};
            if (FAILED(input->CopyPixels(&rc, stride, stride * rows, buffer.data()))) return false;
            stripStart = y;
        }
        const uint8_t* src = &buffer[size_t(y - stripStart) * stride];
        if (bytesPerPixel == 3) {
            for (UINT x = 0; x < sw; ++x, src += 3, row += 4) {
                row[0] = src[0];
                row[1] = src[1];
                row[2] = src[2];
                row[3] = 255;
            }
        } else {
            std::copy_n(src, size_t(sw) * 4, row);
            if (opaque)
                for (UINT x = 0; x < sw; ++x) row[x * 4 + 3] = 255;
        }
        return true;
    };
    bool ok = false;
    {
        WICRect rc = {0, 0, INT(width), INT(height)};
        ComPtr<IWICBitmapLock> lock;
        UINT outStride = 0, size = 0;
        BYTE* data = nullptr;
        if (SUCCEEDED(out->Lock(&rc, WICBitmapLockWrite, &lock)) &&
            SUCCEEDED(lock->GetStride(&outStride)) && SUCCEEDED(lock->GetDataPointer(&size, &data)))
            ok = ResamplePixels32(int(sw), int(sh), readRow, int(width), int(height), data,
                                  outStride);
    }
    if (!ok) return nullptr;
    return out;
}

ComPtr<IWICBitmap> CopyToMemory(IWICBitmapSource* source) {
    IWICImagingFactory* factory = SharedWicFactory();
    ComPtr<IWICBitmap> bitmap;
    if (!factory || !source ||
        FAILED(factory->CreateBitmapFromSource(source, WICBitmapCacheOnLoad, &bitmap)))
        return nullptr;
    return bitmap;
}

ComPtr<IWICBitmapSource> TransformInMemory(IWICBitmapSource* source, int option) {
    IWICImagingFactory* factory = SharedWicFactory();
    if (!factory || !source) return nullptr;
    WICPixelFormatGUID format = {};
    if (FAILED(source->GetPixelFormat(&format))) return nullptr;
    ComPtr<IWICBitmapSource> input = source;
    if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
        !IsEqualGUID(format, GUID_WICPixelFormat32bppPBGRA) &&
        !IsEqualGUID(format, GUID_WICPixelFormat32bppBGR)) {
        format = GUID_WICPixelFormat32bppBGRA;
        input = ConvertFormat(source, format);
        if (!input) return nullptr;
    }
    UINT w = 0, h = 0;
    if (FAILED(input->GetSize(&w, &h)) || !DecodedSizeFits(w, h)) return nullptr;
    const UINT stride = w * 4;
    std::vector<uint8_t> pixels(size_t(stride) * h);
    if (FAILED(input->CopyPixels(nullptr, stride, UINT(pixels.size()), pixels.data())))
        return nullptr;
    int ow = 0, oh = 0;
    TransformedSize(option, int(w), int(h), ow, oh);
    ComPtr<IWICBitmap> out;
    if (FAILED(factory->CreateBitmap(UINT(ow), UINT(oh), format, WICBitmapCacheOnLoad, &out)))
        return nullptr;
    WICRect rc = {0, 0, ow, oh};
    ComPtr<IWICBitmapLock> lock;
    UINT outStride = 0, size = 0;
    BYTE* data = nullptr;
    if (FAILED(out->Lock(&rc, WICBitmapLockWrite, &lock)) || FAILED(lock->GetStride(&outStride)) ||
        FAILED(lock->GetDataPointer(&size, &data)) || uint64_t(outStride) * UINT(oh) > size)
        return nullptr;
    TransformPixels32(option, pixels.data(), int(w), int(h), stride, data, outStride);
    lock.Reset();
    return out;
}

ComPtr<IWICBitmapSource> ApplyTransform(IWICBitmapSource* source, int option) {
    IWICImagingFactory* factory = SharedWicFactory();
    if (option == 0 || !source) return source;
    ComPtr<IWICBitmapFlipRotator> rotator;
    if (!factory || FAILED(factory->CreateBitmapFlipRotator(&rotator)) ||
        FAILED(rotator->Initialize(source, WICBitmapTransformOptions(option))))
        return source;
    if (ComPtr<IWICBitmap> copy = CopyToMemory(rotator.Get())) return copy;
    // Wine's flip-rotator initialises but cannot copy most turns: do it ourselves.
    return TransformInMemory(source, option);
}

ComPtr<IWICBitmapSource> ToSRGB(IWICBitmapSource* source, IWICColorContext* context) {
    IWICImagingFactory* factory = SharedWicFactory();
    if (!factory || !source || !context) return source;
    ComPtr<IWICColorContext> srgb;
    ComPtr<IWICColorTransform> transform;
    if (FAILED(factory->CreateColorContext(&srgb)) || FAILED(srgb->InitializeFromExifColorSpace(1)) ||
        FAILED(factory->CreateColorTransformer(&transform)) ||
        FAILED(transform->Initialize(source, context, srgb.Get(), GUID_WICPixelFormat32bppBGRA)))
        return source;
    return transform;
}
