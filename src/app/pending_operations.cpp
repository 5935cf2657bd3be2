#include "pending_operations.h"

#include "current_picture.h"
#include "map_link.h"


namespace pending_ops {

std::wstring CurrentPicturePath() { return CCurrentPicture::Instance()->Path(); }
void ShowLocation() {
    auto loader = CCurrentPicture::Instance()->Loader();
    if (loader) ShowOnMap(loader->Info().gpsPosition);
}
void ResizeCurrent(HWND) {}
void ConvertCurrent(HWND) {}
void SaveCurrentAs(const std::wstring&) {}
void CopyCurrent() { CopyPictureToClipboard(*CCurrentPicture::Instance()); }
void PrintCurrent(HWND) {}
void SetAsWallpaper() {}
void OpenWith(HWND) {}
void ShowSettings(HWND, int) {}
void ShowAbout(HWND) {}
void ShowFeedback(HWND) {}
void ApplyDefaultViewer(int) {}

}  // namespace pending_ops
