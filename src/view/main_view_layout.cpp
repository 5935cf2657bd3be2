#include "main_view_layout.h"

#include "main_view_items.h"

namespace main_view {

void CMainViewLayout::Layout(HWND window, WidgetItemList& items) {
    RECT client;
    ::GetClientRect(window, &client);
    LayoutRect(client, items);
}

void CMainViewLayout::LayoutRect(const RECT& c, WidgetItemList& items) const {
    const int cw = c.right - c.left, ch = c.bottom - c.top;
    CWidgetItem* slogan = nullptr;
    for (auto& item : items)
        if (item->m_id == kWelcomeSlogan) slogan = item.get();
    for (auto& item : items) {
        RECT& r = item->m_rect;
        switch (item->m_id) {
        case kPreviousArrow:
            r = {c.left, c.top, c.left + m_indicatorWidth, c.bottom};
            break;
        case kNextArrow:
            r = {c.right - m_indicatorWidth, c.top, c.right, c.bottom};
            break;
        case kLoadError:
        case kLoading:
            r = c;
            break;
        case kWelcomeOpen:
            if (slogan) {
                RECT& s = slogan->m_rect;
                const int sw = s.right - s.left, sh = s.bottom - s.top;
                const int sx = (cw - sw) / 2, sy = (ch - sh - 52) / 2;
                s = {sx, sy, sx + sw, sy + sh};
                const int bw = r.right - r.left, bh = r.bottom - r.top;
                r = {sx + 7, s.bottom + 87, sx + 7 + bw, s.bottom + 87 + bh};
            }
            break;
        case kMissingTip:
        case kSavingTip: {
            const int x = (cw - 180) / 2, y = (ch - 50) / 2;
            r = {x, y, x + 180, y + 50};
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace main_view
