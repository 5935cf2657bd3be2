#pragma once
// The toolbar's buttons and when each may be pressed.
#include <cstddef>

namespace wnd_main_toolbar {

struct ToolbarButtonInfo {
    int command;
    int column;   // column in the button picture
    int tipKey;   // key of the tooltip text in section TOOLBAR
    int group;    // ButtonGroup
};

// The buttons in list order.
extern const ToolbarButtonInfo kToolbarButtons[13];
constexpr size_t kToolbarButtonCount = 13;

constexpr int kCmdInfoPanel = 20000;
constexpr int kCmdShowLocation = 20001;
constexpr int kCmdActualSize = 20002;
constexpr int kCmdZoomIn = 20003;
constexpr int kCmdZoomOut = 20004;
constexpr int kCmdPrevious = 20005;
constexpr int kCmdNext = 20006;
constexpr int kCmdRotateLeft = 20007;
constexpr int kCmdRotateRight = 20008;
constexpr int kCmdDelete = 20009;
constexpr int kCmdResize = 20010;
constexpr int kCmdEnhance = 20011;
constexpr int kCmdMainMenu = 20012;
constexpr int kCmdConvert = 20014;

// Actual-size button faces: column and tooltip key while it shows actual size or fit.
constexpr int kActualColumn = 0, kFitColumn = 12;
constexpr int kActualTipKey = 3, kFitTipKey = 4;

struct PictureState {
    bool decoded = false;    // a picture is decoded
    bool animated = false;   // it is an animation
    bool fileExists = false; // the current file is on disk
    bool hasGps = false;     // its information holds a GPS position
    bool hasPrevious = false;
    bool hasNext = false;
};

// Whether the button with this command may be pressed for the picture; unknown commands stay
// enabled.
bool IsButtonEnabled(int command, const PictureState& state);

// The actual-size button column that matches a zoom: fit while the picture is not at its fit
// ratio (pressing it then fits).
int ActualSizeColumnFor(float ratio, float fitRatio);

}  // namespace wnd_main_toolbar
