#include "orbview_dlg.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app_config.h"
#include "current_picture.h"
#include "command_ids.h"
#include "command_line.h"
#include "companion_process.h"
#include "folders.h"
#include "drop_files.h"
#include "hand_over.h"
#include "hubcore_client.h"
#include "ipc_message_mgr.h"
#include "ipc_receiver.h"
#include "main_messages.h"
#include "my_log.h"
#include "pending_operations.h"
#include "picture_opening.h"
#include "resource.h"
#include "win_handle.h"
#include "window_title.h"

const wchar_t kQuitBroadcastMessage[] = L"Pelion_quit_broadcast_msg";

namespace {

const wchar_t kExitMutex[] = L"PlMainExitMutex-ad756f18033b6ea0";
constexpr int kCaptionHeight = 30;
constexpr int kToolbarHeight = 62;

bool OtherMainWindowExists() {
    struct Search {
        DWORD pid;
        bool found;
    } search = {::GetCurrentProcessId(), false};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            if (pid == 0 || pid == s->pid) return TRUE;
            wchar_t cls[1024] = {};
            ::GetClassNameW(hwnd, cls, 1024);
            if (std::wstring(cls) != kMainWindowClass) return TRUE;
            s->found = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

COrbviewDlg::COrbviewDlg() : CDialog(IDD_MAIN) {
    // The template names its own class so other starts can find this window by it.
    RegisterDialogClass(kMainWindowClass,
                        ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN)));
}

COrbviewDlg::~COrbviewDlg() = default;

BOOL COrbviewDlg::OnInitDialog() {
    for (UINT msg : {UINT(WM_COPYDATA), UINT(WM_DROPFILES), UINT(0x49)})
        ::ChangeWindowMessageFilterEx(m_hWnd, msg, MSGFLT_ALLOW, nullptr);
    CAppConfig::Instance()->RestorePosition(m_hWnd);

    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    m_imageView.Create(m_hWnd, kImageViewId);
    m_toolbar.Create(m_hWnd, kToolbarId);
    m_logo.Create(m_hWnd, kLogoId);
    m_menubar.Create(m_hWnd, kMenubarId);
    m_logo.SetWide(TRUE);
    // The logo covers the template's empty icon area; a visible empty static would paint over it.
    ::ShowWindow(::GetDlgItem(m_hWnd, kIconAreaId), SW_HIDE);

    SendUsageEvent(L"main", L"open");
    ::PostMessageW(m_hWnd, kMsgFirstOpen, 0, 0);
    ::DragAcceptFiles(m_hWnd, TRUE);
    m_quitMessage = ::RegisterWindowMessageW(kQuitBroadcastMessage);
    m_accelerators = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));

    CCommandLine* cmd = CommandLineInstance();
    if (cmd->HasSwitch(L"--setting"))
        ::PostMessageW(m_hWnd, WM_COMMAND, kCmdSettings, 0);
    else if (cmd->HasSwitch(L"--LockscreenSet"))
        ::PostMessageW(m_hWnd, kMsgLockScreenSettings, 0, 0);

    HWND title = ::GetDlgItem(m_hWnd, kTitleTextId);
    ::SetWindowLongPtrW(title, GWL_STYLE, ::GetWindowLongPtrW(title, GWL_STYLE) | SS_CENTERIMAGE);
    RECT tr;
    ::GetWindowRect(title, &tr);
    ::SetWindowPos(title, nullptr, 105, 1, tr.right - tr.left, 29, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowTextW(title, L"");
    // The template's dialog font is small for a caption; the title reads in 9 points of the
    // system's UI face, which also holds Chinese names.
    LOGFONTW lf = {};
    HDC screen = ::GetDC(nullptr);
    lf.lfHeight = -::MulDiv(9, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    ::lstrcpynW(lf.lfFaceName, L"Microsoft YaHei UI", LF_FACESIZE);
    m_titleFont.reset(::CreateFontIndirectW(&lf));
    if (m_titleFont) ::SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(m_titleFont.get()), FALSE);

    m_closeButton.Attach(kCloseButtonId, m_hWnd);
    m_maxButton.Attach(kMaxButtonId, m_hWnd);
    m_minButton.Attach(kMinButtonId, m_hWnd);
    m_fullButton.Attach(kFullScreenButtonId, m_hWnd);
    m_closeButton.Load(155, 3);
    m_maxButton.Load(154, 3);
    m_minButton.Load(157, 3);
    m_fullButton.Load(163, 3);

    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & ~LONG_PTR(WS_CAPTION));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    CIPCMessageMgr::Instance()->Open();
    CIPCMessageMgr::Instance()->AddListener(this);
    SetHandOverTarget(m_hWnd);

    ::SetForegroundWindow(m_hWnd);
    ::SetTimer(m_hWnd, kTimerStartTray, 1000, nullptr);
    ::SetTimer(m_hWnd, kTimerLaunchEvent, 1000, nullptr);
    CAppConfig::Instance()->quickIndex = CPLibWrapper::Instance()->GetQuickIndex();
    CWindowTitle::Instance()->Recompose();
    OnSize();
    return TRUE;
}

