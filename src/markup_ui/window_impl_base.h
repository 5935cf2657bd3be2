#pragma once
// Window base of every skin window: builds its controls from a layout while the native window
// is created, paints them, reports notifications, and runs the modal loop.
#include <windows.h>

#include <string>

#include "dialog_builder.h"
#include "notify.h"
#include "paint_manager.h"
#include "resource_source.h"
#include "wnd.h"

namespace markup {

class WindowImplBase : public CWnd, public INotifyUI, public IDialogBuilderCallback {
public:
    WindowImplBase() = default;
    ~WindowImplBase() override;

    HWND Create(HWND owner, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rc);
    HWND GetHWND() const { return m_hWnd; }
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Runs until the window is gone; returns the code given to Close.
    UINT ShowModal();
    // Over the visible, not minimised owner, otherwise over the work area; kept inside it.
    void CenterWindow();
    // Posts the close request; the window goes away with this result.
    virtual void Close(UINT code = IDOK);

    // Overridable operations, in the order the skin windows use them.
    virtual const wchar_t* GetWindowClassName() const = 0;
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void InitWindow() {}
    virtual void OnClick(TNotifyUI& msg);
    virtual std::wstring GetSkinFolder() { return L""; }
    virtual std::wstring GetSkinFile() = 0;
    virtual UILIB_RESOURCETYPE GetResourceType() const { return UILIB_FILE; }
    virtual std::wstring GetZIPFileName() const { return L""; }
    virtual UINT GetResourceID() const { return 0; }
    virtual LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKillFocus(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnCreate(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    void Notify(TNotifyUI& msg) override;
    CControlUI* CreateControl(const std::wstring&) override { return nullptr; }

    CPaintManagerUI& PaintManager() { return m_pm; }
    CControlUI* FindControl(const std::wstring& name) const { return m_pm.FindControl(name); }
    UINT GetResult() const { return m_result; }

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The layout text; the archive by default. A false return ends the process (see .cpp).
    virtual bool LoadLayout(std::string& xml);
    virtual void OnFinalMessage(HWND) {}
    // Where layout and images come from, by the resource type.
    virtual ResourceSource ResolveResources();

    CPaintManagerUI m_pm;
    ResourceSource m_resources;

private:
    LRESULT AnswerControlQuery(const COPYDATASTRUCT* cds);
    static void FailLayout();

    UINT m_result = IDCANCEL;
    bool m_modal = false;
};

}  // namespace markup
