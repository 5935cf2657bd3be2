#pragma once
// Dialog built from a resource template, run modally by our own loop so the dialog can look at
// every message first.
#include "wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr)
        : m_templateId(templateId), m_parent(parent) {
        m_isDialog = true;
    }

    INT_PTR DoModal();
    void EndDialog(INT_PTR result);
    BOOL DestroyWindow() override;

    // A template that names its own window class needs the class registered first;
    // it behaves like the system dialog class.
    static bool RegisterDialogClass(const wchar_t* className, HICON icon);

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Returns true when the command was handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // Returns true when the message was consumed.
    virtual bool PreTranslateMessage(MSG& msg);

private:
    UINT m_templateId;
    HWND m_parent;
    bool m_endModal = false;
    INT_PTR m_result = -1;
};
