#include "companion_process.h"

#include <windows.h>
#include <shellapi.h>

#include "folders.h"
#include "kernel_objects.h"

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
