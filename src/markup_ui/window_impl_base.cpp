#include "window_impl_base.h"

#include <windowsx.h>

#include <algorithm>

#include "control_query.h"
#include "text_util.h"
#include "ui_container.h"
#include "ui_edit.h"

namespace markup {
namespace {

// Marks close requests that carry a result code; any other WM_CLOSE declines.
constexpr LPARAM kCloseWithCode = 0x5EC105E;
constexpr UINT kDeclined = 2;

// A layout may ask for any size; a window surface of twice the desktop is the most that is
// ever useful, and much more would cost the system memory and time for nothing.
int CapWidth(int cx) { return std::min(cx, std::max(4096, 2 * ::GetSystemMetrics(SM_CXVIRTUALSCREEN))); }
int CapHeight(int cy) { return std::min(cy, std::max(4096, 2 * ::GetSystemMetrics(SM_CYVIRTUALSCREEN))); }

}  // namespace

WindowImplBase::~WindowImplBase() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

HWND WindowImplBase::Create(HWND owner, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rc) {
    const wchar_t* cls = GetWindowClassName();
    if (!CWnd::RegisterClass(cls, CS_DBLCLKS | CS_DROPSHADOW)) return nullptr;
    // Shown only once it has its size and place (the modal loop or the caller shows it), so
    // that it never flashes at the creation rectangle.
    if (!CreateEx(exStyle, cls, name ? name : L"", style & ~WS_VISIBLE, rc.left, rc.top,
                  rc.right - rc.left, rc.bottom - rc.top, owner, nullptr))
        return nullptr;
    return m_hWnd;
}

void WindowImplBase::ShowWindow(bool show, bool takeFocus) {
    if (!m_hWnd) return;
    ::ShowWindow(m_hWnd, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void WindowImplBase::Close(UINT code) {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::PostMessageW(m_hWnd, WM_CLOSE, WPARAM(code), kCloseWithCode);
}

UINT WindowImplBase::ShowModal() {
    const HWND hwnd = m_hWnd;
    if (!hwnd || !::IsWindow(hwnd)) return m_result;
    const HWND owner = ::GetWindow(hwnd, GW_OWNER);
    m_modal = true;
    // The owner is disabled before the box appears, so no click slips through in between.
    if (owner) ::EnableWindow(owner, FALSE);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    MSG msg = {};
    bool quit = false;
    int quitCode = 0;
    while (::IsWindow(hwnd)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = int(msg.wParam);
            break;
        }
        if (got == -1) break;
        // Escape declines whatever control has the focus, before the control sees it.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE &&
            (msg.hwnd == hwnd || ::IsChild(hwnd, msg.hwnd))) {
            Close(kDeclined);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (owner && !::IsWindowEnabled(owner)) ::EnableWindow(owner, TRUE);
    m_modal = false;
    if (quit) ::PostQuitMessage(quitCode);
    return m_result;
}

void WindowImplBase::CenterWindow() {
    if (!m_hWnd) return;
    RECT dlg = {};
    ::GetWindowRect(m_hWnd, &dlg);
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    HWND center = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO mi = {sizeof(mi)};
    ::GetMonitorInfoW(::MonitorFromWindow(center ? center : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT work = mi.rcWork;
    RECT area = work;
    if (center && ::IsWindowVisible(center) && !::IsIconic(center)) ::GetWindowRect(center, &area);
    const int w = dlg.right - dlg.left, h = dlg.bottom - dlg.top;
    int x = (area.left + area.right) / 2 - w / 2;
    int y = (area.top + area.bottom) / 2 - h / 2;
    if (x < work.left) x = work.left;
    else if (x + w > work.right) x = work.right - w;
    if (y < work.top) y = work.top;
    else if (y + h > work.bottom) y = work.bottom - h;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowImplBase::OnClick(TNotifyUI& msg) {
    const std::wstring& name = msg.pSender->GetName();
    if (name == L"closebtn") Close(IDOK);
    else if (name == L"minbtn") ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (name == L"maxbtn") ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    else if (name == L"restorebtn") ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void WindowImplBase::Notify(TNotifyUI& msg) {
    if (msg.sType == L"click" && msg.pSender) OnClick(msg);
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& handled) {
    handled = true;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    const RECT caption = m_pm.GetCaptionRect();
    if (::PtInRect(&caption, pt)) {
        CControlUI* at = m_pm.FindControl(pt);
        if (!at || !at->IsInteractive()) return HTCAPTION;
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

ResourceSource WindowImplBase::ResolveResources() {
    std::wstring folder = CResourceManager::GetResourcePath();
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    folder += GetSkinFolder();
    switch (GetResourceType()) {
    case UILIB_ZIP:
        return ResourceSource(CResourceManager::OpenZipFile(folder + GetZIPFileName()), L"");
    case UILIB_ZIPRESOURCE:
        return ResourceSource(CResourceManager::OpenZipResource(GetResourceID(), L"ZIPRES"), L"");
    default:
        return ResourceSource(nullptr, folder);
    }
}

bool WindowImplBase::LoadLayout(std::string& xml) {
    return m_resources.Valid() && m_resources.Load(textutil::WideToUtf8(GetSkinFile()), xml);
}

void WindowImplBase::FailLayout() {
    // A window without its layout cannot work; the program cannot go on sensibly either.
    ::MessageBoxW(nullptr, L"加载资源文件失败", L"Duilib", MB_OK | MB_ICONERROR);
    ::ExitProcess(1);
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& handled) {
    handled = true;
    m_resources = ResolveResources();
    m_pm.Init(m_hWnd, &m_resources);
    std::string xml;
    std::unique_ptr<CControlUI> root;
    if (LoadLayout(xml)) root = CDialogBuilder::Create(xml, m_pm, this);
    if (!root) FailLayout();
    m_pm.AttachRoot(std::move(root));
    m_pm.AddNotifier(this);
    if (m_pm.initSize.cx > 0 && m_pm.initSize.cy > 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, CapWidth(m_pm.Scale(m_pm.initSize.cx)),
                       CapHeight(m_pm.Scale(m_pm.initSize.cy)), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InitWindow();
    return 0;
}

LRESULT WindowImplBase::AnswerControlQuery(const COPYDATASTRUCT* cds) {
    if (!cds->lpData || cds->cbData == 0 || cds->cbData % 2 || cds->cbData / 2 > kControlQueryMaxChars)
        return 0;
    std::wstring name(static_cast<const wchar_t*>(cds->lpData), cds->cbData / 2);
    m_pm.LayoutIfNeeded();
    while (!name.empty() && name.back() == L'\0') name.pop_back();
    CControlUI* c = m_pm.FindControl(name);
    if (!c || !c->IsVisible()) return 0;
    for (CControlUI* p = c->GetParent(); p; p = p->GetParent())
        if (!p->IsVisible()) return 0;
    RECT rc = c->GetPos();
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return LRESULT(PackScreenRect(rc.left, rc.top, rc.right, rc.bottom));
}

LRESULT WindowImplBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT r = 0;
    switch (msg) {
    case WM_CREATE:
        r = OnCreate(msg, wParam, lParam, handled);
        break;
    case WM_NCCALCSIZE:
        // The layout draws the whole window; there is no system frame. Both forms (the one at
        // creation has wParam FALSE) leave the client rectangle equal to the window's.
        return 0;
    case WM_NCPAINT:
        return 0;
    case WM_NCACTIVATE:
        return ::IsIconic(m_hWnd) ? ::DefWindowProcW(m_hWnd, msg, wParam, lParam) : TRUE;
    case WM_NCHITTEST:
        r = OnNcHitTest(msg, wParam, lParam, handled);
        break;
    case WM_GETMINMAXINFO: {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
        if (m_pm.minSize.cx > 0) mmi->ptMinTrackSize.x = m_pm.Scale(m_pm.minSize.cx);
        if (m_pm.minSize.cy > 0) mmi->ptMinTrackSize.y = m_pm.Scale(m_pm.minSize.cy);
        if (m_pm.maxSize.cx > 0) mmi->ptMaxTrackSize.x = CapWidth(m_pm.Scale(m_pm.maxSize.cx));
        if (m_pm.maxSize.cy > 0) mmi->ptMaxTrackSize.y = CapHeight(m_pm.Scale(m_pm.maxSize.cy));
        return 0;
    }
    case WM_KILLFOCUS:
        r = OnKillFocus(msg, wParam, lParam, handled);
        break;
    case WM_DPICHANGED: {
        // Moved to a monitor of another DPI: lay out again at its scale, at the size the
        // system suggests.
        m_pm.SetDpi(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        if (suggested)
            ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            Close(kDeclined);
            return 0;
        }
        break;
    case WM_CLOSE:
        m_result = lParam == kCloseWithCode ? UINT(wParam) : kDeclined;
        if (m_modal) {
            // The owner comes back before this window goes, so it is the one activated.
            if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) {
                ::EnableWindow(owner, TRUE);
                ::SetFocus(owner);
            }
        }
        ::DestroyWindow(m_hWnd);
        return 0;
    case WM_COPYDATA: {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (cds && cds->dwData == kControlQueryId) return AnswerControlQuery(cds);
        break;
    }
    case WM_COMMAND:
        if (lParam) {
            bool routed = false;
            ForEachControl(m_pm.GetRoot(), [&](CControlUI* c) {
                if (auto* edit = dynamic_cast<CEditUI*>(c); edit && !routed)
                    routed = edit->OnEditCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            });
            if (routed) return 0;
        }
        break;
    default:
        break;
    }
    if (handled) return r;
    r = HandleCustomMessage(msg, wParam, lParam, handled);
    if (handled) return r;
    if (m_pm.MessageHandler(msg, wParam, lParam, r)) return r;
    return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

bool WindowImplBase::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND hwnd = m_hWnd;
    result = HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) OnFinalMessage(hwnd);
    return true;
}

}  // namespace markup
