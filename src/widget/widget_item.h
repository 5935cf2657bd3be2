#pragma once
// A window-less item of a widget window: id, rectangle, state bits and tooltip text.
#include <windows.h>

#include <string>

class CToolTipCtrl;

class CWidgetItem {
public:
    enum StateBits { kHover = 1, kPressed = 2, kVisible = 4, kEnabled = 8 };

    CWidgetItem() = default;
    virtual ~CWidgetItem() = default;
    CWidgetItem(const CWidgetItem&) = delete;
    CWidgetItem& operator=(const CWidgetItem&) = delete;

    virtual void OnMouseEnter() {}
    virtual void OnMouseLeave() {}
    // Draws into (0, 0, width, height); the DC's origin is at the item's top-left corner.
    virtual void Draw(HDC dc) = 0;
    // Registers the tooltip of a non-empty tip under toolId.
    virtual void AddToolTip(HWND tooltip, HWND owner, UINT toolId);

    bool Has(int bit) const { return (m_state & bit) != 0; }
    void Set(int bit, bool on) { m_state = on ? (m_state | bit) : (m_state & ~bit); }
    bool IsLive() const { return Has(kVisible) && Has(kEnabled); }

    int m_id = 0;
    int m_layoutFlags = 0;
    int m_state = kVisible | kEnabled;
    RECT m_rect = {};
    std::wstring m_tip;
};
