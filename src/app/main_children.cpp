#include "main_children.h"

namespace {
const wchar_t kPaneClass[] = L"PelionMainPane";
}

bool CMainPane::Create(HWND parent, int id) {
    if (!RegisterClass(kPaneClass, CS_DBLCLKS)) return false;
    return CreateEx(0, kPaneClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0,
                    0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void CMainPane::Place(int left, int top, int right, int bottom) {
    if (!m_hWnd) return;
    ::SetWindowPos(m_hWnd, nullptr, left, top, right > left ? right - left : 0,
                   bottom > top ? bottom - top : 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CMainPane::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_ERASEBKGND) return false;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::FillRect(reinterpret_cast<HDC>(wParam), &rc,
               static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    result = 1;
    return true;
}

void WndMainLogo::SetWide(bool wide) {
    if (!m_hWnd) return;
    ::SetWindowPos(m_hWnd, nullptr, 8, 3, wide ? 90 : 24, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
