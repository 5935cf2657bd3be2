#pragma once
// Owner-drawn child window holding an ordered list of items: paints the dirty part through one
// back bitmap, tracks hover and presses, shows the items' tooltips.
#include <windows.h>

#include <memory>

#include "track_mouse_hover.h"
#include "widget_layout.h"
#include "win_handle.h"
#include "wnd.h"

class CWidgetWindow : public CWnd, public FCTrackMouseHover {
public:
    CWidgetWindow();
    ~CWidgetWindow() override;

    // A child with WS_CHILD, WS_VISIBLE, WS_CLIPCHILDREN and WS_TABSTOP.
    bool Create(HWND parent, int id);

    // Takes ownership; -1 appends, 0..count inserts there, anything else drops the item.
    void AddItem(std::unique_ptr<CWidgetItem> item, int index = -1);
    void RemoveItem(int id);
    CWidgetItem* FindItem(int id) const;
    CWidgetItem* HitTest(int x, int y) const;
    void UpdateHover(int x, int y);
    const WidgetItemList& Items() const { return m_items; }
    void SetLayout(std::unique_ptr<CWidgetLayout> layout) { m_layout = std::move(layout); }
    // The window keeps the font.
    void SetFont(HFONT font) { m_font.reset(font); }
    HWND ToolTip() const { return m_tooltip; }

    static HFONT DefaultFont();

protected:
    virtual void OnLayout();
    virtual void CreateToolTip();
    virtual void OnDrawBackground(HDC, const RECT&) {}
    // Non-zero ends the press handling at once.
    virtual bool OnItemMouseDown(CWidgetItem*) { return false; }
    virtual CWidgetItem* OnItemMouseUp(CWidgetItem* item, int x, int y, bool releasedWithCapture);
    virtual void OnItemClick(CWidgetItem*) {}
    virtual void OnLButtonDown(int x, int y);
    virtual void OnLButtonDblClk(int x, int y) { OnLButtonDown(x, y); }

    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnMouseLeaveWindow() override { UpdateHover(-65535, -65535); }
    bool IsPressing() const { return m_pressing; }

private:
    void Paint();
    void FinishPress(int x, int y, bool withCapture);
    void Invalidate(const RECT* r) { ::InvalidateRect(m_hWnd, r, FALSE); }

    HWND m_tooltip = nullptr;
    std::unique_ptr<CWidgetLayout> m_layout;
    WidgetItemList m_items;
    UniqueGdiObject m_font;

    bool m_pressing = false;
    CWidgetItem* m_pressItem = nullptr;
    POINT m_lastPoint = {};
};
