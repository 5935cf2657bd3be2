#include <gtest/gtest.h>

#include "zoom_model.h"

namespace {

TEST(ZoomModelTest, FitRatioAndCentring) {
    struct Case {
        int pw, ph, aw, ah;
        float fit;
        int dw, dh, left, top;
    };
    const Case cases[] = {
        {800, 600, 1600, 1200, 1.0f, 800, 600, 400, 300},        // never enlarged
        {4000, 3000, 1000, 700, 700.0f / 3000.0f, 933, 700, 33, 0},
        {6000, 4000, 1920, 1018, 1018.0f / 4000.0f, 1527, 1018, 196, 0},
        {1, 1, 500, 400, 1.0f, 1, 1, 249, 199},
        {30000, 200, 1000, 800, 1000.0f / 30000.0f, 1000, 6, 0, 397},
        {100, 100, 1, 1, 0.01f, 1, 1, 0, 0},
    };
    for (const Case& c : cases) {
        CZoomModel z(c.pw, c.ph);
        z.ResetToFit(c.aw, c.ah, false);
        EXPECT_FLOAT_EQ(z.FitRatio(), c.fit) << c.pw << "x" << c.ph;
        EXPECT_EQ(z.Viewport().DisplayedWidth(), c.dw) << c.pw << "x" << c.ph;
        EXPECT_EQ(z.Viewport().DisplayedHeight(), c.dh) << c.pw << "x" << c.ph;
        EXPECT_EQ(z.Viewport().Placement().left, c.left) << c.pw << "x" << c.ph;
        EXPECT_EQ(z.Viewport().Placement().top, c.top) << c.pw << "x" << c.ph;
        EXPECT_FLOAT_EQ(z.ToggleRatio(), 2 * c.fit);
    }
}

TEST(ZoomModelTest, TogglesOfASmallPicture) {
    CZoomModel z(800, 600);
    z.ResetToFit(1600, 1200, false);
    EXPECT_FALSE(z.ToggleActual());           // fit is already 1.0: nothing changes
    EXPECT_TRUE(z.ToggleAlternate(800, 600));  // doubles, past no zoom limit
    EXPECT_FLOAT_EQ(z.Ratio(), 2.0f);
    EXPECT_TRUE(z.ToggleAlternate(800, 600));
    EXPECT_FLOAT_EQ(z.Ratio(), 1.0f);

    CZoomModel actual(4000, 3000);
    actual.ResetToFit(1000, 700, true);
    EXPECT_FLOAT_EQ(actual.ToggleRatio(), 1.0f);
    EXPECT_TRUE(actual.ToggleAlternate(0, 0));
    EXPECT_FLOAT_EQ(actual.Ratio(), 1.0f);
}

TEST(ZoomModelTest, StepLimits) {
    struct Case {
        int maxZoom, steps, repeat;
        float expected;
    };
    const Case cases[] = {
        {8, 1, 200, 8.0f}, {4, 1, 200, 4.0f}, {32, 3, 200, 32.0f}, {8, -1, 200, 0.05f},
    };
    for (const Case& c : cases) {
        CZoomModel z(4000, 3000);
        z.ResetToFit(1000, 700, false);
        for (int i = 0; i < c.repeat; ++i) z.ZoomStep(c.steps, 500, 350, c.maxZoom);
        EXPECT_FLOAT_EQ(z.Ratio(), c.expected) << c.maxZoom << " " << c.steps;
    }
    // A huge picture whose fit is below 5 % can go no smaller than its fit.
    CZoomModel huge(100000, 1000);
    huge.ResetToFit(1000, 700, false);
    for (int i = 0; i < 50; ++i) huge.ZoomStep(-2, 10, 10, 8);
    EXPECT_FLOAT_EQ(huge.Ratio(), 0.01f);
    // A step of zero notches changes nothing.
    CZoomModel z(4000, 3000);
    z.ResetToFit(1000, 700, false);
    EXPECT_FALSE(z.ZoomStep(0, 1, 1, 8));
}

TEST(ZoomModelTest, StepThatMovesNoPixelReportsNothing) {
    CZoomModel z(10, 10);
    z.ResetToFit(100, 100, false);
    EXPECT_FALSE(z.ZoomTo(1.05f, 5, 5));  // 10.5 truncates to 10
    EXPECT_FLOAT_EQ(z.Ratio(), 1.05f);     // the ratio is kept all the same
    EXPECT_TRUE(z.ZoomTo(1.2f, 5, 5));
}

TEST(ZoomModelTest, AnchorStaysUnderThePointer) {
    CZoomModel z(4000, 3000);
    z.ResetToFit(1000, 700, false);
    const int ax = 600, ay = 300;
    auto pictureX = [&] {
        return float(ax - z.Viewport().Placement().left) / z.RatioX();
    };
    const float before = pictureX();
    ASSERT_TRUE(z.ZoomStep(5, ax, ay, 8));
    ASSERT_TRUE(z.ZoomStep(5, ax, ay, 8));
    EXPECT_NEAR(pictureX(), before, 2.0f);
    // Near the left edge the scroll limit wins: the picture stops at the area edge.
    CZoomModel edge(4000, 3000);
    edge.ResetToFit(1000, 700, false);
    edge.ZoomTo(1.0f, 40, 350);
    EXPECT_EQ(edge.Viewport().Placement().left, 0);
}

TEST(ZoomModelTest, PanOnlyAlongOverflowingAxes) {
    CZoomModel fits(800, 600);
    fits.ResetToFit(1600, 1200, false);
    EXPECT_FALSE(fits.Pan(50, 50));

    CZoomModel wide(4000, 500);
    wide.ResetToFit(1000, 700, false);
    wide.ZoomTo(1.0f, 0, 0);  // 4000 x 500: overflows only horizontally
    EXPECT_TRUE(wide.Pan(-100, -100));
    EXPECT_EQ(wide.Viewport().Scroll().left, 100);
    EXPECT_EQ(wide.Viewport().Scroll().top, 0);
    EXPECT_EQ(wide.Viewport().Placement().top, 100);  // still centred vertically
    EXPECT_TRUE(wide.Pan(1000, 0));                   // back past the start stops at 0
    EXPECT_EQ(wide.Viewport().Scroll().left, 0);
    EXPECT_FALSE(wide.Pan(10, 0));
    EXPECT_TRUE(wide.Pan(-100000, 0));
    EXPECT_EQ(wide.Viewport().Scroll().right, 4000);
}

TEST(ZoomModelTest, LongPictures) {
    EXPECT_TRUE(IsLongPictureSize(700, 5000));
    EXPECT_FALSE(IsLongPictureSize(1280, 6000));
    EXPECT_FALSE(IsLongPictureSize(700, 2800));
    CZoomModel z(700, 5000);
    z.ResetToFit(1000, 700, false);
    EXPECT_TRUE(z.ZoomTo(1.0f, 0, 0));
    EXPECT_EQ(z.Viewport().Placement().top, 0);
    EXPECT_EQ(z.Viewport().Placement().left, 150);  // narrower than the area: centred
}

}  // namespace
