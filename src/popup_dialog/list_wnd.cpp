#include "list_wnd.h"

#include <algorithm>

#include "ui_list.h"

namespace {
constexpr int kRowHeight = 32;
constexpr size_t kMaxItems = 200;
}

bool CListWnd::Show(HWND owner, const RECT& rc) {
    m_owner = owner;
    return Create(owner, L"", kStyle & ~WS_VISIBLE, 0, rc) != nullptr;
}

LRESULT CListWnd::OnCreate(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const LRESULT r = CUseZipResourceDuiWnd::OnCreate(msg, wParam, lParam, handled);
    // The owner's controls keep the keyboard focus while the list is open.
    if (m_owner) ::SetFocus(m_owner);
    return r;
}

LRESULT CListWnd::HandleCustomMessage(UINT msg, WPARAM, LPARAM, bool& handled) {
    // Clicking the list must not take activation from the dialog that opened it.
    if (msg == WM_MOUSEACTIVATE) {
        handled = true;
        return MA_NOACTIVATE;
    }
    handled = false;
    return 0;
}

void CListWnd::InitWindow() {
    CUseZipResourceDuiWnd::InitWindow();
    auto* list = dynamic_cast<markup::CListUI*>(FindControl(L"list"));
    if (!list) return;
    for (size_t i = 0; i < m_texts.size() && i < kMaxItems; ++i) {
        auto item = std::make_unique<markup::CListTextElementUI>();
        item->SetText(m_texts[i]);
        item->SetFixedHeight(m_itemHeight);
        list->Add(std::move(item));
    }
}

void CListWnd::Notify(markup::TNotifyUI& msg) {
    if (msg.sType == L"windowinit") {
        const int n = int(std::min(m_texts.size(), kMaxItems));
        RECT rc = {};
        ::GetWindowRect(m_hWnd, &rc);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, m_pm.Scale(n * kRowHeight + 2),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (auto* list = FindControl(L"list")) list->SetFixedHeight(n * kRowHeight);
    } else if (msg.sType == L"itemselect" && msg.pSender && msg.pSender->GetName() == L"list") {
        ::PostMessageW(m_owner, kChoiceMessage, msg.wParam, 0);
        Close(1);
        return;
    }
    CUseZipResourceDuiWnd::Notify(msg);
}
