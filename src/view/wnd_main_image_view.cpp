#include "wnd_main_image_view.h"

#include <shlwapi.h>
#include <windowsx.h>

#include "app_config.h"
#include "command_ids.h"
#include "current_picture.h"
#include "folders.h"
#include "image_effect.h"
#include "language.h"
#include "main_view_items.h"
#include "main_view_layout.h"
#include "pre_render_key_frame.h"
#include "ui_event.h"
#include "wic_image_loader.h"
#include "widget_item_image.h"
#include "window_title.h"

using namespace main_view;

namespace {
constexpr UINT kMsgFolderListChanged = 0x81F9;
constexpr UINT kMsgMenuClosed = 0x8203;
FolderNavigation g_navigation;
// While the wheel question is open the wheel does nothing.
bool s_asking = false;
std::function<void(HWND)> g_askWheel;

std::wstring Resource(const wchar_t* name) { return ProgramFolder() + L"resources\\" + name; }

std::wstring FileName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
}  // namespace

void WndMainImageView::SetFolderNavigation(FolderNavigation navigation) {
    g_navigation = std::move(navigation);
}

void WndMainImageView::SetWheelQuestion(std::function<void(HWND)> ask) { g_askWheel = std::move(ask); }

WndMainImageView::WndMainImageView() {
    widget_window::LoadPicture(Resource(L"turn_page_indicator.png"), false, m_indicator);
    m_indicatorMirrored.CopyFrom(m_indicator);
    FCEffectMirror mirror;
    RunEffect(mirror, m_indicatorMirrored, nullptr);
    widget_window::LoadPicture(Resource(L"loading.png"), true, m_loading);
    widget_window::LoadPicture(Resource(L"not_exist_bg.png"), true, m_tipBackground);
    SetLayout(std::make_unique<CMainViewLayout>(m_indicator.Width()));
}

WndMainImageView::~WndMainImageView() { m_render.reset(); }

bool WndMainImageView::Create(HWND parent, int id) {
    if (!CWidgetWindow::Create(parent, id)) return false;
    AddItem(std::make_unique<CTurnPageItem>(kPreviousArrow, m_indicator, m_hWnd));
    AddItem(std::make_unique<CTurnPageItem>(kNextArrow, m_indicatorMirrored, m_hWnd));
    return true;
}

BOOL WndMainImageView::DestroyWindow() {
    m_render.reset();
    return CWidgetWindow::DestroyWindow();
}

RECT WndMainImageView::ImageArea() const {
    RECT r = {};
    ::GetClientRect(m_hWnd, &r);
    const CAppConfig* config = CAppConfig::Instance();
    if (!config->toolbarDock) {
        r.left += config->viewMargin;
        r.right -= config->viewMargin;
        r.bottom -= config->viewMargin;
        if (r.right < r.left) r.right = r.left;
        if (r.bottom < r.top) r.bottom = r.top;
    }
    return r;
}

void WndMainImageView::RemoveTransientItems() {
    for (int id = kLoadError; id <= kSavingTip; ++id)
        while (FindItem(id)) RemoveItem(id);
    for (int id : {int(kPreviousArrow), int(kNextArrow)})
        if (CWidgetItem* arrow = FindItem(id)) arrow->Set(CWidgetItem::kVisible, false);
}

