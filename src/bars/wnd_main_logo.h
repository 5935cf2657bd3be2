#pragma once
// The product logo in the title area: wide while no picture is open, a small mark otherwise.
#include "widget_window.h"

class WndMainLogo : public CWidgetWindow {
public:
    enum { kWideItem = 0, kNarrowItem = 1 };

    WndMainLogo();
    bool Create(HWND parent, int id);
    void SetWide(BOOL wide);

protected:
    void OnDrawBackground(HDC dc, const RECT& dirty) override;
};
