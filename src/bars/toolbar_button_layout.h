#pragma once
// Rows of equal buttons in three groups (left, centre, right) from the client rectangle.
#include "widget_layout.h"

namespace wnd_main_toolbar {

class CToolbarButtonRowLayout : public CWidgetLayout {
public:
    CToolbarButtonRowLayout(int width, int top, int height) : m_width(width), m_top(top), m_height(height) {}
    void Layout(HWND window, WidgetItemList& items) override;
    // The same for a given client rectangle.
    void Place(const RECT& client, WidgetItemList& items) const;

private:
    int m_width, m_top, m_height;
};

// The toolbar's 52 x 34 buttons at y 13 to 47.
class CToolbarButtonLayout : public CToolbarButtonRowLayout {
public:
    CToolbarButtonLayout() : CToolbarButtonRowLayout(52, 13, 34) {}
};

// The menu bar's 30 x 30 buttons at y 0 to 30.
class CToolbarButtonLayout2 : public CToolbarButtonRowLayout {
public:
    CToolbarButtonLayout2() : CToolbarButtonRowLayout(30, 0, 30) {}
};

// Every visible item gets the whole client rectangle.
class CSwitchLayout : public CWidgetLayout {
public:
    void Layout(HWND window, WidgetItemList& items) override;
};

}  // namespace wnd_main_toolbar
