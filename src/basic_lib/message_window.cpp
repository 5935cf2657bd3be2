#include "message_window.h"

#include <cwchar>

namespace {
HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }
}  // namespace

FCMessageWindow::~FCMessageWindow() { DestroyWindow(); }

LRESULT FCMessageWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK FCMessageWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FCMessageWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        try {
            return self->OnMessage(msg, wParam, lParam);
        } catch (...) {
            // No exception may cross the system's dispatch; the message counts as unhandled.
        }
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool FCMessageWindow::Create(const wchar_t* name) {
    DestroyWindow();
    const HINSTANCE inst = ModuleInstance();
    wchar_t className[64];
    std::swprintf(className, 64, L"quarzel_msgwnd_%lld", static_cast<long long>(
                                                               reinterpret_cast<intptr_t>(inst)));
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &FCMessageWindow::WindowProc;
    wc.hInstance = inst;
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);  // already registered is fine
    m_hwnd = ::CreateWindowExW(0, className, name, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst,
                               nullptr);
    if (!m_hwnd) return false;
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void FCMessageWindow::DestroyWindow() {
    if (!m_hwnd) return;
    // Late messages must no longer reach this object.
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}
