#pragma once
// List: a vertical layout of list elements with one selected item; its elements are
// containers (menu items with icons) or plain text lines.
#include "ui_container.h"

namespace markup {

class CListUI;

class CListContainerElementUI : public CHorizontalLayoutUI {
public:
    std::wstring GetClass() const override { return L"ListContainerElementUI"; }
    bool IsKindOf(const std::wstring& name) const override {
        return name == L"ListItem" || CHorizontalLayoutUI::IsKindOf(name);
    }
    bool IsInteractive() const override { return true; }
    // The element takes the mouse for its whole area.
    CControlUI* FindControlAt(POINT pt) override;
    void OnMouseEnter() override { m_hot = true; Invalidate(); }
    void OnMouseLeave() override { m_hot = false; Invalidate(); }
    void OnMouseUp(POINT, bool inside) override;
    CListUI* GetOwnerList() const;
    int GetIndex() const;
    bool IsSelected() const;

protected:
    void PaintBkColor(CRenderContext& ctx) override;
    bool m_hot = false;
};

class CListTextElementUI : public CListContainerElementUI {
public:
    std::wstring GetClass() const override { return L"ListTextElementUI"; }
protected:
    void PaintText(CRenderContext& ctx) override;
};

class CListUI : public CVerticalLayoutUI {
public:
    std::wstring GetClass() const override { return L"ListUI"; }
    bool IsKindOf(const std::wstring& name) const override {
        return name == L"List" || CVerticalLayoutUI::IsKindOf(name);
    }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    int GetCurSel() const { return m_cur; }
    // Selects and sends "itemselect"; takeFocus gives the list's window the focus.
    bool SelectItem(int index, bool takeFocus = false);

    uint32_t itemHotBkColor = 0xFFF0F0F0;
    uint32_t itemSelectedBkColor = 0xFFE6E6E6;
    uint32_t itemTextColor = 0xFF333333;
    int itemFont = -1;
    UINT itemAlign = DT_LEFT;
    UiRect itemTextPadding = {10, 0, 10, 0};

private:
    int m_cur = -1;
};

}  // namespace markup
