#pragma once
// Operations that commands reach but whose owners (saving and conversion, desktop operations,
// the settings and about dialogs, file association) are still being built. Each does nothing
// until its owner lands; the commands already route to them.
#include <windows.h>

#include <string>

namespace pending_ops {

void ResizeCurrent(HWND owner);
void ConvertCurrent(HWND owner);
// Writes the current picture to path in the format of its extension.
void SaveCurrentAs(const std::wstring& path);
void PrintCurrent(HWND owner);
void SetAsWallpaper();
void OpenWith(HWND owner);
void ShowSettings(HWND owner, int page);
void ShowAbout(HWND owner);
void ShowFeedback(HWND owner);
void ApplyDefaultViewer(int on);

}  // namespace pending_ops
