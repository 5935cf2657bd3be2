#pragma once
#include "widget_layout.h"

namespace main_view {

// Places the arrows on the edges, the full-size items over the view, the welcome items in the
// middle and the tips in a centred box.
class CMainViewLayout : public CWidgetLayout {
public:
    explicit CMainViewLayout(int indicatorWidth) : m_indicatorWidth(indicatorWidth) {}
    void Layout(HWND window, WidgetItemList& items) override;
    void LayoutRect(const RECT& client, WidgetItemList& items) const;

private:
    int m_indicatorWidth;
};

}  // namespace main_view
