#pragma once
// The viewer's side of hubcore.dll. The library is required: without it the process ends.
#include <string>

// The loaded library's module handle; ends the process with exit code 0 when it cannot load.
void* HubCoreModule();

// Usage events; the first one starts the library's statistics.
void SendUsageEvent(const std::wstring& category, const std::wstring& event);
// At exit: lets pending events finish (two seconds at most) when statistics were started.
void FinishUsageEvents();
// "main"/"open_" + this tag at start; from the `from` switch.
std::wstring LaunchTag(const std::wstring& from);
std::wstring GetOsVersionText();

// The plug-in wrapper; a missing wrapper reads 0 and ignores the rest.
class CPLibWrapper {
public:
    static CPLibWrapper* Instance();
    static void DestroyInstance();
    CPLibWrapper();
    ~CPLibWrapper();
    int GetQuickIndex();
    void SetQuickIndex(int value);

private:
    struct IPLibWrapper* m_wrapper = nullptr;
};
