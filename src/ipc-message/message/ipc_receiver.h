#pragma once
// Message-only windows that take hand-over requests from other starts and pass them to the
// main window.
#include <string>

#include "wnd.h"

class CIPCReceiverBase : public CWnd {
public:
    CIPCReceiverBase(const wchar_t* title, bool keepWParam);
    bool Create();

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::wstring m_title;
    bool m_keepWParam;
};

class CIPCReceiver : public CIPCReceiverBase {
public:
    CIPCReceiver();
};

class CIPCAlwaysReceiver : public CIPCReceiverBase {
public:
    CIPCAlwaysReceiver();
};

// The window hand-over requests go to; null while there is none.
void SetHandOverTarget(HWND mainWindow);
