#include <gtest/gtest.h>

#include "key_frame_choice.h"
#include "main_view_items.h"
#include "main_view_layout.h"

namespace {

using K = KeyFrameKind;

TEST(KeyFrameChoiceTest, FramesByRatio) {
    struct Case {
        float ratio;
        bool hasDouble, hasQuad;
        std::vector<K> expected;
    };
    // 6000 x 4000 in 1200 x 800: fit 0.2, double 0.4, quadruple 0.8.
    const Case cases[] = {
        {0.3f, true, true, {K::Double, K::Fit}},
        {0.5f, true, true, {K::Quadruple, K::Fit}},
        {0.9f, true, true, {K::Full, K::Quadruple, K::Fit}},
        {0.4f, true, true, {K::Double, K::Fit}},
        {0.8f, true, true, {K::Quadruple, K::Fit}},
        {0.5f, true, false, {K::Full, K::Double, K::Fit}},
        {0.35f, true, false, {K::Double, K::Fit}},
        {1.0f, false, false, {K::Full, K::Fit}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseKeyFrames(c.ratio, c.hasDouble, 0.4f, c.hasQuad, 0.8f), c.expected) << c.ratio;
    // 1281 x 1281 takes the background path; 1280 x 1282 does not.
    EXPECT_GT(1281LL * 1281, kImmediatePixels);
    EXPECT_LE(1280LL * 1282, kImmediatePixels);
}

TEST(MainViewLayoutTest, ItemsTakeTheirPlaces) {
    WidgetItemList items;
    struct Plain : CWidgetItem {
        explicit Plain(int id, RECT r = {}) {
            m_id = id;
            m_rect = r;
        }
        void Draw(HDC) override {}
    };
    for (int id : {100, 101, 102, 103, 107, 999}) items.push_back(std::make_unique<Plain>(id));
    items.push_back(std::make_unique<Plain>(106, RECT{0, 0, 194, 150}));
    items.push_back(std::make_unique<Plain>(105, RECT{0, 0, 180, 44}));
    main_view::CMainViewLayout layout(64);
    layout.LayoutRect({0, 0, 1000, 600}, items);
    auto at = [&](int id) {
        for (auto& i : items)
            if (i->m_id == id) return i->m_rect;
        return RECT{};
    };
    auto eq = [](RECT a, RECT b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    EXPECT_TRUE(eq(at(100), {0, 0, 64, 600}));
    EXPECT_TRUE(eq(at(101), {936, 0, 1000, 600}));
    EXPECT_TRUE(eq(at(102), {0, 0, 1000, 600}));
    EXPECT_TRUE(eq(at(103), {0, 0, 1000, 600}));
    EXPECT_TRUE(eq(at(107), {410, 275, 590, 325}));
    EXPECT_TRUE(eq(at(106), {403, 199, 597, 349}));
    EXPECT_TRUE(eq(at(105), {410, 436, 590, 480}));
    EXPECT_TRUE(eq(at(999), {0, 0, 0, 0}));  // unknown ids stay where they are
}

TEST(MainViewLayoutTest, ArrowKeepsItsSizeInAnyBand) {
    struct Case {
        int itemHeight, pictureHeight, top, middle;
    };
    const Case cases[] = {{600, 120, 245, 110}, {121, 120, 5, 110}, {50, 120, 0, 110}, {600, 8, 300, 0}};
    for (const Case& c : cases) {
        int top = -1, middle = -1;
        main_view::ArrowBands(c.itemHeight, c.pictureHeight, top, middle);
        EXPECT_EQ(top, c.top) << c.itemHeight;
        EXPECT_EQ(middle, c.middle) << c.itemHeight;
    }
}

}  // namespace
