#pragma once
// Window object bound to an HWND. Every window and dialog procedure goes through one
// trampoline that finds the object and calls its OnMessage; no exception crosses it.
#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Registers (once) a window class whose procedure is the trampoline.
    static bool RegisterClass(const wchar_t* className, UINT style = CS_DBLCLKS,
                              HBRUSH background = nullptr, HICON icon = nullptr);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  int x, int y, int cx, int cy, HWND parent, HMENU idOrMenu);
    virtual BOOL DestroyWindow();

    static CWnd* FromHandle(HWND hwnd);
    // Takes over an existing window (a dialog's control); unhandled messages go to its old
    // procedure.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, id)); }
    // A parent passes a child's notifications (owner drawing, colours) back to the child object.
    virtual bool OnChildNotify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

protected:
    // Returns true when handled; result then holds the message's result.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after the final message; the object may no longer use its handle.
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;
    bool m_isDialog = false;
    WNDPROC m_oldProc = nullptr;

    static LRESULT CALLBACK WindowTrampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogTrampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static bool Dispatch(CWnd* self, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Bind(HWND hwnd);
    void Unbind();
};
