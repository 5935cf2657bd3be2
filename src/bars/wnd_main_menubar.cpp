#include "wnd_main_menubar.h"

#include "bar_layout_math.h"
#include "bar_paint.h"
#include "bar_resources.h"
#include "language.h"
#include "main_children.h"
#include "toolbar_button.h"
#include "toolbar_button_layout.h"
#include "widget_item_image.h"
#include "toolbar_rules.h"

using namespace wnd_main_toolbar;

WndMainMenubar::WndMainMenubar() : m_strip(std::make_shared<FCObjImage>()) {
    SetLayout(std::make_unique<CToolbarButtonLayout2>());
}

WndMainMenubar::~WndMainMenubar() {
    m_menu.reset();
    m_strip.reset();
}

bool WndMainMenubar::Create(HWND parent, int id) {
    if (!m_strip->IsValid()) widget_window::LoadPicture(BarResource(L"wnd_menu.png"), true, *m_strip);
    if (Items().empty()) {
        auto button = std::make_unique<CToolbarButton2>(kCmdMainMenu, kGroupCentre, m_strip, 0);
        button->m_tip = GetText(L"TOOLBAR", 17);
        AddItem(std::move(button));
    }
    return CWidgetWindow::Create(parent, id);
}

void WndMainMenubar::Place(int left, int top, int right, int bottom) {
    PlaceWindow(m_hWnd, left, top, right, bottom);
}

void WndMainMenubar::OnDrawBackground(HDC dc, const RECT& dirty) {
    FillSolid(dc, dirty, RGB(0xF8, 0xF8, 0xF8));
}

void WndMainMenubar::OnItemClick(CWidgetItem* item) {
    if (item && m_hWnd) ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, WPARAM(item->m_id), 0);
}

void WndMainMenubar::ShowMainMenu() {
    CWidgetItem* b = FindItem(kCmdMainMenu);
    if (!b || !m_hWnd) return;
    m_menu.reset();
    m_menu = bar_popups::MakeMainMenu(m_hWnd);
    if (m_menu) {
        b->Set(kStateActive, true);
        RECT r;
        ::GetWindowRect(m_hWnd, &r);
        m_menu->ShowAt(r);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void WndMainMenubar::OnMenuClosed(WPARAM command) {
    if (!m_menu) return;
    // Only a menu we opened reports a command, and only a menu command is passed on.
    const int id = int(command);
    if (command != WPARAM(-1) && command != WPARAM(0xFFFFFFFF) && id > 0 && id <= 0xFFFF)
        ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, WPARAM(id), 0);
    if (CWidgetItem* b = FindItem(kCmdMainMenu)) b->Set(kStateActive, false);
    m_menu.reset();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool WndMainMenubar::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == kMsgMenuClosed) {
        OnMenuClosed(wParam);
        result = 0;
        return true;
    }
    return CBarWindow::OnMessage(msg, wParam, lParam, result);
}
