#pragma once
// Crash reporting: the settings handed to the uploader and the process-wide handler.
#include <string>

struct CrashInfo {
    std::wstring source;
    std::wstring version;
    int reportFlag = 0;
};

// version null: read the executable's own file version.
void SetCrashInfo(const wchar_t* source, int reportFlag, const wchar_t* version);
const CrashInfo& GetCrashInfo();
// "%d.%d.%d.%d" of a module's file version; empty without a usable version resource.
std::wstring ReadFileVersion(const std::wstring& modulePath);
void InstallCrashHandler();
