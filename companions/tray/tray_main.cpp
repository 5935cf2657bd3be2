// PelionTray.exe: the viewer's companion in the notification area. It owns the server side of
// the viewer's channel, keeps a log of what it receives, and quits when told to.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "ipc_message.h"
#include "text_util.h"

namespace {

const wchar_t kTrayMutex[] = L"Global\\PlTray-95745a12eeaa410d";
const wchar_t kUpgradeMutex[] = L"PlTrayUpgradePrivilegeName-d7a77ee6517af62d";
const wchar_t kServerName[] = L"Pelion.Server.MsgClass.PlIPC-be3d8fcf43482b49";
const wchar_t kIconClass[] = L"PelionTrayIconWindow";
constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT kMenuOpen = 1, kMenuQuit = 2;
constexpr DWORD kMaxRecord = 1024 * 1024;

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::wstring DataFolder() {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return std::wstring();
    return std::wstring(appData) + L"\\Pelion\\";
}

// Menu texts come from the viewer's language file.
std::wstring Text(const wchar_t* key, const wchar_t* fallback) {
    wchar_t lang[64] = {};
    ::GetPrivateProfileStringW(L"app", L"language_id", L"en.ini", lang, 64,
                               (DataFolder() + L"config.ini").c_str());
    std::wstring name = lang;
    if (name.find_first_of(L"\\/:") != std::wstring::npos || name.empty()) name = L"en.ini";
    wchar_t text[256] = {};
    ::GetPrivateProfileStringW(L"TRAY", key, fallback, text, 256,
                               (ProgramFolder() + L"lang\\" + name).c_str());
    return text;
}

void AppendLog(const std::string& line) {
    const std::wstring folder = DataFolder();
    if (folder.empty()) return;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE f = ::CreateFileW((folder + L"tray.log").c_str(), FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    const std::string data = line + "\n";
    DWORD written = 0;
    ::WriteFile(f, data.data(), DWORD(data.size()), &written, nullptr);
    ::CloseHandle(f);
}

// Records a received record; returns its type (0 for a malformed one).
uint32_t Record(const char* data, size_t length) {
    const IPC::Message message(data, length);
    if (message.HeaderSize() < size_t(IPC::Message::kHeaderSize)) {
        AppendLog("malformed record of " + std::to_string(length) + " bytes");
        return 0;
    }
    std::string hex;
    char byte[4];
    for (uint32_t i = 0; i < message.PayloadSize(); ++i) {
        std::snprintf(byte, sizeof(byte), "%02x", unsigned(static_cast<unsigned char>(message.Payload()[i])));
        hex += byte;
    }
    AppendLog("type=" + std::to_string(message.type()) +
              " routing=" + std::to_string(message.routing_id()) + " payload=" + hex);
    return message.type();
}

LRESULT CALLBACK ServerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (cds && cds->lpData && cds->cbData > 0 && cds->cbData <= kMaxRecord &&
            (cds->dwData == 0x8888 || cds->dwData == 0x8889)) {
            if (Record(static_cast<const char*>(cds->lpData), cds->cbData) == 2)
                ::PostQuitMessage(0);
        }
        return TRUE;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void ShowMenu(HWND hwnd) {
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, kMenuOpen, Text(L"OPEN", L"Open Pelion").c_str());
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kMenuQuit, Text(L"QUIT", L"Quit").c_str());
    POINT pt;
    ::GetCursorPos(&pt);
    ::SetForegroundWindow(hwnd);
    const UINT cmd = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd, nullptr);
    ::DestroyMenu(menu);
    if (cmd == kMenuOpen)
        ::ShellExecuteW(nullptr, L"open", (ProgramFolder() + L"PelionView.exe").c_str(),
                        L"--from=tray", nullptr, SW_SHOWNORMAL);
    else if (cmd == kMenuQuit)
        ::PostQuitMessage(0);
}

LRESULT CALLBACK IconProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kTrayCallback) {
        if (LOWORD(lp) == WM_RBUTTONUP || LOWORD(lp) == WM_CONTEXTMENU) ShowMenu(hwnd);
        if (LOWORD(lp) == WM_LBUTTONDBLCLK)
            ::ShellExecuteW(nullptr, L"open", (ProgramFolder() + L"PelionView.exe").c_str(),
                            L"--from=tray", nullptr, SW_SHOWNORMAL);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeWindow(const wchar_t* cls, const wchar_t* title, WNDPROC proc) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    ::RegisterClassExW(&wc);
    return ::CreateWindowExW(0, cls, title, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
    const std::wstring args = cmdLine ? cmdLine : L"";
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, kTrayMutex);
    if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (mutex) ::CloseHandle(mutex);
        return 0;  // one tray per session
    }
    HANDLE upgrade = nullptr;
    if (args.find(L"--need-upgrade-privilege-now") != std::wstring::npos)
        upgrade = ::CreateMutexW(nullptr, FALSE, kUpgradeMutex);
    AppendLog("started " + textutil::WideToUtf8(args));

    // A hidden top-level window, so the viewer finds it by class and title.
    HWND server = MakeWindow(kServerName, kServerName, &ServerProc);
    ::ChangeWindowMessageFilterEx(server, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    HWND iconWindow = MakeWindow(kIconClass, L"", &IconProc);

    NOTIFYICONDATAW nid = {sizeof(nid)};
    nid.hWnd = iconWindow;
    nid.uID = 1;
    nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = kTrayCallback;
    nid.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(128));
    ::lstrcpynW(nid.szTip, L"Pelion", ARRAYSIZE(nid.szTip));
    ::Shell_NotifyIconW(NIM_ADD, &nid);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::Shell_NotifyIconW(NIM_DELETE, &nid);
    ::DestroyWindow(iconWindow);
    ::DestroyWindow(server);
    AppendLog("stopped");
    if (upgrade) ::CloseHandle(upgrade);
    ::CloseHandle(mutex);
    return 0;
}
