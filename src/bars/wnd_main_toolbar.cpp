#include "wnd_main_toolbar.h"

#include "app_config.h"
#include "bar_paint.h"
#include "bar_resources.h"
#include "browse_instances.h"
#include "current_folder_image.h"
#include "current_picture.h"
#include "hubcore_client.h"
#include "language.h"
#include "main_children.h"
#include "toolbar_button.h"
#include "toolbar_button_layout.h"
#include "widget_item_image.h"

using namespace wnd_main_toolbar;

namespace {
// Shows the current picture again (after the enhance mode changed).
constexpr int kCmdShowAgain = 21802;

std::wstring ToolbarTip(int key) { return GetText(L"TOOLBAR", key); }
}  // namespace

PictureState CurrentPictureState() {
    PictureState s;
    CCurrentPicture* picture = CCurrentPicture::Instance();
    const auto loader = picture->Loader();
    s.decoded = loader != nullptr;
    s.animated = loader && loader->IsAnimated();
    s.hasGps = loader && !loader->Info().gpsPosition.empty();
    const std::wstring& path = picture->Path();
    if (!path.empty()) {
        const DWORD attr = ::GetFileAttributesW(path.c_str());
        s.fileExists = attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (!path.empty()) {
        CCurrentFolderImage* folder = GetFolderImage();
        s.hasPrevious = folder->CanMove(-1);
        s.hasNext = folder->CanMove(+1);
    }
    return s;
}

WndMainToolbar::WndMainToolbar() : m_strip(std::make_shared<FCObjImage>()) {
    SetLayout(std::make_unique<CToolbarButtonLayout>());
}

WndMainToolbar::~WndMainToolbar() {
    m_enhance.reset();
    m_infoPanel.reset();
    m_strip.reset();
}

bool WndMainToolbar::Create(HWND parent, int id) {
    if (!m_strip->IsValid()) widget_window::LoadPicture(BarResource(L"toolbar.png"), true, *m_strip);
    if (Items().empty()) {
        for (const ToolbarButtonInfo& info : kToolbarButtons) {
            auto button = std::make_unique<CToolbarButton>(info.command, info.group, m_strip,
                                                           info.column);
            button->m_tip = ToolbarTip(info.tipKey);
            // Enhance waits for the first picture.
            if (info.command == kCmdEnhance) button->Set(CWidgetItem::kEnabled, false);
            AddItem(std::move(button));
        }
    }
    return CWidgetWindow::Create(parent, id);
}

void WndMainToolbar::Place(int left, int top, int right, int bottom) {
    PlaceWindow(m_hWnd, left, top, right, bottom);
    RepositionInfoPanel();
}

CToolbarButton* WndMainToolbar::Button(int command) const {
    return dynamic_cast<CToolbarButton*>(FindItem(command));
}

void WndMainToolbar::OnDrawBackground(HDC dc, const RECT& dirty) {
    FillSolid(dc, dirty, RGB(0xFF, 0xFF, 0xFF));
}

void WndMainToolbar::RebuildToolTips() {
    // The layout is a pure function of the client size: placing again changes nothing.
    OnLayout();
}

void WndMainToolbar::PostToParent(int command) const {
    if (m_hWnd) ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, WPARAM(command), 0);
}

void WndMainToolbar::OnItemClick(CWidgetItem* item) {
    if (!item) return;
    if (item->m_id == kCmdActualSize) SwitchActualMeaning();
    PostToParent(item->m_id);
}

void WndMainToolbar::SwitchActualMeaning() {
    CToolbarButton* b = Button(kCmdActualSize);
    if (!b) return;
    const bool toFit = b->m_column == kActualColumn;
    b->m_column = toFit ? kFitColumn : kActualColumn;
    b->m_tip = ToolbarTip(toFit ? kFitTipKey : kActualTipKey);
    CAppConfig::Instance()->actualSizeFlag = toFit ? 0 : 1;
    RebuildToolTips();
}

