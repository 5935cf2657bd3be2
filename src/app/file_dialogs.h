#pragma once
// The system's file-open dialog for pictures.
#include <windows.h>

#include <string>
#include <vector>

// "name|pattern|name|pattern||" into name and pattern pairs.
std::vector<std::pair<std::wstring, std::wstring>> ParseFilterText(const std::wstring& text);

// Runs the open dialog owned by owner, starting in initialFolder; the chosen path, or empty.
std::wstring DlgOpenFile(HWND owner, const std::wstring& filterText,
                         const std::wstring& initialFolder);

// Runs the save dialog for a picture with the save formats, suggesting suggestedPath; the chosen
// path with the extension of the chosen type, or empty.
std::wstring DlgSaveAsFile(HWND owner, const std::wstring& suggestedPath);
// The extension of a save-format filter index (1 ".jpg" ... 5 ".tiff").
const wchar_t* SaveExtensionForIndex(UINT index);
