// The widget window's item, hover, press and timer rules, on a real window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "timer_notify.h"
#include "ui_event.h"
#include "widget_window.h"

namespace {

class ColourItem : public CWidgetItem {
public:
    ColourItem(int id, RECT r, COLORREF colour) : m_colour(colour) {
        m_id = id;
        m_rect = r;
    }
    void Draw(HDC dc) override {
        HBRUSH b = ::CreateSolidBrush(m_colour);
        RECT r = {0, 0, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top};
        ::FillRect(dc, &r, b);
        ::DeleteObject(b);
        ++draws;
    }
    void OnMouseEnter() override { ++enters; }
    void OnMouseLeave() override { ++leaves; }
    COLORREF m_colour;
    int draws = 0, enters = 0, leaves = 0;
};

class TestWidget : public CWidgetWindow {
public:
    std::vector<int> clicks;
    using CWidgetWindow::OnLayout;

protected:
    void OnItemClick(CWidgetItem* item) override { clicks.push_back(item->m_id); }
    void OnDrawBackground(HDC dc, const RECT& dirty) override {
        ::FillRect(dc, &dirty, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
};

class RowLayout : public CWidgetLayout {
public:
    void Layout(HWND, WidgetItemList& items) override {
        int x = 0;
        for (auto& item : items) {
            item->m_rect = {x, 0, x + 40, 40};
            x += 50;
        }
    }
};

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class WidgetWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WidgetTestParent";
        ::RegisterClassW(&wc);
        parent = ::CreateWindowExW(0, L"WidgetTestParent", L"", WS_POPUP | WS_VISIBLE, 50, 50, 400,
                                   200, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(widget.Create(parent, 7));
        ::SetWindowPos(widget, nullptr, 0, 0, 400, 200, SWP_NOZORDER);
    }
    void TearDown() override {
        widget.DestroyWindow();
        ::DestroyWindow(parent);
    }
    ColourItem* Add(int id, RECT r, COLORREF c = RGB(255, 0, 0)) {
        auto item = std::make_unique<ColourItem>(id, r, c);
        ColourItem* raw = item.get();
        widget.AddItem(std::move(item));
        return raw;
    }
    HWND parent = nullptr;
    TestWidget widget;
};

TEST_F(WidgetWindowTest, ItemListRules) {
    Add(1, {0, 0, 10, 10});
    Add(2, {0, 0, 10, 10});
    ColourItem* dupFirst = Add(3, {20, 0, 30, 10});
    Add(3, {40, 0, 50, 10});
    widget.AddItem(std::make_unique<ColourItem>(9, RECT{}, 0), 99);  // dropped
    widget.AddItem(std::make_unique<ColourItem>(8, RECT{}, 0), 0);   // inserted first
    widget.AddItem(nullptr);
    ASSERT_EQ(widget.Items().size(), 5u);
    EXPECT_EQ(widget.Items().front()->m_id, 8);
    EXPECT_EQ(widget.FindItem(9), nullptr);
    EXPECT_EQ(widget.FindItem(3), dupFirst);
    widget.RemoveItem(3);
    ASSERT_NE(widget.FindItem(3), nullptr);
    EXPECT_EQ(widget.FindItem(3)->m_rect.left, 40);
    widget.RemoveItem(42);
    EXPECT_EQ(widget.Items().size(), 4u);
}

TEST_F(WidgetWindowTest, HiddenAndDisabledItemsAreNotHitOrHovered) {
    ColourItem* hidden = Add(1, {0, 0, 50, 50});
    ColourItem* disabled = Add(2, {0, 0, 50, 50});
    ColourItem* live = Add(3, {0, 0, 50, 50});
    hidden->Set(CWidgetItem::kVisible, false);
    disabled->Set(CWidgetItem::kEnabled, false);
    EXPECT_EQ(widget.HitTest(10, 10), live);
    EXPECT_EQ(widget.HitTest(50, 10), nullptr);  // right edge is outside
    ::SendMessageW(widget, WM_MOUSEMOVE, 0, Point(10, 10));
    EXPECT_TRUE(live->Has(CWidgetItem::kHover));
    EXPECT_FALSE(disabled->Has(CWidgetItem::kHover));
    EXPECT_EQ(live->enters, 1);
    ::SendMessageW(widget, WM_MOUSEMOVE, 0, Point(12, 12));
    EXPECT_EQ(live->enters, 1);
    // Leaving the window leaves no item hovered.
    ASSERT_TRUE(widget.IsTracking());
    ::SendMessageW(widget, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(live->Has(CWidgetItem::kHover));
    EXPECT_EQ(live->leaves, 1);

    // The disabled item is still painted; the hidden one is not.
    ::InvalidateRect(widget, nullptr, FALSE);
    ::UpdateWindow(widget);
    EXPECT_EQ(hidden->draws, 0);
    EXPECT_GE(disabled->draws, 1);
}

TEST_F(WidgetWindowTest, ClickNeedsReleaseOverTheSameItemWithCapture) {
    Add(1, {0, 0, 50, 50});
    Add(2, {100, 0, 150, 50});
    // Down, move off, release: no click.
    ::SendMessageW(widget, WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 10));
    EXPECT_TRUE(widget.FindItem(1)->Has(CWidgetItem::kPressed));
    ::SendMessageW(widget, WM_MOUSEMOVE, MK_LBUTTON, Point(120, 10));
    EXPECT_FALSE(widget.FindItem(1)->Has(CWidgetItem::kHover));
    ::SendMessageW(widget, WM_LBUTTONUP, 0, Point(120, 10));
    EXPECT_TRUE(widget.clicks.empty());
    EXPECT_FALSE(widget.FindItem(1)->Has(CWidgetItem::kPressed));
    // Down, off, back on, release: a click.
    ::SendMessageW(widget, WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 10));
    ::SendMessageW(widget, WM_MOUSEMOVE, MK_LBUTTON, Point(120, 10));
    ::SendMessageW(widget, WM_MOUSEMOVE, MK_LBUTTON, Point(20, 20));
    EXPECT_TRUE(widget.FindItem(1)->Has(CWidgetItem::kHover));
    ::SendMessageW(widget, WM_LBUTTONUP, 0, Point(20, 20));
    EXPECT_EQ(widget.clicks, std::vector<int>{1});
    // A lost capture ends the press without a click.
    ::SendMessageW(widget, WM_LBUTTONDOWN, MK_LBUTTON, Point(110, 10));
    ::SetCapture(parent);
    ::ReleaseCapture();
    ::SendMessageW(widget, WM_LBUTTONUP, 0, Point(110, 10));
    EXPECT_EQ(widget.clicks, std::vector<int>{1});
    EXPECT_FALSE(widget.FindItem(2)->Has(CWidgetItem::kPressed));
    // A double click counts as another press.
    ::SendMessageW(widget, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(110, 10));
    ::SendMessageW(widget, WM_LBUTTONUP, 0, Point(110, 10));
    EXPECT_EQ(widget.clicks, (std::vector<int>{1, 2}));
}

TEST_F(WidgetWindowTest, LayoutPlacesItemsAndNumbersTooltipsByPosition) {
    ColourItem* a = Add(5, {});
    ColourItem* hidden = Add(6, {});
    ColourItem* b = Add(7, {});
    widget.OnLayout();  // no layout: nothing is placed
    EXPECT_EQ(b->m_rect.right, 0);
    a->m_tip = L"first";
    b->m_tip = L"third";
    hidden->m_tip = L"hidden";
    hidden->Set(CWidgetItem::kVisible, false);
    widget.SetLayout(std::make_unique<RowLayout>());
    widget.OnLayout();
    EXPECT_EQ(b->m_rect.left, 100);
    ASSERT_NE(widget.ToolTip(), nullptr);
    EXPECT_EQ(::SendMessageW(widget.ToolTip(), TTM_GETTOOLCOUNT, 0, 0), 2);
    std::vector<UINT_PTR> ids;
    for (int i = 0; i < 2; ++i) {
        TOOLINFOW ti = {};
        ti.cbSize = sizeof(ti);
        ::SendMessageW(widget.ToolTip(), TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&ti));
        ids.push_back(ti.uId);
    }
    EXPECT_EQ(ids, (std::vector<UINT_PTR>{100, 101}));  // the hidden item takes no id
}

