#pragma once
// The main window's child panes. They stand in for the image view, the toolbar, the logo and
// the menu button until those are built; each keeps its id and place.
#include "wnd.h"

class CMainPane : public CWnd {
public:
    bool Create(HWND parent, int id);
    void Place(int left, int top, int right, int bottom);

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class WndMainImageView : public CMainPane {};
class WndMainToolbar : public CMainPane {};
class WndMainMenubar : public CMainPane {};
class WndMainLogo : public CMainPane {
public:
    // Wide while no picture is shown.
    void SetWide(bool wide);
};
