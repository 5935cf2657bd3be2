#pragma once
// Edit box: a native edit control hosted inside the control's rectangle.
#include "ui_control.h"

namespace markup {

class CEditUI : public CControlUI {
public:
    CEditUI() = default;
    ~CEditUI() override;
    std::wstring GetClass() const override { return L"EditUI"; }
    bool IsKindOf(const std::wstring& name) const override {
        return name == L"Edit" || CControlUI::IsKindOf(name);
    }
    bool IsInteractive() const override { return true; }
    std::wstring GetText() const override;
    void SetText(const std::wstring& text) override;
    void SetPos(const RECT& rc) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void SetMaxChar(int count);
    HWND GetEditWindow() const { return m_edit; }
    // WM_COMMAND from the hosted edit: sends "textchanged", "setfocus" and "killfocus".
    bool OnEditCommand(HWND from, UINT code);

private:
    void EnsureWindow();
    HWND m_edit = nullptr;
    int m_maxChar = 255;
    bool m_password = false;
    bool m_readOnly = false;
};

}  // namespace markup
