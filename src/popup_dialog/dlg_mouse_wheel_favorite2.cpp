#include "dlg_mouse_wheel_favorite2.h"

#include "app_config.h"
#include "language_texts.h"
#include "ui_button.h"

namespace {
DlgMouseWheelFavorite2* g_current = nullptr;
}

DlgMouseWheelFavorite2::DlgMouseWheelFavorite2() { g_current = this; }

DlgMouseWheelFavorite2::~DlgMouseWheelFavorite2() {
    if (g_current == this) g_current = nullptr;
}

DlgMouseWheelFavorite2* DlgMouseWheelFavorite2::Current() { return g_current; }

void DlgMouseWheelFavorite2::InitWindow() {
    CDlgBase::InitWindow();
    ApplyLanguageTexts(*this, L"DLG_WHEEL", {{L"title", L"TITLE"}, {L"turnpage", L"TURNPAGE"},
                                             {L"zoom", L"ZOOM"}, {L"notip", L"NOTIP"}, {L"ok", L"OK"}});
    if (auto* o = dynamic_cast<markup::COptionUI*>(FindControl(L"turnpage"))) o->Selected(m_action == 0, false);
    if (auto* o = dynamic_cast<markup::COptionUI*>(FindControl(L"zoom"))) o->Selected(m_action == 1, false);
    if (auto* o = dynamic_cast<markup::COptionUI*>(FindControl(L"notip"))) o->Selected(m_doNotAsk != 0, false);
}

void DlgMouseWheelFavorite2::Notify(markup::TNotifyUI& msg) {
    if (msg.sType == L"selectchanged" && msg.pSender) {
        auto* option = dynamic_cast<markup::COptionUI*>(msg.pSender);
        const std::wstring& name = msg.pSender->GetName();
        if (option && name == L"notip") m_doNotAsk = option->IsSelected() ? 1 : 0;
        else if (option && name == L"turnpage" && option->IsSelected()) m_action = 0;
        else if (option && name == L"zoom" && option->IsSelected()) m_action = 1;
    }
    CDlgBase::Notify(msg);
}

void DlgMouseWheelFavorite2::SaveAndClose() {
    CAppConfig* config = CAppConfig::Instance();
    if (m_doNotAsk) config->showWheelFavorite = 0;
    config->mouseWheelAction = m_action;
    config->Save();
    Close(kDlgConfirm);
}

void DlgMouseWheelFavorite2::OnClick(markup::TNotifyUI& msg) {
    const std::wstring& name = msg.pSender->GetName();
    if (name == L"ok") {
        SaveAndClose();
    } else if (name == L"cls") {
        m_action = 0;
        SaveAndClose();
    } else {
        CDlgBase::OnClick(msg);
    }
}
