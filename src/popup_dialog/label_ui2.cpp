#include "label_ui2.h"

#include <memory>

#include "paint_manager.h"
#include "render_context.h"

namespace {

// Null when GDI+ does not know the face (it does not see the system's font substitutes).
std::unique_ptr<Gdiplus::Font> MakeFont(HFONT hfont) {
    LOGFONTW lf = {};
    if (!::GetObjectW(hfont, sizeof(lf), &lf)) return nullptr;
    Gdiplus::FontFamily family(lf.lfFaceName);
    if (family.GetLastStatus() != Gdiplus::Ok || !family.IsAvailable()) return nullptr;
    const float px = float(lf.lfHeight < 0 ? -lf.lfHeight : (lf.lfHeight ? lf.lfHeight : 16));
    int style = Gdiplus::FontStyleRegular;
    if (lf.lfWeight >= FW_BOLD) style |= Gdiplus::FontStyleBold;
    if (lf.lfItalic) style |= Gdiplus::FontStyleItalic;
    auto font = std::make_unique<Gdiplus::Font>(&family, px, style, Gdiplus::UnitPixel);
    return font->GetLastStatus() == Gdiplus::Ok ? std::move(font) : nullptr;
}

UINT GdiAlign(const std::wstring& alignment) {
    return alignment == L"left" ? DT_LEFT : alignment == L"right" ? DT_RIGHT : DT_CENTER;
}

}  // namespace

void CLabelUI2::PaintText(markup::CRenderContext& ctx) {
    if (m_text.empty() || !m_manager) return;
    const RECT rc = ScaledInset(m_rcItem, m_textPadding);
    const uint32_t color = 0xFF000000u | (m_enabled ? m_textColor : m_disabledTextColor);
    const HFONT hfont = m_manager->GetFont(m_font);
    const auto font = MakeFont(hfont);
    Gdiplus::Graphics& g = ctx.Graphics();
    if (!font) {
        // Same layout through GDI: wrapped lines, centred as a block.
        const HDC dc = g.GetHDC();
        const HGDIOBJ old = ::SelectObject(dc, hfont);
        const UINT flags = GdiAlign(m_alignment) | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
        RECT measure = rc;
        ::DrawTextW(dc, m_text.c_str(), int(m_text.size()), &measure, flags | DT_CALCRECT);
        RECT box = rc;
        const int h = measure.bottom - measure.top;
        if (h < rc.bottom - rc.top) box.top = rc.top + ((rc.bottom - rc.top) - h) / 2;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF));
        ::DrawTextW(dc, m_text.c_str(), int(m_text.size()), &box, flags | DT_END_ELLIPSIS);
        ::SelectObject(dc, old);
        g.ReleaseHDC(dc);
        return;
    }
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    Gdiplus::StringFormat format;
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    if (m_alignment == L"left") format.SetAlignment(Gdiplus::StringAlignmentNear);
    else if (m_alignment == L"right") format.SetAlignment(Gdiplus::StringAlignmentFar);
    else format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
    const Gdiplus::RectF box(float(rc.left), float(rc.top), float(rc.right - rc.left), float(rc.bottom - rc.top));
    g.DrawString(m_text.c_str(), INT(m_text.size()), font.get(), box, &format, &brush);
}
