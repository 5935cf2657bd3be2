#include "convert_msg_box.h"

#include <windowsx.h>

#include "language_texts.h"
#include "ui_button.h"

CConvertMsgBox::CConvertMsgBox(HWND owner, std::wstring fileName, std::vector<std::wstring> formats)
    : m_owner(owner), m_fileName(std::move(fileName)), m_formats(std::move(formats)) {}

CConvertMsgBox::~CConvertMsgBox() {
    if (ListWindowExists()) ::SendMessageW(m_list->GetHWND(), WM_CLOSE, 0, 0);
    m_list.reset();
}

UINT CConvertMsgBox::Show() {
    if (!Create(m_owner, L"", kStyle, 0, RECT{0, 0, 0, 0})) return kDlgDecline;
    CenterWindow();
    return ShowModal();
}

bool CConvertMsgBox::ListWindowExists() const {
    return m_list && m_list->GetHWND() && ::IsWindow(m_list->GetHWND());
}

void CConvertMsgBox::InitWindow() {
    CUseZipResourceDuiWnd::InitWindow();
    ApplyLanguageTexts(*this, L"DLG_CONVERT", {{L"file_caption", L"FILE"}, {L"format_caption", L"FORMAT"},
                                               {L"dropList", L"CHOOSE"}, {L"right_btn", L"OK"},
                                               {L"left_btn", L"CANCEL"}});
    if (auto* name = FindControl(L"filename")) {
        name->SetText(m_fileName);
        name->SetToolTip(m_fileName);
    }
}

void CConvertMsgBox::ShowList() {
    markup::CControlUI* drop = FindControl(L"dropList");
    if (!drop) return;
    if (!m_list) {
        m_list = std::make_unique<CListWnd>();
        m_list->SetItemHeight(32);
        m_list->SetItemTexts(m_formats);
    }
    const RECT r = drop->GetPos();
    RECT dlg = {};
    ::GetWindowRect(m_hWnd, &dlg);
    if (!ListWindowExists()) m_list->Show(m_hWnd, RECT{0, 0, r.right - r.left, m_pm.Scale(130)});
    if (!ListWindowExists()) return;
    ::SetWindowPos(m_list->GetHWND(), nullptr, dlg.left + r.left, dlg.top + r.bottom, r.right - r.left,
                   m_pm.Scale(130), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ::ShowWindow(m_list->GetHWND(), SW_SHOWNOACTIVATE);
}

void CConvertMsgBox::Unselect() {
    if (auto* drop = dynamic_cast<markup::COptionUI*>(FindControl(L"dropList"))) drop->Selected(false, false);
}

void CConvertMsgBox::Notify(markup::TNotifyUI& msg) {
    if (msg.sType == L"selectchanged" && msg.pSender && msg.pSender->GetName() == L"dropList") {
        auto* drop = dynamic_cast<markup::COptionUI*>(msg.pSender);
        if (drop && drop->IsSelected()) ShowList();
        else if (ListWindowExists()) ::ShowWindow(m_list->GetHWND(), SW_HIDE);
    }
    CUseZipResourceDuiWnd::Notify(msg);
}

void CConvertMsgBox::OnClick(markup::TNotifyUI& msg) {
    const std::wstring& name = msg.pSender->GetName();
    if (name == L"cls") Close(kDlgClosed);
    else if (name == L"right_btn") Close(kDlgConfirm);
    else if (name == L"left_btn") Close(kDlgDecline);
    else CUseZipResourceDuiWnd::OnClick(msg);
}

LRESULT CConvertMsgBox::OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    const RECT caption = m_pm.GetCaptionRect();
    if (::PtInRect(&caption, pt)) {
        markup::CControlUI* at = m_pm.FindControl(pt);
        if (at && (at->IsKindOf(L"Combo") || at->GetName() == L"filename")) {
            handled = true;
            return HTCLIENT;
        }
    }
    return CUseZipResourceDuiWnd::OnNcHitTest(msg, wParam, lParam, handled);
}

LRESULT CConvertMsgBox::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    if (ListWindowExists()) ::SendMessageW(m_hWnd, CListWnd::kChoiceMessage, WPARAM(-1), 0);
    return 0;
}

LRESULT CConvertMsgBox::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (msg == CListWnd::kChoiceMessage) {
        handled = true;
        const int index = int(INT_PTR(wParam));
        if (index >= 0 && size_t(index) < m_formats.size()) {
            m_selected = index;
            if (auto* drop = FindControl(L"dropList")) drop->SetText(m_formats[size_t(index)]);
        }
        if (ListWindowExists()) ::ShowWindow(m_list->GetHWND(), SW_HIDE);
        Unselect();
        return 0;
    }
    if (msg == WM_NCLBUTTONDOWN && ListWindowExists()) {
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ScreenToClient(m_hWnd, &pt);
        markup::CControlUI* drop = FindControl(L"dropList");
        const RECT r = drop ? drop->GetPos() : RECT{};
        if (::PtInRect(&r, pt)) {
            ::ShowWindow(m_list->GetHWND(), SW_HIDE);
            Unselect();
        }
    }
    return 0;
}
