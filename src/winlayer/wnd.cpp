#include "wnd.h"

namespace {
const wchar_t kObjectProp[] = L"PelionWndObject";
}

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::RemovePropW(m_hWnd, kObjectProp);
        ::DestroyWindow(m_hWnd);
    }
}

bool CWnd::RegisterClass(const wchar_t* className, UINT style, HBRUSH background, HICON icon) {
    WNDCLASSEXW wc = {sizeof(wc)};
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(inst, className, &wc)) return true;
    wc = {sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = &CWnd::WindowTrampoline;
    wc.hInstance = inst;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                    int x, int y, int cx, int cy, HWND parent, HMENU idOrMenu) {
    HWND hwnd = ::CreateWindowExW(exStyle, className, title, style, x, y, cx, cy, parent, idOrMenu,
                                  ::GetModuleHandleW(nullptr), this);
    return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProp)) : nullptr;
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CWnd::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_oldProc) return ::CallWindowProcW(m_oldProc, m_hWnd, msg, wParam, lParam);
    return m_isDialog ? 0 : ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandle(hwnd)) return false;
    Bind(hwnd);
    m_oldProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowTrampoline)));
    return m_oldProc != nullptr;
}

void CWnd::Bind(HWND hwnd) {
    m_hWnd = hwnd;
    ::SetPropW(hwnd, kObjectProp, this);
}

void CWnd::Unbind() {
    if (m_oldProc) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
        m_oldProc = nullptr;
    }
    ::RemovePropW(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

bool CWnd::Dispatch(CWnd* self, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    bool handled = false;
    try {
        handled = self->OnMessage(msg, wParam, lParam, result);
    } catch (...) {
        // A failed handler leaves the message to the default processing.
        handled = false;
    }
    if (msg == WM_NCDESTROY) {
        self->Unbind();
        self->PostNcDestroy();
    }
    return handled;
}

LRESULT CALLBACK CWnd::WindowTrampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandle(hwnd);
    if (!self && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<CWnd*>(cs->lpCreateParams);
        if (self) self->Bind(hwnd);
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    // The old procedure must still see the final message of a subclassed window.
    const WNDPROC oldProc = self->m_oldProc;
    if (Dispatch(self, msg, wParam, lParam, result)) return result;
    if (msg == WM_NCDESTROY) {
        return oldProc ? ::CallWindowProcW(oldProc, hwnd, msg, wParam, lParam)
                       : ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->DefaultProc(msg, wParam, lParam);
}

INT_PTR CALLBACK CWnd::DialogTrampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandle(hwnd);
    if (!self && msg == WM_INITDIALOG) {
        self = reinterpret_cast<CWnd*>(lParam);
        if (self) self->Bind(hwnd);
    }
    if (!self) return FALSE;
    LRESULT result = 0;
    if (!Dispatch(self, msg, wParam, lParam, result)) return FALSE;
    // Messages with their own return channel give the result directly; the rest go through
    // DWLP_MSGRESULT.
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM:
    case WM_CHARTOITEM: case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
