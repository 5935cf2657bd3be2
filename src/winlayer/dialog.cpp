#include "dialog.h"

INT_PTR CDialog::DoModal() {
    HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId),
                                     m_parent, &CWnd::DialogTrampoline,
                                     reinterpret_cast<LPARAM>(this));
    if (!hwnd) return -1;
    const bool ownerWasEnabled = m_parent && ::IsWindowEnabled(m_parent);
    if (ownerWasEnabled) ::EnableWindow(m_parent, FALSE);

    MSG msg;
    while (!m_endModal) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(int(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (PreTranslateMessage(msg)) continue;
        if (m_hWnd && ::IsDialogMessageW(m_hWnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (ownerWasEnabled) ::EnableWindow(m_parent, TRUE);
    if (m_parent && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(m_parent);
    DestroyWindow();
    return m_result;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_endModal = true;
    // Wake the loop in case the queue is empty.
    if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::DestroyWindow() { return CWnd::DestroyWindow(); }

bool CDialog::PreTranslateMessage(MSG&) { return false; }

bool CDialog::RegisterDialogClass(const wchar_t* className, HICON icon) {
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {sizeof(wc)};
    if (::GetClassInfoExW(inst, className, &wc)) return true;
    wc = {sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = inst;
    wc.hIcon = icon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc) != 0;
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

bool CDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        result = 0;
        return OnCommand(wParam, lParam);
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        CWnd* child = dis ? FromHandle(dis->hwndItem) : nullptr;
        return child && child->OnChildNotify(msg, wParam, lParam, result);
    }
    default:
        return false;
    }
}
