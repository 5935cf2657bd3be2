#pragma once
// The one button in the title area that opens the main menu.
#include <memory>

#include "bar_popup.h"
#include "obj_image.h"
#include "ui_event.h"
#include "bar_window.h"

class WndMainMenubar : public CBarWindow, public CUIEventObserver {
public:
    static constexpr UINT kMsgMenuClosed = 0x8203;

    WndMainMenubar();
    ~WndMainMenubar() override;

    bool Create(HWND parent, int id);
    void Place(int left, int top, int right, int bottom);
    void ShowMainMenu();
    void OnUIEvent(const CUIEventParam&) override {}

protected:
    void OnDrawBackground(HDC dc, const RECT& dirty) override;
    void OnItemClick(CWidgetItem* item) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnMenuClosed(WPARAM command);

    std::shared_ptr<FCObjImage> m_strip;
    std::unique_ptr<CBarPopup> m_menu;
};