void WndMainToolbar::ApplyPictureState(const PictureState& state) {
    for (const auto& item : Items())
        item->Set(CWidgetItem::kEnabled, IsButtonEnabled(item->m_id, state));
    if (CToolbarButton* b = Button(kCmdActualSize)) {
        b->m_column = kActualColumn;
        b->m_tip = ToolbarTip(kActualTipKey);
    }
    CAppConfig::Instance()->actualSizeFlag = 1;
    RebuildToolTips();
}

void WndMainToolbar::OnUIEvent(const CUIEventParam& event) {
    if (!m_hWnd) return;
    const int type = event.GetEventType();
    if (type == CUIEventViewImageChanged::EventTypeId()) {
        ApplyPictureState(CurrentPictureState());
    } else if (type == CUIEventViewZoomChanged::EventTypeId()) {
        const auto& zoom = static_cast<const CUIEventViewZoomChanged&>(event);
        CToolbarButton* b = Button(kCmdActualSize);
        if (b && b->m_column != ActualSizeColumnFor(zoom.m_ratio, zoom.m_fitRatio))
            SwitchActualMeaning();
    } else if (type == CUIEventFolderImageCollected::EventTypeId()) {
        const PictureState state = CurrentPictureState();
        if (CWidgetItem* b = FindItem(kCmdPrevious)) b->Set(CWidgetItem::kEnabled, state.hasPrevious);
        if (CWidgetItem* b = FindItem(kCmdNext)) b->Set(CWidgetItem::kEnabled, state.hasNext);
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

bool WndMainToolbar::ButtonScreenRect(int command, RECT& r) const {
    CWidgetItem* b = FindItem(command);
    if (!b || !m_hWnd) return false;
    r = b->m_rect;
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return true;
}

void WndMainToolbar::ToggleInfoPanel() {
    CWidgetItem* b = FindItem(kCmdInfoPanel);
    if (!b) return;
    if (m_infoPanel) {
        b->Set(kStateActive, false);
        m_infoPanel.reset();
    } else {
        m_infoPanel.reset();
        m_infoPanel = bar_popups::MakeInfoPanel(m_hWnd);
        RECT r;
        if (m_infoPanel && ButtonScreenRect(kCmdInfoPanel, r)) {
            b->Set(kStateActive, true);
            m_infoPanel->ShowAt(r);
        }
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void WndMainToolbar::RepositionInfoPanel() {
    RECT r;
    if (m_infoPanel && ButtonScreenRect(kCmdInfoPanel, r)) m_infoPanel->MoveTo(r);
}

void WndMainToolbar::ToggleEnhance() {
    CWidgetItem* b = FindItem(kCmdEnhance);
    SendUsageEvent(L"enhance", L"feature");
    if (!b) return;
    if (b->Has(kStateActive)) {
        CAppConfig::Instance()->enhanceMode = 0;
        b->Set(kStateActive, false);
        PostToParent(kCmdShowAgain);
    } else {
        m_enhance.reset();
        m_enhance = bar_popups::MakeEnhanceWindow(m_hWnd);
        RECT r;
        if (m_enhance && ButtonScreenRect(kCmdEnhance, r)) {
            m_enhance->ShowAt(r);
            b->Set(kStateActive, true);
        }
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void WndMainToolbar::OnEnhanceClosed(WPARAM mode) {
    if (!m_enhance) return;
    // The mode is one of the effect's few values; anything else means none.
    const int chosen = mode <= 0xFFFF ? int(mode) : 0;
    CAppConfig::Instance()->enhanceMode = chosen;
    if (CWidgetItem* b = FindItem(kCmdEnhance)) {
        b->Set(kStateActive, chosen != 0);
        if (chosen != 0) PostToParent(kCmdShowAgain);
    }
    m_enhance.reset();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void WndMainToolbar::SetFullScreen(BOOL on) {
    // Only a toolbar with the full-screen button (20013) changes a text; this one has none.
    if (CWidgetItem* b = FindItem(20013)) b->m_tip = ToolbarTip(on ? 16 : 15);
    RebuildToolTips();
}

bool WndMainToolbar::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == kMsgEnhanceClosed) {
        OnEnhanceClosed(wParam);
        result = 0;
        return true;
    }
    return CBarWindow::OnMessage(msg, wParam, lParam, result);
}
