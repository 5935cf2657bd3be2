#pragma once
// Asks before a picture goes to the recycle bin; "notip" stops asking.
#include "dlg_base.h"

class DlgDeleteConfirm2 : public CDlgBase {
public:
    const wchar_t* GetWindowClassName() const override { return L"DlgDeleteConfirm2"; }
    std::wstring GetSkinFile() override { return L"deltip.xml"; }
    void InitWindow() override;
    void OnClick(markup::TNotifyUI& msg) override;
};
