#pragma once
// Finding and starting the tray companion.
#include <string>

extern const wchar_t kTrayMutex[];
extern const wchar_t kTrayUpgradeMutex[];

bool IsTrayRunning();
// Starts PelionTray.exe with arguments + " --from=main" unless it runs; true when started.
bool StartTray(const std::wstring& arguments);
// Starts PelionTray.exe with exactly these arguments; true when the shell reports success.
bool LaunchTray(const std::wstring& arguments);
// Ends every process whose executable is path (compared without case, after long-name
// expansion).
void TerminateProcessesByPath(const std::wstring& path);
