#pragma once
// The strip of picture buttons above or below the image view. It follows the picture through
// UI events and posts its buttons' commands to the main window.
#include <memory>

#include "bar_popup.h"
#include "obj_image.h"
#include "toolbar_rules.h"
#include "ui_event.h"
#include "bar_window.h"

namespace wnd_main_toolbar {
class CToolbarButton;
}

class WndMainToolbar : public CBarWindow, public CUIEventObserver {
public:
    static constexpr UINT kMsgEnhanceClosed = 0x81FD;

    WndMainToolbar();
    ~WndMainToolbar() override;

    bool Create(HWND parent, int id);
    void Place(int left, int top, int right, int bottom);

    void ToggleInfoPanel();
    void ToggleEnhance();
    // Moves an open information panel to its button.
    void RepositionInfoPanel();
    void SetFullScreen(BOOL on);

    void OnUIEvent(const CUIEventParam& event) override;
    // Enables the buttons for a picture; public so the rules can be driven without a picture.
    void ApplyPictureState(const wnd_main_toolbar::PictureState& state);

protected:
    void OnDrawBackground(HDC dc, const RECT& dirty) override;
    void OnItemClick(CWidgetItem* item) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    wnd_main_toolbar::CToolbarButton* Button(int command) const;
    void SwitchActualMeaning();
    void RebuildToolTips();
    bool ButtonScreenRect(int command, RECT& r) const;
    void OnEnhanceClosed(WPARAM mode);
    void PostToParent(int command) const;

    std::shared_ptr<FCObjImage> m_strip;
    std::unique_ptr<CBarPopup> m_infoPanel;
    std::unique_ptr<CBarPopup> m_enhance;
};

// What the toolbar's rules need to know about the current picture and folder.
wnd_main_toolbar::PictureState CurrentPictureState();
