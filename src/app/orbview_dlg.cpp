#include "orbview_dlg.h"

#include "app_config.h"
#include "hand_over.h"
#include "hubcore_client.h"
#include "resource.h"

COrbviewDlg::COrbviewDlg() : CDialog(IDD_MAIN) {
    // The template names its own class so other starts can find this window by it.
    RegisterDialogClass(kMainWindowClass,
                        ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN)));
}

BOOL COrbviewDlg::OnInitDialog() {
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ::SetWindowTextW(m_hWnd, kIdleMainTitle);
    CAppConfig::Instance()->RestorePosition(m_hWnd);
    SendUsageEvent(L"main", L"open");
    return TRUE;
}

bool COrbviewDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_DESTROY) {
        CAppConfig::Instance()->StorePosition(m_hWnd);
        CAppConfig::Instance()->Save();
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
