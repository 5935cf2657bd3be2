#include "save_as_name.h"

std::wstring SuggestSaveAsName(const std::wstring& path,
                               const std::function<bool(const std::wstring&)>& exists) {
    const size_t slash = path.find_last_of(L"\\/");
    const size_t dot = path.rfind(L'.');
    const std::wstring stem =
        (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
            ? path.substr(0, dot)
            : path;
    std::wstring candidate;
    for (int n = 1; n <= 99; ++n) {
        candidate = stem + L"(" + std::to_wstring(n) + L").jpg";
        if (!exists(candidate)) break;
    }
    return candidate;
}
