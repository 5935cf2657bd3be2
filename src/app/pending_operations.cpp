#include "pending_operations.h"

namespace pending_ops {

void ResizeCurrent(HWND) {}
void ConvertCurrent(HWND) {}
void SaveCurrentAs(const std::wstring&) {}
void PrintCurrent(HWND) {}
void SetAsWallpaper() {}
void OpenWith(HWND) {}
void ShowSettings(HWND, int) {}
void ShowAbout(HWND) {}
void ShowFeedback(HWND) {}
void ApplyDefaultViewer(int) {}

}  // namespace pending_ops