void WndMainImageView::ShowCurrentImage() {
    RemoveTransientItems();
    m_render.reset();
    CCurrentPicture* picture = CCurrentPicture::Instance();
    const std::wstring path = picture->Path();
    if (!path.empty()) {
        const bool exists = ::PathFileExistsW(path.c_str()) != FALSE;
        if (exists && picture->Loader()) {
            const RECT area = ImageArea();
            m_render = std::make_unique<CViewRender>(m_hWnd, picture->Loader());
            m_render->ResetToFit(area.right - area.left, area.bottom - area.top);
            if (!m_render->HasFitBitmap() && m_loading.IsValid())
                AddItem(std::make_unique<CLoadingGifItem>(m_loading, m_hWnd));
            if (CAppConfig::Instance()->longImageMode && picture->Loader()->IsLongPicture())
                m_render->ZoomTo(1.0f, 0, 0);
        } else if (exists) {
            AddItem(std::make_unique<CLoadErrorItem>(FileName(path),
                                                     GetText(L"app", L"LOAD_IMAGE_ERROR_TIP")));
        } else {
            AddItem(std::make_unique<CTipItem>(kMissingTip, m_tipBackground, L"当前文件不存在"));
        }
        if (g_navigation.collect) g_navigation.collect(m_hWnd, path);
    } else {
        auto slogan = std::make_unique<widget_window::CWidgetItemImage>();
        slogan->m_id = kWelcomeSlogan;
        widget_window::LoadPicture(Resource(L"home_slogan.png"), true, slogan->m_image);
        slogan->m_rect = {0, 0, slogan->m_image.Width(), slogan->m_image.Height()};
        auto open = std::make_unique<widget_window::CWidgetItemBitmapButton>();
        open->m_id = kWelcomeOpen;
        widget_window::LoadPicture(Resource(L"home_open.png"), true, open->m_image);
        open->FitToFace();
        AddItem(std::move(slogan));
        AddItem(std::move(open));
        picture->Open(std::wstring());
    }
    OnLayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
    CWindowTitle::Instance()->Recompose();
    BroadcastUIEvent(CUIEventViewImageChanged());
}

