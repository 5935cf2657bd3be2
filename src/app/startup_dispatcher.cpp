// Decides, before any window exists, whether this start becomes the viewer.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <vector>

#include "app_config.h"
#include "command_line.h"
#include "folders.h"
#include "hand_over.h"
#include "win_handle.h"

namespace {

using FileLinkCall = int(__cdecl*)(int);

void CallFileLink(const char* exportName, int argument) {
    const std::wstring path = ProgramFolder() + L"FileLink.dll";
    UniqueModule lib(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!lib) return;
    auto fn = reinterpret_cast<FileLinkCall>(
        reinterpret_cast<void*>(::GetProcAddress(lib.get(), exportName)));
    if (fn) fn(argument);
}

void InstallAsDefault() {
    UniqueHandle mutex(::CreateMutexA(nullptr, FALSE, "PlMainSetFileAssociation-9c1a7e1574578709"));
    const DWORD wait = mutex ? ::WaitForSingleObject(mutex.get(), INFINITE) : WAIT_FAILED;
    CAppConfig::Instance()->userSetDefaultViewer = 1;
    CAppConfig::Instance()->Save();
    CallFileLink("SetDefaultImageViewer", 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ::ReleaseMutex(mutex.get());
}

void Uninstall() {
    CallFileLink("UnInstall", int(0x80000001u));
    std::wstring folder = DataFolder();
    if (folder.size() < 4) return;
    folder.pop_back();          // no trailing backslash
    folder.push_back(L'\0');    // the list ends with two zeros
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = folder.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    ::SHFileOperationW(&op);
}

struct IdleWindowSearch {
    DWORD ownPid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMainWindows(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<IdleWindowSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == 0 || pid == search->ownPid) return TRUE;
    std::vector<wchar_t> cls(1024);
    const int n = ::GetClassNameW(hwnd, cls.data(), int(cls.size()));
    if (n > 0 && std::wstring(cls.data(), n) == kMainWindowClass) search->found.push_back(hwnd);
    return TRUE;
}

std::wstring WindowTitle(HWND hwnd) {
    std::vector<wchar_t> buf(512);
    const int n = ::GetWindowTextW(hwnd, buf.data(), int(buf.size()));
    return std::wstring(buf.data(), n > 0 ? n : 0);
}

}  // namespace

std::wstring CCommandLine::GetFilePath() const {
    return SelectFilePath([](const std::wstring& path) {
        return ::PathFileExistsW(path.c_str()) != FALSE;
    });
}

bool CCommandLine::DispatchStartup() {
    if (HasSwitch(L"install")) {
        InstallAsDefault();
        return false;
    }
    if (HasSwitch(L"uninstall")) {
        Uninstall();
        return false;
    }
    if (HasSwitch(L"setting") && SendToReceiver(kAlwaysReceiverTitle, L"--setting")) return false;
    if (HasSwitch(L"show-existing") && SendToReceiver(kAlwaysReceiverTitle, GetText()))
        return false;
    if (HasSwitch(L"LockscreenSet") && SendToReceiver(kAlwaysReceiverTitle, GetText()))
        return false;

    const std::wstring path = GetFilePath();
    if (CAppConfig::Instance()->onlyOneInstance &&
        SendToReceiver(kSingleInstanceReceiverTitle, path))
        return false;

    IdleWindowSearch search{::GetCurrentProcessId(), {}};
    ::EnumWindows(&CollectMainWindows, reinterpret_cast<LPARAM>(&search));
    for (HWND hwnd : search.found) {
        if (WindowTitle(hwnd) == kIdleMainTitle && SendHandOver(hwnd, path)) return false;
    }
    return true;
}
