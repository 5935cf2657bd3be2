#include "ui_control.h"

#include "paint_manager.h"
#include "render_context.h"
#include "text_util.h"

namespace markup {

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent) {
    m_manager = manager;
    m_parent = parent;
}

int CControlUI::Scale(int v) const { return m_manager ? m_manager->Scale(v) : v; }

RECT CControlUI::ScaledInset(const RECT& rc, const UiRect& inset) const {
    return {rc.left + Scale(inset.left), rc.top + Scale(inset.top), rc.right - Scale(inset.right),
            rc.bottom - Scale(inset.bottom)};
}

void CControlUI::Invalidate() {
    if (m_manager) m_manager->Invalidate(m_rcItem);
}

void CControlUI::NeedParentUpdate() {
    if (m_manager) {
        m_manager->NeedUpdate();
        if (m_manager->GetPaintWindow()) ::InvalidateRect(m_manager->GetPaintWindow(), nullptr, FALSE);
    }
}

void CControlUI::SetText(const std::wstring& text) {
    if (m_text == text) return;
    m_text = text;
    Invalidate();
}

void CControlUI::SetPos(const RECT& rc) {
    if (::EqualRect(&rc, &m_rcItem)) return;
    Invalidate();
    m_rcItem = rc;
    Invalidate();
}

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0 || cx > kMaxLayoutNumber) return;
    m_fixedWidth = cx;
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0 || cy > kMaxLayoutNumber) return;
    m_fixedHeight = cy;
    NeedParentUpdate();
}

void CControlUI::SetVisible(bool visible) {
    if (m_visible == visible) return;
    m_visible = visible;
    NeedParentUpdate();
}

void CControlUI::SetEnabled(bool enabled) {
    if (m_enabled == enabled) return;
    m_enabled = enabled;
    Invalidate();
}

void CControlUI::SetBkImage(const std::wstring& image) {
    m_bkImage = image;
    Invalidate();
}

void CControlUI::SetAttribute(const std::wstring& name, const std::wstring& wvalue) {
    const std::string value = textutil::WideToUtf8(wvalue);
    UiRect rc;
    UiSize size;
    uint32_t color = 0;
    bool flag = false;
    int n = 0;
    if (name == L"name") m_name = wvalue;
    else if (name == L"text") SetText(wvalue);
    else if (name == L"tooltip") m_tooltip = wvalue;
    else if (name == L"pos") {
        if (ParseRect(value, rc)) {
            m_floatPos = rc;
            if (rc.Width() > 0) m_fixedWidth = rc.Width();
            if (rc.Height() > 0) m_fixedHeight = rc.Height();
            NeedParentUpdate();
        }
    } else if (name == L"float") {
        if (ParseBool(value, flag)) SetFloat(flag);
    } else if (name == L"padding") {
        if (ParseRect(value, rc)) m_padding = rc, NeedParentUpdate();
    } else if (name == L"width") {
        if (ParseInt(value, n)) SetFixedWidth(n);
    } else if (name == L"height") {
        if (ParseInt(value, n)) SetFixedHeight(n);
    } else if (name == L"bkcolor") {
        if (ParseColor(value, color)) m_bkColor = color, Invalidate();
    } else if (name == L"bordercolor") {
        if (ParseColor(value, color)) m_borderColor = color;
    } else if (name == L"bordersize") {
        if (ParseInt(value, n) && n >= 0 && n < 100) m_borderSize = n;
    } else if (name == L"bkimage") SetBkImage(wvalue);
    else if (name == L"foreimage") m_foreImage = wvalue, Invalidate();
    else if (name == L"visible") {
        if (ParseBool(value, flag)) SetVisible(flag);
    } else if (name == L"enabled") {
        if (ParseBool(value, flag)) SetEnabled(flag);
    } else if (name == L"font") {
        if (ParseInt(value, n)) SetFont(n);
    } else if (name == L"textcolor") {
        if (ParseColor(value, color)) SetTextColor(color);
    } else if (name == L"disabledtextcolor") {
        if (ParseColor(value, color)) m_disabledTextColor = color;
    } else if (name == L"align") {
        if (wvalue == L"left") m_textAlign = DT_LEFT;
        else if (wvalue == L"center") m_textAlign = DT_CENTER;
        else if (wvalue == L"right") m_textAlign = DT_RIGHT;
        Invalidate();
    } else if (name == L"textpadding") {
        if (ParseRect(value, rc)) SetTextPadding(rc);
    } else if (name == L"showtext") {
        if (ParseBool(value, flag)) m_showText = flag;
    } else if (name == L"tag") {
        if (ParseInt(value, n)) m_tag = n;
    }
}

CControlUI* CControlUI::FindControl(const std::wstring& name) {
    return name == m_name ? this : nullptr;
}

CControlUI* CControlUI::FindControlAt(POINT pt) {
    return m_visible && ::PtInRect(&m_rcItem, pt) ? this : nullptr;
}

void CControlUI::Paint(CRenderContext& ctx) {
    RECT tmp;
    if (!m_visible || !::IntersectRect(&tmp, &m_rcItem, &ctx.PaintRect())) return;
    PaintBkColor(ctx);
    PaintBkImage(ctx);
    PaintStatusImage(ctx);
    if (!m_foreImage.empty()) DrawImage(ctx, m_foreImage);
    PaintText(ctx);
    PaintBorder(ctx);
}

void CControlUI::PaintBkColor(CRenderContext& ctx) { ctx.FillRect(m_rcItem, m_bkColor); }

void CControlUI::PaintBkImage(CRenderContext& ctx) {
    if (!m_bkImage.empty()) DrawImage(ctx, m_bkImage);
}

bool CControlUI::DrawImage(CRenderContext& ctx, const std::wstring& image) {
    return ctx.DrawImage(m_rcItem, image);
}

void CControlUI::PaintText(CRenderContext& ctx) {
    if (!m_showText || m_text.empty()) return;
    ctx.DrawText(ScaledInset(m_rcItem, m_textPadding), m_text, m_font,
                 m_enabled ? m_textColor : m_disabledTextColor, m_textAlign);
}

void CControlUI::PaintBorder(CRenderContext& ctx) {
    if (m_borderSize > 0) ctx.FrameRect(m_rcItem, Scale(m_borderSize), m_borderColor);
}

}  // namespace markup
