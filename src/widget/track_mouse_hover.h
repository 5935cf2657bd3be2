#pragma once
#include <windows.h>

// Tells a window when the pointer enters and leaves it.
class FCTrackMouseHover {
public:
    virtual ~FCTrackMouseHover() = default;
    virtual void OnMouseEnterWindow() {}
    virtual void OnMouseLeaveWindow() {}
    void TrackMessage(HWND hwnd, UINT msg);
    bool IsTracking() const { return m_tracking; }

private:
    bool m_tracking = false;
};
