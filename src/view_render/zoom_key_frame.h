#pragma once
// A picture pre-scaled for one zoom ratio, drawn through Direct2D.
#include <windows.h>
#include <d2d1.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <memory>

#include "win_handle.h"

namespace Gdiplus {
class Bitmap;
}

class CZoomKeyFrame {
public:
    virtual ~CZoomKeyFrame();
    virtual bool Draw(ID2D1RenderTarget* target, int left, int top, int right, int bottom);

    float m_ratio = 1.0f;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> m_bitmap;
    // Only the full frame: used when the picture is too large for a Direct2D bitmap.
    std::unique_ptr<Gdiplus::Bitmap> m_fallback;
};

// The fit bitmap as a frame; its Direct2D bitmap is made on demand.
class CFitViewFrame : public CZoomKeyFrame {
public:
    bool Draw(ID2D1RenderTarget* target, int left, int top, int right, int bottom) override;
    HBITMAP FitBitmap() const { return static_cast<HBITMAP>(m_fit.get()); }
    void SetFitBitmap(HBITMAP bitmap);

private:
    UniqueGdiObject m_fit;
};

// A Direct2D bitmap of the source scaled to width x height (null on failure).
Microsoft::WRL::ComPtr<ID2D1Bitmap> MakeD2DBitmap(ID2D1RenderTarget* target,
                                                  IWICBitmapSource* source);
ID2D1Factory* SharedD2DFactory();
