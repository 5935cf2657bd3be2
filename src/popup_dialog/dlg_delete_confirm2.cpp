#include "dlg_delete_confirm2.h"

#include "app_config.h"
#include "language_texts.h"
#include "ui_button.h"

void DlgDeleteConfirm2::InitWindow() {
    CDlgBase::InitWindow();
    ApplyLanguageTexts(*this, L"DLG_DELETE", {{L"title", L"TITLE"}, {L"desc", L"DESC"}, {L"notip", L"NOTIP"},
                                              {L"ok", L"OK"}, {L"cancel", L"CANCEL"}});
}

void DlgDeleteConfirm2::OnClick(markup::TNotifyUI& msg) {
    const std::wstring& name = msg.pSender->GetName();
    if (name == L"ok") {
        auto* notip = dynamic_cast<markup::COptionUI*>(FindControl(L"notip"));
        if (notip && notip->IsSelected()) CAppConfig::Instance()->showDeleteConfirm = 0;
        Close(kDlgConfirm);
    } else if (name == L"cancel" || name == L"cls") {
        Close(kDlgDecline);
    } else {
        CDlgBase::OnClick(msg);
    }
}