BOOL COrbviewDlg::DestroyWindow() {
    SetHandOverTarget(nullptr);
    CAppConfig::Instance()->StorePosition(m_hWnd);
    CAppConfig::Instance()->Save();
    CIPCMessageMgr::Instance()->RemoveListener(this);
    CIPCMessageMgr::Instance()->Close();
    m_imageView.DestroyWindow();
    return CDialog::DestroyWindow();
}

int COrbviewDlg::OnMessageReceived(const IPC::Message& message) {
    if (message.type() == 2) RequestClose();
    return 0;
}

void COrbviewDlg::RequestClose() {
    m_closing = true;
    ::PostMessageW(m_hWnd, m_quitMessage, 0, 0);
    ::SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
    ::SetTimer(m_hWnd, kTimerQuitWatchdog, 1000, nullptr);
}

void COrbviewDlg::OnCancel() {
    if (m_fullScreen)
        ToggleFullScreen();
    else
        EndDialog(IDCANCEL);
}

void COrbviewDlg::OnClose() {
    // The dialog's own handling of a close is a cancel.
    ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (CAppConfig::Instance()->completelyExit) LastWindowExit();
}

void COrbviewDlg::LastWindowExit() {
    // Held until the process ends, so several exiting viewers take turns.
    HANDLE exitMutex = ::CreateMutexW(nullptr, FALSE, kExitMutex);
    if (exitMutex) ::WaitForSingleObject(exitMutex, 10000);
    if (OtherMainWindowExists()) return;
    CIPCMessageMgr::Instance()->Send(IPC::Message(1, 2, 2), false, false);
    TerminateProcessesByPath(ProgramFolder() + L"PelionTray.exe");
}

bool COrbviewDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    return RunCommand(LOWORD(wParam)) || CDialog::OnCommand(wParam, lParam);
}

bool COrbviewDlg::PreTranslateMessage(MSG& msg) {
    if (m_accelerators && ::TranslateAcceleratorW(m_hWnd, m_accelerators, &msg)) return true;
    if (msg.message == WM_CHAR) return true;
    if (msg.message == WM_MOUSEWHEEL && msg.hwnd != m_imageView.GetSafeHwnd() &&
        ::GetParent(msg.hwnd) == m_hWnd && m_imageView.GetSafeHwnd())
        ::SendMessageW(m_imageView, WM_MOUSEWHEEL, msg.wParam, msg.lParam);
    if (m_quitMessage && msg.message == m_quitMessage) {
        EndDialog(IDCANCEL);
        return true;
    }
    return false;
}

