#include "zoom_key_frame.h"

#include <d2d1_1.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <mutex>

#include "wic_factory.h"
#include "wic_ops.h"

using Microsoft::WRL::ComPtr;

ID2D1Factory* SharedD2DFactory() {
    static std::once_flag once;
    static ComPtr<ID2D1Factory> factory;
    std::call_once(once, [] {
        D2D1_FACTORY_OPTIONS options = {};
        ::D2D1CreateFactory(D2D1_FACTORY_TYPE_MULTI_THREADED, __uuidof(ID2D1Factory), &options,
                            reinterpret_cast<void**>(factory.GetAddressOf()));
    });
    return factory.Get();
}

ComPtr<ID2D1Bitmap> MakeD2DBitmap(ID2D1RenderTarget* target, IWICBitmapSource* source) {
    ComPtr<ID2D1Bitmap> bitmap;
    if (!target || !source) return bitmap;
    ComPtr<IWICBitmapSource> pbgra = ConvertFormat(source, GUID_WICPixelFormat32bppPBGRA);
    if (!pbgra) return bitmap;
    if (FAILED(target->CreateBitmapFromWicBitmap(pbgra.Get(), nullptr, &bitmap))) bitmap.Reset();
    return bitmap;
}

CZoomKeyFrame::~CZoomKeyFrame() = default;

bool CZoomKeyFrame::Draw(ID2D1RenderTarget* target, int l, int t, int r, int b) {
    if (!m_bitmap || !target) return false;
    const D2D1_SIZE_U size = m_bitmap->GetPixelSize();
    if (r <= l || b <= t || !size.width || !size.height) return true;
    const float scale = float(r - l) / float(size.width);
    // Only the part inside the target is drawn, from the matching part of the bitmap: a large
    // picture zoomed in costs what the screen shows, not what the picture holds.
    const D2D1_SIZE_F area = target->GetSize();
    const float vl = std::max(float(l), 0.0f), vt = std::max(float(t), 0.0f);
    const float vr = std::min(float(r), area.width), vb = std::min(float(b), area.height);
    if (vr <= vl || vb <= vt) return true;
    const float kx = float(size.width) / float(r - l), ky = float(size.height) / float(b - t);
    const D2D1_RECT_F dest = D2D1::RectF(vl, vt, vr, vb);
    const D2D1_RECT_F source =
        D2D1::RectF((vl - l) * kx, (vt - t) * ky, (vr - l) * kx, (vb - t) * ky);
    ComPtr<ID2D1DeviceContext> dc;
    // Shrinking to under half its size needs the better filter to avoid aliasing.
    if (scale < 0.5f && SUCCEEDED(target->QueryInterface(IID_PPV_ARGS(&dc)))) {
        dc->DrawBitmap(m_bitmap.Get(), &dest, 1.0f, D2D1_INTERPOLATION_MODE_MULTI_SAMPLE_LINEAR,
                       &source, nullptr);
    } else {
        target->DrawBitmap(m_bitmap.Get(), dest, 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR,
                           source);
    }
    return true;
}

void CFitViewFrame::SetFitBitmap(HBITMAP bitmap) {
    m_fit.reset(bitmap);
    m_bitmap.Reset();
}

bool CFitViewFrame::Draw(ID2D1RenderTarget* target, int l, int t, int r, int b) {
    if (!m_bitmap && m_fit && target) {
        IWICImagingFactory* factory = SharedWicFactory();
        ComPtr<IWICBitmap> wic;
        if (factory && SUCCEEDED(factory->CreateBitmapFromHBITMAP(FitBitmap(), nullptr,
                                                                  WICBitmapIgnoreAlpha, &wic)))
            m_bitmap = MakeD2DBitmap(target, wic.Get());
    }
    return CZoomKeyFrame::Draw(target, l, t, r, b);
}
