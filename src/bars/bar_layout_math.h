#pragma once
// Where a row of equal buttons goes: a left, a centre and a right group on one line.
#include <vector>

namespace wnd_main_toolbar {

enum ButtonGroup { kGroupLeft = 1, kGroupCentre = 2, kGroupRight = 4 };

// The left edge of each button, in list order. groups holds each button's group flags; bit 1 is
// left, else bit 4 right, else centre. The centre group may overlap the others when the row is
// narrower than it.
std::vector<int> PlaceButtonRow(int clientLeft, int clientRight, const std::vector<int>& groups,
                                int buttonWidth);

}  // namespace wnd_main_toolbar