TEST_F(WidgetWindowTest, PaintsItemsAtTheirPlaces) {
    Add(1, {10, 10, 30, 30}, RGB(0, 0, 255));
    ::InvalidateRect(widget, nullptr, FALSE);
    ::UpdateWindow(widget);
    HDC dc = ::GetDC(widget);
    EXPECT_EQ(::GetPixel(dc, 20, 20), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc, 30, 30), RGB(255, 255, 255));
    ::ReleaseDC(widget, dc);
}

class CountingTimer : public FCTimerNotify {
public:
    void OnTimer() override { ++ticks; }
    int ticks = 0;
};

TEST(TimerNotifyTest, RestartKeepsOneTimerAndStopIsSafe) {
    CountingTimer t;
    t.StopTimer();  // not running: nothing happens
    t.StartTimer(10);
    t.StartTimer(10);
    EXPECT_TRUE(t.IsRunning());
    const ULONGLONG end = ::GetTickCount64() + 300;
    MSG msg;
    while (::GetTickCount64() < end) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(5);
    }
    EXPECT_GT(t.ticks, 3);
    t.StopTimer();
    EXPECT_FALSE(t.IsRunning());
    const int stopped = t.ticks;
    ::Sleep(50);
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    EXPECT_EQ(t.ticks, stopped);
}

class Recorder : public CUIEventObserver {
public:
    void OnUIEvent(const CUIEventParam& e) override {
        types.push_back(e.GetEventType());
        if (e.GetEventType() == CUIEventViewZoomChanged::EventTypeId())
            ratio = static_cast<const CUIEventViewZoomChanged&>(e).m_ratio;
    }
    std::vector<int> types;
    float ratio = 0;
};

TEST(UIEventTest, BroadcastReachesEveryObserverOnce) {
    Recorder a, b;
    BroadcastUIEvent(CUIEventViewZoomChanged(2.5f, 0.5f));
    BroadcastUIEvent(CUIEventViewImageChanged());
    EXPECT_EQ(a.types, b.types);
    ASSERT_EQ(a.types.size(), 2u);
    EXPECT_NE(a.types[0], a.types[1]);
    EXPECT_EQ(a.types[1], CUIEventViewImageChanged::EventTypeId());
    EXPECT_FLOAT_EQ(b.ratio, 2.5f);
    {
        Recorder gone;
    }
    BroadcastUIEvent(CUIEventFolderImageCollected());
    EXPECT_EQ(a.types.size(), 3u);
}

}  // namespace
