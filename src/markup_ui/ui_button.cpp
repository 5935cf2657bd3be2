#include "ui_button.h"

#include "paint_manager.h"
#include "render_context.h"
#include "text_util.h"
#include "ui_container.h"

namespace markup {
void CButtonUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    uint32_t color = 0;
    if (name == L"normalimage") m_normalImage = value, Invalidate();
    else if (name == L"hotimage") m_hotImage = value, Invalidate();
    else if (name == L"pushedimage") m_pushedImage = value, Invalidate();
    else if (name == L"disabledimage") m_disabledImage = value, Invalidate();
    else if (name == L"hottextcolor") {
        if (ParseColor(textutil::WideToUtf8(value), color)) m_hotTextColor = color;
    } else CLabelUI::SetAttribute(name, value);
}

void CButtonUI::SetEnabled(bool enabled) {
    if (!enabled) m_hot = m_pushed = false;
    CLabelUI::SetEnabled(enabled);
}

void CButtonUI::OnMouseEnter() {
    m_hot = true;
    Invalidate();
}
void CButtonUI::OnMouseLeave() {
    m_hot = false;
    Invalidate();
}
void CButtonUI::OnMouseDown(POINT) {
    m_pushed = true;
    Invalidate();
}
void CButtonUI::OnMouseUp(POINT, bool inside) {
    m_pushed = false;
    Invalidate();
    if (inside && m_enabled) Activate();
}

void CButtonUI::Activate() {
    if (m_manager) m_manager->SendNotify(this, L"click");
}

void CButtonUI::PaintStatusImage(CRenderContext& ctx) {
    if (!m_enabled && !m_disabledImage.empty() && DrawImage(ctx, m_disabledImage)) return;
    if (m_enabled && m_pushed && !m_pushedImage.empty() && DrawImage(ctx, m_pushedImage)) return;
    if (m_enabled && (m_hot || m_pushed) && !m_hotImage.empty() && DrawImage(ctx, m_hotImage)) return;
    if (!m_normalImage.empty()) DrawImage(ctx, m_normalImage);
}

void CButtonUI::PaintText(CRenderContext& ctx) {
    if (!m_showText || m_text.empty()) return;
    uint32_t color = m_enabled ? m_textColor : m_disabledTextColor;
    if (m_enabled && m_hot && m_hotTextColor) color = m_hotTextColor;
    ctx.DrawText(ScaledInset(m_rcItem, m_textPadding), m_text, m_font, color, m_textAlign);
}

void COptionUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    bool flag = false;
    uint32_t color = 0;
    if (name == L"group") m_group = value;
    else if (name == L"selected") {
        if (ParseBool(textutil::WideToUtf8(value), flag)) Selected(flag, false);
    } else if (name == L"selectedimage") m_selectedImage = value, Invalidate();
    else if (name == L"selectedhotimage") m_selectedHotImage = value, Invalidate();
    else if (name == L"selectedtextcolor") {
        if (ParseColor(textutil::WideToUtf8(value), color)) m_selectedTextColor = color;
    } else CButtonUI::SetAttribute(name, value);
}

void COptionUI::Selected(bool selected, bool notify) {
    if (m_selected == selected) return;
    m_selected = selected;
    if (selected && !m_group.empty() && m_manager) {
        ForEachControl(m_manager->GetRoot(), [&](CControlUI* c) {
            auto* other = dynamic_cast<COptionUI*>(c);
            if (other && other != this && other->m_group == m_group && other->m_selected) {
                other->m_selected = false;
                other->Invalidate();
            }
        });
    }
    Invalidate();
    if (notify && m_manager) m_manager->SendNotify(this, L"selectchanged");
}

void COptionUI::Activate() {
    // A grouped option stays selected when clicked again; a lone one toggles.
    if (!m_group.empty()) {
        if (!m_selected) Selected(true);
    } else {
        Selected(!m_selected);
    }
    CButtonUI::Activate();
}

void COptionUI::PaintStatusImage(CRenderContext& ctx) {
    if (m_selected) {
        if (m_hot && !m_selectedHotImage.empty() && DrawImage(ctx, m_selectedHotImage)) return;
        if (!m_selectedImage.empty() && DrawImage(ctx, m_selectedImage)) return;
    }
    CButtonUI::PaintStatusImage(ctx);
}

}  // namespace markup
