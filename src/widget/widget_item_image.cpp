#include "widget_item_image.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <memory>

namespace widget_window {

bool LoadPicture(const std::wstring& path, bool premultiplied, FCObjImage& image) {
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(path.c_str()));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return false;
    const int w = int(bitmap->GetWidth()), h = int(bitmap->GetHeight());
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192) return false;
    Gdiplus::Rect rect(0, 0, w, h);
    Gdiplus::BitmapData data;
    const Gdiplus::PixelFormat format = premultiplied ? PixelFormat32bppPARGB : PixelFormat32bppARGB;
    if (bitmap->LockBits(&rect, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok)
        return false;
    bool ok = image.Create(w, h, 32);
    for (int y = 0; ok && y < h; ++y)
        std::memcpy(image.GetBits(y), static_cast<const uint8_t*>(data.Scan0) + y * data.Stride,
                    size_t(w) * 4);
    bitmap->UnlockBits(&data);
    return ok;
}

void CWidgetItemImage::Draw(HDC dc) {
    m_image.Draw(dc, 0, 0, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
}

void CWidgetItemBitmapButton::FitToFace() {
    m_rect.right = m_rect.left + FaceWidth();
    m_rect.bottom = m_rect.top + m_image.Height();
}

void CWidgetItemBitmapButton::Draw(HDC dc) {
    const int face = Has(kPressed) ? 2 : Has(kHover) ? 1 : 0;
    const int w = FaceWidth();
    const RECT src = {face * w, 0, face * w + w, m_image.Height()};
    m_image.Draw(dc, 0, 0, w, m_image.Height(), &src);
}

}  // namespace widget_window
