#include <gtest/gtest.h>

#include "png_button.h"

namespace {

TEST(PngButtonTest, FrameForEachStateAndFrameCount) {
    struct Case {
        int imageWidth, frames, state;
        bool drawn;
        int x, width;
    };
    const Case cases[] = {
        {90, 3, CPngButton::kNormal, true, 0, 30},
        {90, 3, CPngButton::kHover, true, 30, 30},
        {90, 3, CPngButton::kPressed, true, 60, 30},
        {90, 3, CPngButton::kDisabled, false, 0, 0},
        {100, 4, CPngButton::kNormal, true, 0, 25},
        {100, 4, CPngButton::kDisabled, true, 75, 25},
        {91, 3, CPngButton::kPressed, true, 60, 31},
        {24, 1, CPngButton::kDisabled, true, 0, 24},
        {2, 3, CPngButton::kNormal, false, 0, 0},
    };
    for (const Case& c : cases) {
        int x = -1, width = -1;
        const bool drawn = CPngButton::FrameRect(c.imageWidth, c.frames, c.state, x, width);
        EXPECT_EQ(drawn, c.drawn) << c.imageWidth << "/" << c.frames << "/" << c.state;
        if (drawn) {
            EXPECT_EQ(x, c.x);
            EXPECT_EQ(width, c.width);
        }
    }
}

}  // namespace
