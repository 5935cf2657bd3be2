#include "picture_opening.h"

#include <windows.h>
#include <shlwapi.h>

#include "text_util.h"
#include "window_title.h"

bool IsSupportedPictureFile(const std::wstring& path) {
    static const wchar_t* const kExtensions[] = {
        L"bmp", L"dib", L"jpg", L"jpeg", L"jfif", L"jpe", L"gif", L"tiff", L"tif", L"png",
        L"ico", L"psd", L"tga", L"oxo", L"wmf", L"emf", L"jng", L"j2c"};
    const size_t slash = path.find_last_of(L"\\/");
    const size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return false;
    const std::wstring ext = path.substr(dot + 1);
    for (const wchar_t* e : kExtensions)
        if (textutil::EqualsNoCase(ext, e)) return true;
    return false;
}

void OpenPictureInView(const std::wstring& path) {
    // Until decoding lands the view knows the picture only by its path.
    const DWORD attr = path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(path.c_str());
    if (!path.empty() && (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)))
        return;
    CWindowTitle::Instance()->SetPicture(path, nullptr, 0, 0);
    CWindowTitle::Instance()->Recompose();
}
