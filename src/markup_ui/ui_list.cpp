#include "ui_list.h"

#include "paint_manager.h"
#include "render_context.h"
#include "text_util.h"

namespace markup {

CControlUI* CListContainerElementUI::FindControlAt(POINT pt) {
    return m_visible && ::PtInRect(&m_rcItem, pt) ? this : nullptr;
}

CListUI* CListContainerElementUI::GetOwnerList() const { return dynamic_cast<CListUI*>(m_parent); }

int CListContainerElementUI::GetIndex() const {
    CListUI* list = GetOwnerList();
    return list ? list->GetItemIndex(this) : -1;
}

bool CListContainerElementUI::IsSelected() const {
    CListUI* list = GetOwnerList();
    return list && list->GetCurSel() == GetIndex();
}

void CListContainerElementUI::OnMouseUp(POINT, bool inside) {
    if (!inside || !m_enabled) return;
    if (CListUI* list = GetOwnerList()) list->SelectItem(GetIndex(), true);
}

void CListContainerElementUI::PaintBkColor(CRenderContext& ctx) {
    CListUI* list = GetOwnerList();
    uint32_t color = m_bkColor;
    if (list && m_enabled) {
        if (IsSelected()) color = list->itemSelectedBkColor;
        if (m_hot) color = list->itemHotBkColor;
    }
    ctx.FillRect(m_rcItem, color);
}

void CListTextElementUI::PaintText(CRenderContext& ctx) {
    if (m_text.empty()) return;
    CListUI* list = GetOwnerList();
    const int font = m_font >= 0 || !list ? m_font : list->itemFont;
    const uint32_t color = list ? list->itemTextColor : m_textColor;
    const UiRect pad = list ? list->itemTextPadding : m_textPadding;
    ctx.DrawText(ScaledInset(m_rcItem, pad), m_text, font, m_enabled ? color : m_disabledTextColor,
                 list ? list->itemAlign : m_textAlign);
}

void CListUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    const std::string v = textutil::WideToUtf8(value);
    uint32_t color = 0;
    UiRect rc;
    int n = 0;
    if (name == L"itemhotbkcolor") {
        if (ParseColor(v, color)) itemHotBkColor = color;
    } else if (name == L"itemselectedbkcolor") {
        if (ParseColor(v, color)) itemSelectedBkColor = color;
    } else if (name == L"itemtextcolor") {
        if (ParseColor(v, color)) itemTextColor = color;
    } else if (name == L"itemfont") {
        if (ParseInt(v, n)) itemFont = n;
    } else if (name == L"itemalign") {
        itemAlign = value == L"center" ? DT_CENTER : value == L"right" ? DT_RIGHT : DT_LEFT;
    } else if (name == L"itemtextpadding") {
        if (ParseRect(v, rc)) itemTextPadding = rc;
    } else {
        CVerticalLayoutUI::SetAttribute(name, value);
    }
}

bool CListUI::SelectItem(int index, bool takeFocus) {
    if (index < 0 || index >= GetCount()) return false;
    m_cur = index;
    Invalidate();
    if (m_manager) {
        if (takeFocus && m_manager->GetPaintWindow()) ::SetFocus(m_manager->GetPaintWindow());
        m_manager->SendNotify(this, L"itemselect", WPARAM(index));
    }
    return true;
}

}  // namespace markup
