#pragma once
// A hidden message-only window bound to an object.
#include <windows.h>

class FCMessageWindow {
public:
    FCMessageWindow() = default;
    virtual ~FCMessageWindow();
    FCMessageWindow(const FCMessageWindow&) = delete;
    FCMessageWindow& operator=(const FCMessageWindow&) = delete;

    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    bool Create(const wchar_t* name = nullptr);
    void DestroyWindow();
    HWND GetSafeHwnd() const { return m_hwnd; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};
