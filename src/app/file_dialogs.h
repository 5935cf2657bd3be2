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
