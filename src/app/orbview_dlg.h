#pragma once
// The viewer's one top-level window: a borderless dialog with its own caption strip.
#include <memory>
#include <string>

#include "channel_listener.h"
#include "dialog.h"
#include "main_children.h"
#include "png_button.h"
#include "win_handle.h"
#include "wnd_main_logo.h"
#include "wnd_main_menubar.h"
#include "wnd_main_toolbar.h"
#include "wnd_main_image_view.h"

class COrbviewDlg : public CDialog, public IChannelListener2 {
public:
    COrbviewDlg();
    ~COrbviewDlg() override;

    BOOL DestroyWindow() override;

    // IChannelListener2
    int OnMessageReceived(const IPC::Message& message) override;
    int32_t GetRoutingId() override { return 2; }
    void OnChannelError(bool) override {}

    bool IsClosing() const { return m_closing; }
    bool IsFullScreen() const { return m_fullScreen; }
    void ToggleFullScreen();
    void RequestClose();
    // Carries out a command; false for an id that is not a command of this window.
    bool RunCommand(int id);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG& msg) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnCopyData(WPARAM wParam, const COPYDATASTRUCT* data);
    void OnSize();
    // Makes path the current picture and shows it.
    void OpenPath(const std::wstring& path);
    // Sends the current picture to the recycle bin and shows the next one.
    void DeleteCurrent();
    void LayoutChildren();
    void BringToFront(bool activate);
    void OnClose();
    void LastWindowExit();
    void MoveTitleText(int width, int height);

    WndMainImageView m_imageView;
    WndMainToolbar m_toolbar;
    WndMainMenubar m_menubar;
    WndMainLogo m_logo;
    HACCEL m_accelerators = nullptr;
    std::unique_ptr<RECT> m_savedFrame;
    UINT m_quitMessage = 0;
    CPngButton m_closeButton, m_maxButton, m_minButton, m_fullButton;
    RECT m_region = {};
    int m_cornerWidth = 0, m_cornerHeight = 0;
    bool m_closing = false;
    bool m_fullScreen = false;
    bool m_fullButtonMoved = false;
    bool m_maximisedFace = false;
    std::wstring m_handOverPath;
    UniqueGdiObject m_titleFont;
};
