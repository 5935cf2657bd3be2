#pragma once
// Controls that hold children: the plain container with floating children, and the
// vertical, horizontal and tab layouts.
#include <functional>
#include <memory>
#include <vector>

#include "ui_control.h"

namespace markup {

class CContainerUI : public CControlUI {
public:
    ~CContainerUI() override;
    std::wstring GetClass() const override { return L"ContainerUI"; }
    bool IsKindOf(const std::wstring& name) const override {
        return name == L"Container" || CControlUI::IsKindOf(name);
    }

    bool Add(std::unique_ptr<CControlUI> child);
    bool AddAt(std::unique_ptr<CControlUI> child, int index);
    void RemoveAll();
    int GetCount() const { return int(m_items.size()); }
    CControlUI* GetItemAt(int index) const;
    int GetItemIndex(const CControlUI* child) const;
    // The first direct child whose class name is className ("LabelUI"), or null.
    CControlUI* FindFirstChildOfClass(const std::wstring& className) const;

    void SetPos(const RECT& rc) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    CControlUI* FindControl(const std::wstring& name) override;
    CControlUI* FindControlAt(POINT pt) override;
    void Paint(CRenderContext& ctx) override;
    void SetManagerTree(CPaintManagerUI* manager);

protected:
    // Lays out the non-floating children inside the inner rectangle.
    virtual void LayoutChildren(const RECT& inner);
    // Stacks the non-floating children top to bottom or left to right.
    void LayoutLine(const RECT& inner, bool vertical);
    RECT FloatRect(const CControlUI& child) const;
    void DetachChild(CControlUI* child);

    std::vector<std::unique_ptr<CControlUI>> m_items;
    UiRect m_inset;
    int m_childPadding = 0;
};

class CVerticalLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override { return L"VerticalLayoutUI"; }
protected:
    void LayoutChildren(const RECT& inner) override;
};

class CHorizontalLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override { return L"HorizontalLayoutUI"; }
protected:
    void LayoutChildren(const RECT& inner) override;
};

// Shows one child at a time.
class CTabLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override { return L"TabLayoutUI"; }
    int GetCurSel() const { return m_cur; }
    bool SelectItem(int index);
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
protected:
    void LayoutChildren(const RECT& inner) override;
private:
    int m_cur = 0;
};

// Visits root and every control below it, parents first.
void ForEachControl(CControlUI* root, const std::function<void(CControlUI*)>& fn);

}  // namespace markup