void COrbviewDlg::BringToFront(bool activate) {
    if (::IsIconic(m_hWnd)) {
        ::ShowWindow(m_hWnd, SW_RESTORE);
        return;
    }
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

LRESULT COrbviewDlg::OnCopyData(WPARAM, const COPYDATASTRUCT* data) {
    if (m_closing) return 0;
    std::wstring text;
    if (!ReadHandOver(data, text)) return 0;
    CCommandLine request;
    request.Parse(text);
    if (request.HasSwitch(L"setting")) {
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::PostMessageW(m_hWnd, WM_COMMAND, kCmdSettings, 0);
        return 1;
    }
    if (request.HasSwitch(L"show-existing")) {
        BringToFront(false);
        return 1;
    }
    if (request.HasSwitch(L"LockscreenSet")) {
        PLOG_INFO << L"Post LockscreenSet";
        ::PostMessageW(m_hWnd, kMsgLockScreenSettings, 0, 0);
        return 1;
    }
    if (!text.empty() && ::PathFileExistsW(text.c_str())) {
        m_handOverPath = text;
        ::SendMessageW(m_hWnd, kMsgOpenHandedOver, reinterpret_cast<WPARAM>(m_handOverPath.c_str()), 0);
        return 1;
    }
    BringToFront(false);
    return 1;
}

void COrbviewDlg::OpenPath(const std::wstring& path) {
    CCurrentPicture::Instance()->Open(path);
    m_imageView.ShowCurrentImage();
}

void COrbviewDlg::MoveTitleText(int width, int height) {
    m_logo.SetWide(CWindowTitle::Instance()->HasPicture() ? FALSE : TRUE);
    RECT logo;
    ::GetClientRect(m_logo, &logo);
    ::SetWindowPos(::GetDlgItem(m_hWnd, kTitleTextId), nullptr, logo.right + 10, 5, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void COrbviewDlg::LayoutChildren() {
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const bool bottom = CAppConfig::Instance()->toolbarDock != 0;
    if (bottom) {
        PlaceWindow(m_imageView, rc.left, kCaptionHeight + 1, rc.right, rc.bottom - kToolbarHeight);
        m_toolbar.Place(rc.left, rc.bottom - kToolbarHeight, rc.right, rc.bottom - 2);
    } else {
        PlaceWindow(m_imageView, rc.left, kCaptionHeight + 1 + kToolbarHeight, rc.right, rc.bottom);
        m_toolbar.Place(rc.left, 33, rc.right, 93);
    }
    const int fullX = rc.right - (m_fullButtonMoved ? 60 : 120);
    m_menubar.Place(fullX - 30, 1, fullX, 31);
}

void COrbviewDlg::OnSize() {
    if (::IsIconic(m_hWnd)) return;
    RECT wr, cr;
    ::GetWindowRect(m_hWnd, &wr);
    ::GetClientRect(m_hWnd, &cr);
    POINT origin = {0, 0};
    ::ClientToScreen(m_hWnd, &origin);
    const int left = wr.left - origin.x, top = wr.top - origin.y;  // negative border sizes
    m_region = {-left - 1, -top, cr.right - left + 2, cr.bottom - top + 2};
    ::SetWindowRgn(m_hWnd, ::CreateRectRgn(m_region.left, m_region.top, m_region.right,
                                           m_region.bottom), TRUE);

    ::SetWindowPos(m_closeButton, nullptr, cr.right - 30, 1, 30, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(m_maxButton, nullptr, cr.right - 60, 1, 30, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(m_minButton, nullptr, cr.right - 90, 1, 30, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(m_fullButton, nullptr, cr.right - (m_fullButtonMoved ? 60 : 120), 1, 30, 30,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const bool maximised = ::IsZoomed(m_hWnd) != FALSE;
    if (maximised != m_maximisedFace || !m_maxButton.HasImage()) {
        m_maximisedFace = maximised;
        m_maxButton.Load(maximised ? 154 : 166, 3);
    }
    LayoutChildren();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void COrbviewDlg::ToggleFullScreen() {
    m_fullButtonMoved = !m_fullButtonMoved;
    if (m_savedFrame) {
        m_fullScreen = false;
        LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~LONG_PTR(WS_POPUP)) | WS_THICKFRAME);
        const RECT r = *m_savedFrame;
        m_savedFrame.reset();
        ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_FRAMECHANGED);
        for (HWND h : {m_maxButton.GetSafeHwnd(), m_minButton.GetSafeHwnd(), m_menubar.GetSafeHwnd()})
            ::ShowWindow(h, SW_SHOW);
    } else {
        m_fullScreen = true;
        for (HWND h : {m_maxButton.GetSafeHwnd(), m_minButton.GetSafeHwnd(), m_menubar.GetSafeHwnd()})
            ::ShowWindow(h, SW_HIDE);
        m_savedFrame = std::make_unique<RECT>();
        ::GetWindowRect(m_hWnd, m_savedFrame.get());
        LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~LONG_PTR(WS_THICKFRAME)) | WS_POPUP);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                       ::GetSystemMetrics(SM_CYSCREEN), SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    m_toolbar.SetFullScreen(m_fullScreen ? TRUE : FALSE);
    OnSize();
    ::UpdateWindow(m_hWnd);
}

bool COrbviewDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COPYDATA:
        if (!m_closing) {
            const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (cds && cds->dwData != kHandOverCopyDataId) return false;
        }
        result = OnCopyData(wParam, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return true;
    case kMsgOpenHandedOver: {
        // Only our own hand-over text is read; the message itself may come from anywhere.
        if (m_handOverPath.empty() || wParam != reinterpret_cast<WPARAM>(m_handOverPath.c_str())) {
            result = 0;
            return true;
        }
        const std::wstring path = m_handOverPath;
        m_handOverPath.clear();
        if (::IsIconic(m_hWnd)) ::ShowWindow(m_hWnd, SW_RESTORE);
        HWND fg = ::GetForegroundWindow();
        const DWORD fgThread = fg ? ::GetWindowThreadProcessId(fg, nullptr) : 0;
        const DWORD own = ::GetCurrentThreadId();
        const bool attached = fgThread && fgThread != own && ::AttachThreadInput(own, fgThread, TRUE);
        ::BringWindowToTop(m_hWnd);
        ::SetForegroundWindow(m_hWnd);
        if (attached) ::AttachThreadInput(own, fgThread, FALSE);
        OpenPath(path);
        result = 0;
        return true;
    }
    case kMsgFirstOpen: {
        ::UpdateWindow(m_hWnd);
        OpenPath(CommandLineInstance()->GetFilePath());
        // The default-viewer check (file association work) runs only while no other process
        // holds the association mutex; the check itself lands with file association.
        UniqueHandle assoc(::CreateMutexA(nullptr, FALSE, "PlMainSetFileAssociation-9c1a7e1574578709"));
        result = 0;
        return true;
    }
    case kMsgRefresh:
        ::InvalidateRect(m_toolbar, nullptr, TRUE);
        m_imageView.ShowCurrentImage();
        result = 0;
        return true;
    case kMsgLockScreenSettings:
        pending_ops::ShowSettings(m_hWnd, 4);
        result = 0;
        return true;
    case kMsgDefaultViewerPrompt:
    case kMsgQuickIndexChanged:
    case kMsgSetDefaultViewer:
    case kMsgFeedbackEnded:
    case kMsgSaveEnded:
        result = 0;
        return true;
    case kMsgRunCommand:
        switch (int(wParam)) {
        case kCmdOpen: case kCmdAlwaysOnTop: case kCmdWheelSwitches: case kCmdWheelZooms:
        case kCmdSettings: case kCmdAbout: case kCmdFeedback: case kCmdDefaultViewer:
            RunCommand(int(wParam));
            break;
        default:
            break;
        }
        result = 0;
        return true;
    case kMsgTitleSize:
        MoveTitleText(int(wParam), int(lParam));
        result = 0;
        return true;
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        std::wstring file;
        if (FirstDroppedFile(drop, file)) {
            ::DragFinish(drop);
            if (IsSupportedPictureFile(file)) OpenPath(file);
        }
        result = 0;
        return true;
    }
    case WM_NCHITTEST: {
        if (m_fullScreen) return false;
        POINT pt = {short(LOWORD(lParam)), short(HIWORD(lParam))};
        ::ScreenToClient(m_hWnd, &pt);
        RECT cr;
        ::GetClientRect(m_hWnd, &cr);
        if (::PtInRect(&cr, pt) && pt.y < kCaptionHeight) {
            result = HTCAPTION;
            return true;
        }
        return false;
    }
    case WM_GETMINMAXINFO: {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
        mmi->ptMinTrackSize = {700, 500};
        RECT work;
        if (::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
            int height = work.bottom - work.top;
            if (mmi->ptMaxPosition.y < 0) height -= 2 * mmi->ptMaxPosition.y;
            mmi->ptMaxSize.y = height;
        }
        result = 0;
        return true;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) OnSize();
        return false;
    case WM_MOVE:
        m_toolbar.RepositionInfoPanel();
        return false;
    case WM_ENTERSIZEMOVE:
        m_imageView.BeginSizing();
        return false;
    case WM_EXITSIZEMOVE:
        m_imageView.EndSizing();
        return false;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        ::FillRect(dc, &rc, white);
        ::FrameRect(dc, &rc, white);
        ::EndPaint(m_hWnd, &ps);
        result = 0;
        return true;
    }
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        return true;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool title = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kTitleTextId;
        ::SetTextColor(dc, title ? RGB(0x40, 0x41, 0x47) : RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        return true;
    }
    case WM_QUERYENDSESSION:
        RequestClose();
        result = TRUE;
        return true;
    case WM_CLOSE:
        OnClose();
        result = 0;
        return true;
    case WM_TIMER:
        if (wParam == kTimerQuitWatchdog) {
            ::ExitProcess(0);
        } else if (wParam == kTimerStartTray) {
            ::KillTimer(m_hWnd, kTimerStartTray);
            StartTray(L"");
        } else if (wParam == kTimerLaunchEvent) {
            ::KillTimer(m_hWnd, kTimerLaunchEvent);
            std::wstring from;
            CommandLineInstance()->GetSwitchValue(L"from", from);
            SendUsageEvent(L"main", L"open_" + LaunchTag(from));
        }
        result = 0;
        return true;
    default:
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }
}
