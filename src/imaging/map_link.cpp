#include "map_link.h"

#include <windows.h>
#include <shellapi.h>

#include "imaging_options.h"

bool ShowOnMap(const std::wstring& gpsPosition) {
    if (gpsPosition.empty()) return false;
    const std::wstring url = BuildMapAddress(GetImagingOptions().gpsMapVendor, gpsPosition);
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", url.c_str(), nullptr,
                                                     nullptr, SW_SHOWNORMAL)) > 32;
}
