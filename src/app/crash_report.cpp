#include "crash_report.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {
CrashInfo g_info;
constexpr DWORD kMaxVersionResource = 16383;

std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}
}  // namespace

std::wstring ReadFileVersion(const std::wstring& modulePath) {
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(modulePath.c_str(), &handle);
    if (size == 0 || size > kMaxVersionResource) return std::wstring();
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoW(modulePath.c_str(), 0, size, data.data())) return std::wstring();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info ||
        len < sizeof(VS_FIXEDFILEINFO))
        return std::wstring();
    wchar_t text[64];
    std::swprintf(text, 64, L"%d.%d.%d.%d", int(HIWORD(info->dwFileVersionMS)),
                  int(LOWORD(info->dwFileVersionMS)), int(HIWORD(info->dwFileVersionLS)),
                  int(LOWORD(info->dwFileVersionLS)));
    return text;
}

void SetCrashInfo(const wchar_t* source, int reportFlag, const wchar_t* version) {
    g_info.source = std::wstring(source ? source : L"").substr(0, 260);
    g_info.reportFlag = reportFlag;
    g_info.version = version ? std::wstring(version).substr(0, 260) : ReadFileVersion(OwnPath());
}

const CrashInfo& GetCrashInfo() { return g_info; }

void InstallCrashHandler() {
    // Seam: the top-level filter that hands a crash to Utils\FaultPost.exe lands with the
    // crash-report work. Until then a crash ends the process the system's way.
}
