#include "render_context.h"

#include <algorithm>

#include "paint_manager.h"
#include "text_util.h"

namespace markup {

CRenderContext::CRenderContext(HDC dc, CPaintManagerUI& manager, const RECT& paintRect)
    : m_dc(dc), m_manager(manager), m_paint(paintRect), m_graphics(dc) {
    m_graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    m_graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    m_graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
}

void CRenderContext::FillRect(const RECT& rc, uint32_t argb) {
    if ((argb >> 24) == 0) return;
    Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
    m_graphics.FillRectangle(&brush, int(rc.left), int(rc.top), int(rc.right - rc.left),
                             int(rc.bottom - rc.top));
}

void CRenderContext::FrameRect(const RECT& rc, int width, uint32_t argb) {
    if (width <= 0 || (argb >> 24) == 0) return;
    FillRect({rc.left, rc.top, rc.right, rc.top + width}, argb);
    FillRect({rc.left, rc.bottom - width, rc.right, rc.bottom}, argb);
    FillRect({rc.left, rc.top + width, rc.left + width, rc.bottom - width}, argb);
    FillRect({rc.right - width, rc.top + width, rc.right, rc.bottom - width}, argb);
}

bool CRenderContext::DrawImage(const RECT& rc, const std::wstring& imageString) {
    ImageSpec spec;
    if (!ParseImageString(textutil::WideToUtf8(imageString), spec)) return false;
    int k = 1;  // image pixels per layout unit
    Gdiplus::Bitmap* bmp = m_manager.GetImage(spec.file, &k);
    if (!bmp) return false;
    const int iw = int(bmp->GetWidth()), ih = int(bmp->GetHeight());
    UiRect src = spec.hasSource ? UiRect{spec.source.left * k, spec.source.top * k, spec.source.right * k,
                                         spec.source.bottom * k}
                                : UiRect{0, 0, iw, ih};
    src.left = std::max(0, src.left);
    src.top = std::max(0, src.top);
    src.right = std::min(iw, src.right);
    src.bottom = std::min(ih, src.bottom);
    if (src.Empty()) return false;
    RECT dst = rc;
    if (spec.hasDest) {
        dst = {rc.left + m_manager.Scale(spec.dest.left), rc.top + m_manager.Scale(spec.dest.top),
               rc.left + m_manager.Scale(spec.dest.right), rc.top + m_manager.Scale(spec.dest.bottom)};
    }
    if (dst.right <= dst.left || dst.bottom <= dst.top) return false;
    Gdiplus::ImageAttributes attrs;
    attrs.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const bool exact = dst.right - dst.left == src.Width() && dst.bottom - dst.top == src.Height();
    m_graphics.SetInterpolationMode(exact ? Gdiplus::InterpolationModeNearestNeighbor
                                          : Gdiplus::InterpolationModeHighQualityBicubic);
    auto blit = [&](int dl, int dt, int dr, int db, int sl, int st, int sr, int sb) {
        if (dr <= dl || db <= dt || sr <= sl || sb <= st) return;
        m_graphics.DrawImage(bmp, Gdiplus::Rect(dl, dt, dr - dl, db - dt), sl, st, sr - sl, sb - st,
                             Gdiplus::UnitPixel, &attrs);
    };
    const UiRect& c = spec.corner;
    if (c.left || c.top || c.right || c.bottom) {
        // Nine parts: corners keep their size, edges and centre stretch.
        const int sx[4] = {src.left, src.left + c.left * k, src.right - c.right * k, src.right};
        const int sy[4] = {src.top, src.top + c.top * k, src.bottom - c.bottom * k, src.bottom};
        const int dx[4] = {int(dst.left), int(dst.left) + m_manager.Scale(c.left),
                           int(dst.right) - m_manager.Scale(c.right), int(dst.right)};
        const int dy[4] = {int(dst.top), int(dst.top) + m_manager.Scale(c.top),
                           int(dst.bottom) - m_manager.Scale(c.bottom), int(dst.bottom)};
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                blit(dx[x], dy[y], dx[x + 1], dy[y + 1], sx[x], sy[y], sx[x + 1], sy[y + 1]);
    } else {
        blit(dst.left, dst.top, dst.right, dst.bottom, src.left, src.top, src.right, src.bottom);
    }
    m_graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    return true;
}

void CRenderContext::DrawText(const RECT& rc, const std::wstring& text, int font, uint32_t argb,
                              UINT align) {
    if (text.empty() || (argb >> 24) == 0) return;
    RECT r = rc;
    // GDI text goes through the surface's own DC so both stay in order.
    const HDC dc = m_graphics.GetHDC();
    const HGDIOBJ old = ::SelectObject(dc, m_manager.GetFont(font));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF));
    ::DrawTextW(dc, text.c_str(), int(text.size()), &r,
                align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    ::SelectObject(dc, old);
    m_graphics.ReleaseHDC(dc);
}

}  // namespace markup
