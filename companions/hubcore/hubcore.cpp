// hubcore.dll: usage counting, the system description and the plug-in wrapper.
// Usage events never leave the machine: each one only bumps a counter under HKCU.
#include <windows.h>

#include <cstdio>
#include <string>

#include "hubcore_api.h"

namespace {

const wchar_t kKey[] = L"Software\\Pelion\\hubcore";
const wchar_t kUsageKey[] = L"Software\\Pelion\\hubcore\\Usage";

bool ReadDword(const wchar_t* key, const wchar_t* name, DWORD& value) {
    DWORD size = sizeof(value);
    return ::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value,
                          &size) == ERROR_SUCCESS;
}

void WriteDword(const wchar_t* key, const wchar_t* name, DWORD value) {
    HKEY h = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(h);
}

class PLibWrapper final : public IPLibWrapper {
public:
    int Init(int, const wchar_t*, int) override { return 1; }
    void Uninit() override { delete this; }
    void Reserved2() override {}
    void Reserved3() override {}
    void SetQuickIndex(int value) override { WriteDword(kKey, L"QuickIndex", DWORD(value)); }
    int GetQuickIndex() override {
        DWORD v = 1;
        return ReadDword(kKey, L"QuickIndex", v) ? int(v) : 1;
    }
};

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

std::wstring DescribeSystem() {
    OSVERSIONINFOEXW vi = {sizeof(vi)};
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion =
        ntdll ? reinterpret_cast<RtlGetVersionFn>(::GetProcAddress(ntdll, "RtlGetVersion"))
              : nullptr;
    if (!rtlGetVersion || rtlGetVersion(&vi) != 0) return L"Windows";
    SYSTEM_INFO si = {};
    ::GetNativeSystemInfo(&si);
    const wchar_t* arch = si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64   ? L"x64"
                          : si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64 ? L"ARM64"
                                                                                      : L"x86";
    const wchar_t* name = L"Windows";
    if (vi.dwMajorVersion == 10 && vi.dwBuildNumber >= 22000) name = L"Windows 11";
    else if (vi.dwMajorVersion == 10) name = L"Windows 10";
    else if (vi.dwMajorVersion == 6 && vi.dwMinorVersion == 3) name = L"Windows 8.1";
    else if (vi.dwMajorVersion == 6 && vi.dwMinorVersion == 2) name = L"Windows 8";
    else if (vi.dwMajorVersion == 6 && vi.dwMinorVersion == 1) name = L"Windows 7";
    wchar_t text[256];
    std::swprintf(text, 256, L"%ls %lu.%lu (build %lu) %ls%ls%ls", name, vi.dwMajorVersion,
                  vi.dwMinorVersion, vi.dwBuildNumber, arch, vi.szCSDVersion[0] ? L" " : L"",
                  vi.szCSDVersion);
    return text;
}

}  // namespace

extern "C" {

__declspec(dllexport) void __cdecl StartStat() {
    DWORD runs = 0;
    ReadDword(kUsageKey, L"runs", runs);
    WriteDword(kUsageKey, L"runs", runs + 1);
}

__declspec(dllexport) int __cdecl SendStatUrl(const wchar_t* category, const wchar_t* event) {
    if (!category || !event || !*category || !*event) return 0;
    std::wstring name = category;
    name += L"/";
    name += event;
    if (name.size() > 200) return 0;
    DWORD count = 0;
    ReadDword(kUsageKey, name.c_str(), count);
    WriteDword(kUsageKey, name.c_str(), count + 1);
    return 1;
}

__declspec(dllexport) void __cdecl WaitStatComplete(int) {
    // Counting is synchronous; there is never anything in flight.
}

__declspec(dllexport) const wchar_t* __cdecl GetOsVersion() {
    static const std::wstring text = DescribeSystem();
    return text.c_str();
}

__declspec(dllexport) IPLibWrapper* __cdecl CreatePLibWrapper() { return new PLibWrapper(); }

__declspec(dllexport) void* __cdecl CreateMultiTabWebView() {
    // No web view in this build; callers treat null as unavailable.
    return nullptr;
}

}  // extern "C"
