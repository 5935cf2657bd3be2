// Rendering of a loader's picture into device bitmaps.
#include <windows.h>
#include "image_effect.h"
#include "image_type.h"
#include "imaging_options.h"
#include "wic_factory.h"
#include "wic_image_loader.h"
#include "wic_ops.h"
#include "win_handle.h"

using Microsoft::WRL::ComPtr;

bool FinishRendering(IWICBitmapSource* scaled, HBITMAP* bitmap) {
    if (!scaled || !bitmap) return false;
    FCObjImage img;
    if (!img.ReadFromSource(scaled, GUID_WICPixelFormat32bppPBGRA)) return false;
    ApplyEnhance(img, nullptr);
    const ImagingOptions options = GetImagingOptions();

    HDC screen = ::GetDC(nullptr);
    HBITMAP fresh = ::CreateCompatibleBitmap(screen, img.Width(), img.Height());
    ::ReleaseDC(nullptr, screen);
    if (!fresh) return false;
    UniqueMemDC mem(::CreateCompatibleDC(nullptr));
    if (!mem) {
        ::DeleteObject(fresh);
        return false;
    }
    HGDIOBJ old = ::SelectObject(mem.get(), fresh);
    if (options.background) {
        RECT rc = {0, 0, img.Width(), img.Height()};
        ::FillRect(mem.get(), &rc, options.background);
    }
    img.Draw(mem.get(), 0, 0, img.Width(), img.Height());
    ::SelectObject(mem.get(), old);
    if (*bitmap) ::DeleteObject(*bitmap);
    *bitmap = fresh;
    return true;
}

bool CWICImageLoader::RenderToBitmap(int width, int height, HBITMAP* bitmap) const {
    if (!m_source || width <= 0 || height <= 0 || !DecodedSizeFits(UINT(width), UINT(height)))
        return false;
    const int transform = OrientationTransform(Orientation());
    const bool swap = TransformSwapsAxes(transform);
    const UINT w = UINT(swap ? height : width), h = UINT(swap ? width : height);
    ComPtr<IWICBitmapSource> src;
    UINT sw = 0, sh = 0;
    m_source->GetSize(&sw, &sh);
    if (IsRunningUnderWine() && (sw != w || sh != h)) {
        // Our resampler reads the decoder's pixels itself; a conversion first would only
        // cost time.
        src = ResampleTo(m_source.Get(), w, h);
    } else {
        src = ConvertFormat(m_source.Get(), GUID_WICPixelFormat32bppBGRA);
        if (src) src = ScaleTo(src.Get(), w, h, WICBitmapInterpolationModeFant);
    }
    if (!src) return false;
    if (m_colorContext && !GetImagingOptions().ignoreEmbeddedIcc)
        src = ToSRGB(src.Get(), m_colorContext.Get());
    if (transform != 0) {
        ComPtr<IWICBitmap> copy = CopyToMemory(src.Get());
        if (!copy) return false;
        src = ApplyTransform(copy.Get(), transform);
        if (!src) return false;
    }
    return FinishRendering(src.Get(), bitmap);
}

ComPtr<IWICBitmap> CWICImageLoader::GetOrientedBitmap(bool applyColorProfile) const {
    if (!m_source) return nullptr;
    UINT w = 0, h = 0;
    if (FAILED(m_source->GetSize(&w, &h)) || !DecodedSizeFits(w, h)) return nullptr;
    ComPtr<IWICBitmapSource> src = m_source;
    if (applyColorProfile && m_colorContext) src = ToSRGB(src.Get(), m_colorContext.Get());
    ComPtr<IWICBitmap> bitmap;
    WICPixelFormatGUID format = {};
    if (!(SUCCEEDED(src.As(&bitmap)) && SUCCEEDED(bitmap->GetPixelFormat(&format)) &&
          IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA))) {
        ComPtr<IWICBitmapSource> bgra = ConvertFormat(src.Get(), GUID_WICPixelFormat32bppBGRA);
        bitmap = bgra ? CopyToMemory(bgra.Get()) : nullptr;
        if (!bitmap) return nullptr;
    }
    const int transform = OrientationTransform(Orientation());
    if (transform == 0) return bitmap;
    ComPtr<IWICBitmapSource> turned = ApplyTransform(bitmap.Get(), transform);
    // No flip-rotator at all: turn the pixels ourselves rather than hand out a wrong copy.
    if (turned.Get() == static_cast<IWICBitmapSource*>(bitmap.Get()))
        turned = TransformInMemory(bitmap.Get(), transform);
    ComPtr<IWICBitmap> result;
    if (turned && SUCCEEDED(turned.As(&result))) return result;
    return nullptr;
}

bool RenderThumbnail(HBITMAP thumbnail, int alphaType, int width, int height, HBITMAP* bitmap,
                     int transformOption, IWICColorContext* context) {
    IWICImagingFactory* factory = SharedWicFactory();
    if (!thumbnail || !factory || width <= 0 || height <= 0 ||
        !DecodedSizeFits(UINT(width), UINT(height)))
        return false;
    ComPtr<IWICBitmap> fromHbitmap;
    // Alpha type 2 is "has alpha" in the thumbnail cache's terms.
    if (FAILED(factory->CreateBitmapFromHBITMAP(
            thumbnail, nullptr, alphaType == 2 ? WICBitmapUseAlpha : WICBitmapIgnoreAlpha,
            &fromHbitmap)))
        return false;
    ComPtr<IWICBitmapSource> src = fromHbitmap;
    if (!IsSystemWindows8OrLater()) src = ApplyTransform(src.Get(), transformOption);
    if (src) src = ConvertFormat(src.Get(), GUID_WICPixelFormat32bppBGRA);
    if (src) src = ScaleTo(src.Get(), UINT(width), UINT(height), WICBitmapInterpolationModeLinear);
    if (!src) return false;
    if (context) src = ToSRGB(src.Get(), context);
    return FinishRendering(src.Get(), bitmap);
}
