#include "track_mouse_hover.h"

void FCTrackMouseHover::TrackMessage(HWND hwnd, UINT msg) {
    if (msg == WM_MOUSEMOVE && !m_tracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hwnd, 0};
        m_tracking = ::TrackMouseEvent(&tme) != FALSE;
        OnMouseEnterWindow();
        ::InvalidateRect(hwnd, nullptr, FALSE);
    } else if (msg == WM_MOUSELEAVE && m_tracking) {
        m_tracking = false;
        OnMouseLeaveWindow();
        ::InvalidateRect(hwnd, nullptr, FALSE);
    }
}
