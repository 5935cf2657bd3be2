#pragma once
// Generic message box: one or two buttons, from the skin archive or from the copy of its
// layout inside the executable.
#include <string>

#include "dlg_base.h"

class CMessageBox : public CUseZipResourceDuiWnd {
public:
    static constexpr UINT kZipResourceId = 161;

    CMessageBox(std::wstring text, HWND owner, UINT style, std::wstring align, int embedded,
                std::wstring buttonText = L"");

    // Shows the box modally and returns its result code.
    static UINT Show(const std::wstring& text, HWND owner, UINT style, const std::wstring& align,
                     int embedded);
    // One button with its own text; style 0, left alignment, skin archive.
    static UINT ShowWithButtonText(const std::wstring& text, HWND owner, const std::wstring& buttonText);

    const wchar_t* GetWindowClassName() const override { return L"CMessageBox"; }
    std::wstring GetSkinFile() override { return m_embedded ? L"msgbox1.xml" : L"msgbox.xml"; }
    markup::UILIB_RESOURCETYPE GetResourceType() const override {
        return m_embedded ? markup::UILIB_ZIPRESOURCE : markup::UILIB_ZIP;
    }
    UINT GetResourceID() const override { return kZipResourceId; }
    void InitWindow() override;
    void OnClick(markup::TNotifyUI& msg) override;

    UINT Run();

private:
    void AddButton(const wchar_t* name, const std::wstring& text, const wchar_t* pos,
                   const wchar_t* image, const wchar_t* textColor);

    std::wstring m_text;
    HWND m_owner;
    UINT m_style;
    std::wstring m_align;
    int m_embedded;
    std::wstring m_buttonText;
    UINT m_rightResult = kDlgConfirm;
    UINT m_leftResult = kDlgDecline;
    markup::CControlUI* m_rightButton = nullptr;
    markup::CControlUI* m_leftButton = nullptr;
};
