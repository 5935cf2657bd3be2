#pragma once
// What commands do with the current picture. Operations whose owners (the image view, the
// folder list, the skin dialogs, saving and desktop operations) are still being built do
// nothing until their owner lands; the commands already route to them.
#include <windows.h>

#include <string>

namespace pending_ops {

std::wstring CurrentPicturePath();
void ShowLocation();
void ResizeCurrent(HWND owner);
void ConvertCurrent(HWND owner);
// Writes the current picture to path in the format of its extension.
void SaveCurrentAs(const std::wstring& path);
void CopyCurrent();
void PrintCurrent(HWND owner);
void SetAsWallpaper();
void OpenWith(HWND owner);
void ShowSettings(HWND owner, int page);
void ShowAbout(HWND owner);
void ShowFeedback(HWND owner);
void ApplyDefaultViewer(int on);

}  // namespace pending_ops
