#include "file_dialogs.h"

#include <shobjidl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

std::vector<std::pair<std::wstring, std::wstring>> ParseFilterText(const std::wstring& text) {
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t bar = text.find(L'|', start);
        parts.push_back(text.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
        if (bar == std::wstring::npos) break;
        start = bar + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() || parts[i + 1].empty()) break;
        pairs.emplace_back(parts[i], parts[i + 1]);
    }
    return pairs;
}

namespace {
// The file the user chose in a dialog that has been shown, or empty.
std::wstring ChosenPath(IFileDialog* dialog) {
    ComPtr<IShellItem> result;
    if (FAILED(dialog->GetResult(&result))) return std::wstring();
    PWSTR path = nullptr;
    if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return std::wstring();
    std::wstring chosen = path;
    ::CoTaskMemFree(path);
    return chosen;
}
}  // namespace

std::wstring DlgOpenFile(HWND owner, const std::wstring& filterText,
                         const std::wstring& initialFolder) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&dialog))))
        return std::wstring();
    const auto pairs = ParseFilterText(filterText);
    std::vector<COMDLG_FILTERSPEC> specs;
    for (const auto& p : pairs) specs.push_back({p.first.c_str(), p.second.c_str()});
    if (!specs.empty()) dialog->SetFileTypes(UINT(specs.size()), specs.data());
    DWORD options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_FORCEFILESYSTEM);
    if (!initialFolder.empty()) {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(::SHCreateItemFromParsingName(initialFolder.c_str(), nullptr,
                                                    IID_PPV_ARGS(&folder))))
            dialog->SetFolder(folder.Get());
    }
    if (FAILED(dialog->Show(owner))) return std::wstring();
    return ChosenPath(dialog.Get());
}

const wchar_t* SaveExtensionForIndex(UINT index) {
    static const wchar_t* const kExtensions[] = {L".jpg", L".png", L".bmp", L".gif", L".tiff"};
    return index >= 1 && index <= 5 ? kExtensions[index - 1] : L".jpg";
}

std::wstring DlgSaveAsFile(HWND owner, const std::wstring& suggestedPath) {
    ComPtr<IFileSaveDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&dialog))))
        return std::wstring();
    const auto pairs = ParseFilterText(L"JPEG|*.jpg|PNG|*.png|BMP|*.bmp|GIF|*.gif|TIFF|*.tiff||");
    std::vector<COMDLG_FILTERSPEC> specs;
    for (const auto& p : pairs) specs.push_back({p.first.c_str(), p.second.c_str()});
    dialog->SetFileTypes(UINT(specs.size()), specs.data());
    dialog->SetDefaultExtension(L"jpg");
    DWORD options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM);
    const size_t slash = suggestedPath.find_last_of(L'\\');
    if (slash != std::wstring::npos) {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(::SHCreateItemFromParsingName(suggestedPath.substr(0, slash).c_str(), nullptr,
                                                    IID_PPV_ARGS(&folder))))
            dialog->SetFolder(folder.Get());
        dialog->SetFileName(suggestedPath.substr(slash + 1).c_str());
    }
    if (FAILED(dialog->Show(owner))) return std::wstring();
    std::wstring chosen = ChosenPath(dialog.Get());
    if (chosen.empty()) return chosen;
    UINT index = 1;
    dialog->GetFileTypeIndex(&index);
    // The chosen type decides the format: its extension replaces any other.
    const std::wstring ext = SaveExtensionForIndex(index);
    const size_t dot = chosen.rfind(L'.');
    const size_t sep = chosen.find_last_of(L'\\');
    if (dot == std::wstring::npos || (sep != std::wstring::npos && dot < sep))
        chosen += ext;
    else if (_wcsicmp(chosen.c_str() + dot, ext.c_str()) != 0)
        chosen = chosen.substr(0, dot) + ext;
    return chosen;
}
