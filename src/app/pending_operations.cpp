#include "pending_operations.h"


namespace pending_ops {

std::wstring CurrentPicturePath() { return std::wstring(); }
void ToggleInfoPanel() {}
void ShowLocation() {}
void ToggleActualSize() {}
void ZoomStep(int) {}
void Turn(int) {}
void Rotate(int) {}
void Scroll(int) {}
void DeleteCurrent(HWND) {}
void ResizeCurrent(HWND) {}
void ToggleEnhance() {}
void ShowMainMenu() {}
void ConvertCurrent(HWND) {}
void OpenWithDialog(HWND) {}
void SaveCurrentAs(HWND) {}
void CopyCurrent() {}
void PrintCurrent(HWND) {}
void SetAsWallpaper() {}
void OpenWith(HWND) {}
void ShowSettings(HWND, int) {}
void ShowAbout(HWND) {}
void ShowFeedback(HWND) {}
void ApplyDefaultViewer(int) {}

}  // namespace pending_ops
