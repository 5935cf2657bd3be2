#include "ipc_receiver.h"

#include <atomic>

namespace {
const wchar_t kReceiverClass[] = L"PelionHandOverReceiver";
const wchar_t kSingleTitle[] = L"43AF68E358C97DCF97C45EA164F";
const wchar_t kAlwaysTitle[] = L"IPC-2FF8B16C98D54B499063C7F270264781_Always";
std::atomic<HWND> g_target{nullptr};
}  // namespace

void SetHandOverTarget(HWND mainWindow) { g_target = mainWindow; }

CIPCReceiverBase::CIPCReceiverBase(const wchar_t* title, bool keepWParam)
    : m_title(title), m_keepWParam(keepWParam) {}

bool CIPCReceiverBase::Create() {
    if (m_hWnd) return true;
    if (!RegisterClass(kReceiverClass, 0)) return false;
    if (!CreateEx(0, kReceiverClass, m_title.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr))
        return false;
    // Starts from a lower integrity level may still hand over.
    ::ChangeWindowMessageFilterEx(m_hWnd, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    return true;
}

bool CIPCReceiverBase::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_COPYDATA) return false;
    HWND target = g_target.load();
    result = target && ::IsWindow(target)
                 ? ::SendMessageW(target, WM_COPYDATA, m_keepWParam ? wParam : 0, lParam)
                 : 0;
    return true;
}

CIPCReceiver::CIPCReceiver() : CIPCReceiverBase(kSingleTitle, true) {}
CIPCAlwaysReceiver::CIPCAlwaysReceiver() : CIPCReceiverBase(kAlwaysTitle, false) {}