void WndMainImageView::ShowSavingTip() {
    RemoveTransientItems();
    AddItem(std::make_unique<CTipItem>(kSavingTip, m_tipBackground, L"保存图片中"));
    OnLayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void WndMainImageView::RotateCurrent(int direction) {
    CCurrentPicture* picture = CCurrentPicture::Instance();
    if (!m_render || !picture->Loader() || picture->Loader()->IsAnimated()) return;
    picture->RecordPreview(m_render->PreRender() ? m_render->PreRender()->GetBitmap(true) : nullptr);
    m_render.reset();
    picture->GetQueue()->WaitAll();
    picture->Loader()->RotateOrientation(direction == 1);
    int w = 0, h = 0;
    picture->Loader()->GetOrientedSize(w, h);
    CWindowTitle::Instance()->SetSize(w, h);
    ShowCurrentImage();
}

void WndMainImageView::EndSizing() {
    m_sizing = false;
    if (!m_render) return;
    const RECT area = ImageArea();
    m_render->ResetToFit(area.right - area.left, area.bottom - area.top);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    auto loader = CCurrentPicture::Instance()->Loader();
    if (loader && loader->IsLongPicture()) ShowCurrentImage();
}

void WndMainImageView::RefreshAfterZoom() {
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void WndMainImageView::ZoomStep(int steps) {
    if (!m_render) return;
    const RECT area = ImageArea();
    m_render->ZoomStep(steps, (area.right - area.left) / 2, (area.bottom - area.top) / 2);
    RefreshAfterZoom();
}

void WndMainImageView::ToggleActual() {
    if (!m_render) return;
    m_render->ToggleActual();
    RefreshAfterZoom();
}

void WndMainImageView::ScrollVertical(int direction) {
    if (!m_render) return;
    const int s = int(0.8 * ::GetSystemMetrics(SM_CYFULLSCREEN));
    m_render->Pan(0, direction > 0 ? s : -s);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void WndMainImageView::OnDrawBackground(HDC dc, const RECT& dirty) {
    ::FillRect(dc, &dirty, CAppConfig::Instance()->BackgroundBrush());
    if (!m_render) return;
    const RECT area = ImageArea();
    POINT old;
    ::OffsetViewportOrgEx(dc, area.left, area.top, &old);
    m_render->Paint(dc, area.right - area.left, area.bottom - area.top, m_sizing);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

bool WndMainImageView::ActOnItem(int x, int y) {
    CWidgetItem* item = HitTest(x, y);
    if (!item) return false;
    HWND main = ::GetParent(m_hWnd);
    if (item->m_id == kPreviousArrow) ::PostMessageW(main, WM_KEYDOWN, VK_LEFT, 0);
    if (item->m_id == kNextArrow) ::PostMessageW(main, WM_KEYDOWN, VK_RIGHT, 0);
    if (item->m_id == kWelcomeOpen) ::PostMessageW(main, WM_COMMAND, kCmdOpen, 0);
    return true;
}

void WndMainImageView::OnLButtonDown(int x, int y) {
    if (ActOnItem(x, y)) return;
    if (m_render) Drag(x, y);
}

void WndMainImageView::Drag(int x, int y) {
    ::SetCapture(m_hWnd);
    POINT last = {x, y};
    MSG msg;
    while (::GetCapture() == m_hWnd) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The quit belongs to the outer loop.
            if (got == 0) ::PostQuitMessage(int(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            const POINT now = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            if (m_render) m_render->Pan(now.x - last.x, now.y - last.y);
            last = now;
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
            ::UpdateWindow(m_hWnd);
            if (msg.message == WM_LBUTTONUP) break;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void WndMainImageView::OnLButtonDblClk(int x, int y) {
    if (ActOnItem(x, y)) return;
    if (!m_render) return;
    const RECT area = ImageArea();
    m_render->ToggleAlternate(x - area.left, y - area.top);
    RefreshAfterZoom();
}

void WndMainImageView::OnWheel(WPARAM wParam, LPARAM lParam) {
    if (FindItem(kWelcomeOpen) || s_asking) return;
    CAppConfig* config = CAppConfig::Instance();
    if (config->mouseWheelAction == 99) {
        config->ReloadWheelAction();
        if (config->mouseWheelAction == 99 && g_askWheel) {
            s_asking = true;
            g_askWheel(::GetParent(m_hWnd));
            s_asking = false;
        }
    }
    const bool ctrl = (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0;
    bool zoom = config->mouseWheelAction == 1;
    if (ctrl) zoom = !zoom;
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    HWND main = ::GetParent(m_hWnd);
    if (::GetKeyState(VK_MENU) < 0) {
        ::PostMessageW(main, WM_COMMAND, delta > 0 ? kCmdScrollUp : kCmdScrollDown, 0);
        return;
    }
    if (zoom) {
        if (!m_render) return;
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ScreenToClient(m_hWnd, &pt);
        const RECT area = ImageArea();
        m_render->ZoomStep(delta / 120, pt.x - area.left, pt.y - area.top);
        RefreshAfterZoom();
        return;
    }
    ::PostMessageW(main, WM_COMMAND, delta > 0 ? kCmdPrevious : kCmdNext, 0);
}

void WndMainImageView::OnFolderCollected() {
    CWindowTitle::Instance()->Recompose();
    if (CWidgetItem* prev = FindItem(kPreviousArrow))
        prev->Set(CWidgetItem::kVisible, g_navigation.canMove && g_navigation.canMove(-1));
    if (CWidgetItem* next = FindItem(kNextArrow))
        next->Set(CWidgetItem::kVisible, g_navigation.canMove && g_navigation.canMove(+1));
    BroadcastUIEvent(CUIEventFolderImageCollected());
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool WndMainImageView::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_MOUSEWHEEL:
        OnWheel(wParam, lParam);
        result = 0;
        return true;
    case kMsgFirstFitBitmap:
        RemoveItem(kLoading);
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        result = 0;
        return true;
    case kMsgFolderListChanged:
        OnFolderCollected();
        result = 0;
        return true;
    case kMsgMenuClosed:
        result = 0;
        return true;
    case WM_SIZE:
        if (!m_sizing && m_render) {
            const RECT area = ImageArea();
            m_render->ResetToFit(area.right - area.left, area.bottom - area.top);
        }
        return CWidgetWindow::OnMessage(msg, wParam, lParam, result);
    default:
        return CWidgetWindow::OnMessage(msg, wParam, lParam, result);
    }
}
