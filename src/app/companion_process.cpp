#include "companion_process.h"

#include <windows.h>
#include <shellapi.h>
#include <psapi.h>

#include <vector>

#include "folders.h"
#include "kernel_objects.h"
#include "win_handle.h"

const wchar_t kTrayMutex[] = L"Global\\PlTray-95745a12eeaa410d";
const wchar_t kTrayUpgradeMutex[] = L"PlTrayUpgradePrivilegeName-d7a77ee6517af62d";

bool IsTrayRunning() {
    return kernel_objects::IsMutexPresent(kTrayMutex) ||
           kernel_objects::IsMutexPresent(kTrayUpgradeMutex);
}

bool LaunchTray(const std::wstring& arguments) {
    const std::wstring exe = ProgramFolder() + L"PelionTray.exe";
    const HINSTANCE result = ::ShellExecuteW(nullptr, L"open", exe.c_str(), arguments.c_str(),
                                             nullptr, SW_SHOWDEFAULT);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool StartTray(const std::wstring& arguments) {
    if (IsTrayRunning()) return false;
    return LaunchTray(arguments + L" --from=main");
}

namespace {
void EnableDebugPrivilege() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    UniqueHandle owned(token);
    TOKEN_PRIVILEGES tp = {};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (::LookupPrivilegeValueW(nullptr, SE_DEBUG_NAME, &tp.Privileges[0].Luid))
        ::AdjustTokenPrivileges(token, FALSE, &tp, sizeof(tp), nullptr, nullptr);
}

std::wstring Upper(std::wstring s) {
    if (!s.empty()) ::CharUpperBuffW(&s[0], DWORD(s.size()));
    return s;
}
}  // namespace

void TerminateProcessesByPath(const std::wstring& path) {
    if (path.size() > MAX_PATH) return;
    EnableDebugPrivilege();
    std::vector<DWORD> pids(2048);
    DWORD bytes = 0;
    if (!::EnumProcesses(pids.data(), DWORD(pids.size() * sizeof(DWORD)), &bytes)) return;
    pids.resize(bytes / sizeof(DWORD));
    const std::wstring wanted = Upper(path);
    for (DWORD pid : pids) {
        if (pid == 0) continue;
        UniqueHandle process(
            ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
        if (!process) continue;
        std::vector<wchar_t> name(1024);
        const DWORD n = ::GetModuleFileNameExW(process.get(), nullptr, name.data(), DWORD(name.size()));
        if (n == 0) continue;
        std::wstring file(name.data(), n);
        if (file.find(L'~') != std::wstring::npos) {
            std::vector<wchar_t> longName(1024);
            const DWORD m = ::GetLongPathNameW(file.c_str(), longName.data(), DWORD(longName.size()));
            if (m > 0 && m < longName.size()) file.assign(longName.data(), m);
        }
        if (Upper(file) != wanted) continue;
        UniqueHandle victim(::OpenProcess(PROCESS_TERMINATE, FALSE, pid));
        if (victim) ::TerminateProcess(victim.get(), 0);
    }
}
