#include "bar_popup.h"

// The panel, the enhance window and the menu are still being built: nothing opens yet.
namespace bar_popups {

std::unique_ptr<CBarPopup> MakeInfoPanel(HWND) { return nullptr; }
std::unique_ptr<CBarPopup> MakeEnhanceWindow(HWND) { return nullptr; }
std::unique_ptr<CBarPopup> MakeMainMenu(HWND) { return nullptr; }

}  // namespace bar_popups
