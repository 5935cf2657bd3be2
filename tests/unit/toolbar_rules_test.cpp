// The toolbar's button row arithmetic and its enabled rules.
#include <gtest/gtest.h>

#include <vector>

#include "bar_layout_math.h"
#include "toolbar_rules.h"

using namespace wnd_main_toolbar;

namespace {

std::vector<int> ToolbarGroups() {
    std::vector<int> groups;
    for (const auto& b : kToolbarButtons) groups.push_back(b.group);
    return groups;
}

int IndexOf(int command) {
    for (size_t i = 0; i < kToolbarButtonCount; ++i)
        if (kToolbarButtons[i].command == command) return int(i);
    return -1;
}

}  // namespace

TEST(ToolbarLayout, TheRealRowOnCommonWidths) {
    struct Case {
        int left, right;
        int centreStart;  // first centre button
        int rightStart;   // the information button
    };
    // 11 centre buttons: 572 pixels, centred; one right button 10 from the edge.
    const Case cases[] = {
        {0, 1000, 214, 938},
        {0, 1001, 214, 939},
        {0, 572, 0, 510},
        {20, 1000, 204, 938},   // the left edge counts against the centre, not the cursor
        {0, 400, -86, 338},     // narrower than the group: it overlaps the others
    };
    const std::vector<int> groups = ToolbarGroups();
    for (const Case& c : cases) {
        const std::vector<int> xs = PlaceButtonRow(c.left, c.right, groups, 52);
        ASSERT_EQ(xs.size(), kToolbarButtonCount);
        EXPECT_EQ(xs[IndexOf(kCmdActualSize)], c.centreStart) << c.right;
        EXPECT_EQ(xs[IndexOf(kCmdInfoPanel)], c.rightStart) << c.right;
        EXPECT_EQ(xs[IndexOf(kCmdShowLocation)], 10) << c.right;
        // The centre group keeps list order, 52 apart, with convert last.
        int expected = c.centreStart;
        for (size_t i = 0; i < kToolbarButtonCount; ++i) {
            if (kToolbarButtons[i].group != kGroupCentre) continue;
            EXPECT_EQ(xs[i], expected) << "button " << i << " on " << c.right;
            expected += 52;
        }
        EXPECT_EQ(xs[IndexOf(kCmdConvert)], c.centreStart + 10 * 52);
    }
}

TEST(ToolbarLayout, GroupFlagsAndCursors) {
    struct Case {
        std::vector<int> groups;
        int width, right;
        std::vector<int> xs;
    };
    const Case cases[] = {
        // Left wins over right when both bits are set; unknown flags are centre.
        {{kGroupLeft | kGroupRight, kGroupRight, 0, 8}, 30, 300, {10, 260, 120, 150}},
        {{kGroupRight, kGroupRight, kGroupLeft, kGroupLeft}, 30, 300, {230, 260, 10, 40}},
        {{kGroupCentre}, 30, 30, {0}},  // the menu button fills its own 30-pixel window
        {{}, 52, 100, {}},
        {{kGroupCentre, kGroupCentre}, 52, 0, {-52, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceButtonRow(0, c.right, c.groups, c.width), c.xs);
}

TEST(ToolbarRules, EnabledByPictureState) {
    PictureState none;
    PictureState still;
    still.decoded = still.fileExists = still.hasNext = true;
    PictureState animated = still;
    animated.animated = true;
    animated.hasPrevious = true;
    animated.hasNext = false;
    PictureState undecodable;
    undecodable.fileExists = undecodable.hasPrevious = undecodable.hasNext = true;
    PictureState located = still;
    located.hasGps = true;
    PictureState gpsButGone = located;  // a record without a decoded picture shows no map
    gpsButGone.decoded = false;

    struct Row {
        int command;
        bool none, still, animated, undecodable, located, gpsButGone;
    };
    const Row rows[] = {
        {kCmdActualSize, false, true, true, false, true, false},
        {kCmdResize, false, true, true, false, true, false},
        {kCmdZoomIn, false, true, true, false, true, false},
        {kCmdZoomOut, false, true, true, false, true, false},
        {kCmdPrevious, false, false, true, true, false, false},
        {kCmdNext, false, true, false, true, true, true},
        {kCmdRotateLeft, false, true, false, false, true, false},
        {kCmdRotateRight, false, true, false, false, true, false},
        {kCmdDelete, false, true, true, true, true, true},
        {kCmdEnhance, false, true, true, false, true, false},
        {kCmdInfoPanel, false, true, true, false, true, false},
        {kCmdShowLocation, false, false, false, false, true, false},
        {kCmdConvert, false, true, true, false, true, false},
    };
    ASSERT_EQ(std::size(rows), kToolbarButtonCount);
    for (const Row& r : rows) {
        ASSERT_GE(IndexOf(r.command), 0) << r.command;
        EXPECT_EQ(IsButtonEnabled(r.command, none), r.none) << r.command;
        EXPECT_EQ(IsButtonEnabled(r.command, still), r.still) << r.command;
        EXPECT_EQ(IsButtonEnabled(r.command, animated), r.animated) << r.command;
        EXPECT_EQ(IsButtonEnabled(r.command, undecodable), r.undecodable) << r.command;
        EXPECT_EQ(IsButtonEnabled(r.command, located), r.located) << r.command;
        EXPECT_EQ(IsButtonEnabled(r.command, gpsButGone), r.gpsButGone) << r.command;
    }
}

TEST(ToolbarRules, ButtonTableAndActualSizeMeaning) {
    // Columns 0..13 each used once (12 is the fit face of the actual-size button).
    std::vector<int> seen(14, 0);
    for (const auto& b : kToolbarButtons) {
        ASSERT_GE(b.column, 0);
        ASSERT_LT(b.column, 14);
        ++seen[b.column];
    }
    seen[kFitColumn]++;
    for (int c = 0; c < 14; ++c) EXPECT_EQ(seen[c], 1) << "column " << c;
    EXPECT_EQ(kToolbarButtons[0].command, kCmdActualSize);
    EXPECT_EQ(kToolbarButtons[0].tipKey, kActualTipKey);

    EXPECT_EQ(ActualSizeColumnFor(0.5f, 0.5f), kActualColumn);
    EXPECT_EQ(ActualSizeColumnFor(0.55f, 0.5f), kFitColumn);
    EXPECT_EQ(ActualSizeColumnFor(1.0f, 0.5f), kFitColumn);
    EXPECT_EQ(ActualSizeColumnFor(1.0f, 1.0f), kActualColumn);
}
