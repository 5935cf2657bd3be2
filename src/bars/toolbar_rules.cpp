#include "toolbar_rules.h"

#include <cmath>

#include "bar_layout_math.h"

namespace wnd_main_toolbar {

const ToolbarButtonInfo kToolbarButtons[13] = {
    {kCmdActualSize, kActualColumn, kActualTipKey, kGroupCentre},
    {kCmdResize, 8, 12, kGroupCentre},
    {kCmdZoomIn, 1, 5, kGroupCentre},
    {kCmdZoomOut, 2, 6, kGroupCentre},
    {kCmdPrevious, 3, 7, kGroupCentre},
    {kCmdNext, 4, 8, kGroupCentre},
    {kCmdRotateLeft, 5, 9, kGroupCentre},
    {kCmdRotateRight, 6, 10, kGroupCentre},
    {kCmdDelete, 7, 11, kGroupCentre},
    {kCmdEnhance, 9, 13, kGroupCentre},
    {kCmdInfoPanel, 10, 1, kGroupRight},
    {kCmdShowLocation, 11, 2, kGroupLeft},
    {kCmdConvert, 13, 18, kGroupCentre},
};

bool IsButtonEnabled(int command, const PictureState& s) {
    switch (command) {
    case kCmdActualSize:
    case kCmdResize:
    case kCmdZoomIn:
    case kCmdZoomOut:
    case kCmdEnhance:
    case kCmdInfoPanel:
    case kCmdConvert:
        return s.decoded;
    case kCmdPrevious: return s.hasPrevious;
    case kCmdNext: return s.hasNext;
    case kCmdRotateLeft:
    case kCmdRotateRight:
        return s.decoded && !s.animated;
    case kCmdDelete: return s.fileExists;
    case kCmdShowLocation: return s.decoded && s.hasGps;
    default: return true;
    }
}

int ActualSizeColumnFor(float ratio, float fitRatio) {
    // Ratios are computed; a difference below a thousandth of a percent is the same zoom.
    return std::fabs(ratio - fitRatio) > 1e-5f ? kFitColumn : kActualColumn;
}

}  // namespace wnd_main_toolbar
