#pragma once
// Windows that a bar button opens and owns: the information panel, the enhance window and the
// main menu. Each is made for a window, shown at a screen rectangle and destroyed by its owner.
#include <windows.h>

#include <memory>

class CBarPopup {
public:
    virtual ~CBarPopup() = default;
    virtual void ShowAt(const RECT& screen) = 0;
    // Follows its button when the main window moves or is laid out again.
    virtual void MoveTo(const RECT& screen) { ShowAt(screen); }
};

namespace bar_popups {

// Null while the window is not available; the button then stays as it was.
std::unique_ptr<CBarPopup> MakeInfoPanel(HWND owner);
// Reports its result to owner with 0x81FD (wParam = the chosen mode, 0 for none).
std::unique_ptr<CBarPopup> MakeEnhanceWindow(HWND owner);
// Reports its result to owner with 0x8203 (wParam = the chosen command, or -1).
std::unique_ptr<CBarPopup> MakeMainMenu(HWND owner);

}  // namespace bar_popups
