#include "dlg_base.h"

#include "win_app.h"
#include "wnd.h"

HWND CDlgBase::MainWindow() {
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

UINT CDlgBase::DoModal() {
    if (!Create(MainWindow(), L"", kStyle, 0, RECT{0, 0, 0, 0})) return kDlgDecline;
    CenterWindow();
    return ShowModal();
}
