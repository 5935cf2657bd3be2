#pragma once
// Asks which format a picture is to be converted to, with a drop-down list of formats.
#include <memory>
#include <string>
#include <vector>

#include "dlg_base.h"
#include "list_wnd.h"

class CConvertMsgBox : public CUseZipResourceDuiWnd {
public:
    CConvertMsgBox(HWND owner, std::wstring fileName, std::vector<std::wstring> formats);
    ~CConvertMsgBox() override;

    // Creates the dialog owned by the owner, centres it and runs it modally.
    UINT Show();
    // Index of the chosen format text, -1 when none was chosen.
    int SelectedIndex() const { return m_selected; }

    const wchar_t* GetWindowClassName() const override { return L"CConvertMsgBox"; }
    std::wstring GetSkinFile() override { return L"convert_box.xml"; }
    void InitWindow() override;
    void Notify(markup::TNotifyUI& msg) override;
    void OnClick(markup::TNotifyUI& msg) override;
    LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnKillFocus(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    bool ListWindowExists() const;
    void ShowList();
    void Unselect();

    HWND m_owner;
    std::wstring m_fileName;
    std::vector<std::wstring> m_formats;
    int m_selected = -1;
    std::unique_ptr<CListWnd> m_list;
};
