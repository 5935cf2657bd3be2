#include "wnd_main_logo.h"

#include "bar_paint.h"
#include "bar_resources.h"
#include "toolbar_button_layout.h"
#include "widget_item_image.h"

WndMainLogo::WndMainLogo() { SetLayout(std::make_unique<wnd_main_toolbar::CSwitchLayout>()); }

bool WndMainLogo::Create(HWND parent, int id) {
    if (Items().empty()) {
        auto wide = std::make_unique<widget_window::CWidgetItemImage>();
        wide->m_id = kWideItem;
        widget_window::LoadPicture(BarResource(L"logo_desc.png"), true, wide->m_image);
        auto narrow = std::make_unique<widget_window::CWidgetItemImage>();
        narrow->m_id = kNarrowItem;
        widget_window::LoadPicture(BarResource(L"logo-mini.png"), true, narrow->m_image);
        narrow->Set(CWidgetItem::kVisible, false);
        AddItem(std::move(wide));
        AddItem(std::move(narrow));
    }
    return CWidgetWindow::Create(parent, id);
}

void WndMainLogo::SetWide(BOOL wide) {
    if (!m_hWnd) return;
    if (CWidgetItem* item = FindItem(kWideItem)) item->Set(CWidgetItem::kVisible, wide != FALSE);
    if (CWidgetItem* item = FindItem(kNarrowItem)) item->Set(CWidgetItem::kVisible, wide == FALSE);
    ::SetWindowPos(m_hWnd, nullptr, 8, 3, wide ? 90 : 24, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    // A move to the same size sends no WM_SIZE: place the newly shown item here.
    OnLayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void WndMainLogo::OnDrawBackground(HDC dc, const RECT& dirty) {
    FillSolid(dc, dirty, RGB(0xF8, 0xF8, 0xF8));
}
