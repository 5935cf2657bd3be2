#pragma once
// Label, button, option (radio within a group) and check box.
#include "ui_control.h"

namespace markup {

class CLabelUI : public CControlUI {
public:
    std::wstring GetClass() const override { return L"LabelUI"; }
    bool IsKindOf(const std::wstring& name) const override {
        return name == L"Label" || CControlUI::IsKindOf(name);
    }
};

class CButtonUI : public CLabelUI {
public:
    CButtonUI() { m_textAlign = DT_CENTER; }
    std::wstring GetClass() const override { return L"ButtonUI"; }
    bool IsKindOf(const std::wstring& name) const override {
        return name == L"Button" || CLabelUI::IsKindOf(name);
    }
    bool IsInteractive() const override { return true; }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void SetEnabled(bool enabled) override;

    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnMouseDown(POINT) override;
    void OnMouseUp(POINT, bool inside) override;
    // What a completed click does; the button sends "click".
    virtual void Activate();

    bool IsHot() const { return m_hot; }
    bool IsPushed() const { return m_pushed; }

protected:
    void PaintStatusImage(CRenderContext& ctx) override;
    void PaintText(CRenderContext& ctx) override;

    std::wstring m_normalImage, m_hotImage, m_pushedImage, m_disabledImage;
    uint32_t m_hotTextColor = 0;
    bool m_hot = false;
    bool m_pushed = false;
};

class COptionUI : public CButtonUI {
public:
    std::wstring GetClass() const override { return L"OptionUI"; }
    bool IsKindOf(const std::wstring& name) const override {
        return name == L"Option" || CButtonUI::IsKindOf(name);
    }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool IsSelected() const { return m_selected; }
    // Selecting an option of a group deselects the others of that group silently.
    virtual void Selected(bool selected, bool notify = true);
    const std::wstring& GetGroup() const { return m_group; }
    void Activate() override;

protected:
    void PaintStatusImage(CRenderContext& ctx) override;

    std::wstring m_group;
    std::wstring m_selectedImage, m_selectedHotImage;
    uint32_t m_selectedTextColor = 0;
    bool m_selected = false;
};

class CCheckBoxUI : public COptionUI {
public:
    std::wstring GetClass() const override { return L"CheckBoxUI"; }
    bool IsKindOf(const std::wstring& name) const override {
        return name == L"CheckBox" || COptionUI::IsKindOf(name);
    }
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool notify = true) { Selected(check, notify); }
};

}  // namespace markup
