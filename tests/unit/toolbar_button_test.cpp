// Which cell of the shared picture a bar button draws for its state.
#include <gtest/gtest.h>

#include "bar_layout_math.h"
#include "toolbar_button.h"
#include "toolbar_button_layout.h"

using namespace wnd_main_toolbar;

namespace {
constexpr int H = CWidgetItem::kHover, P = CWidgetItem::kPressed, V = CWidgetItem::kVisible,
              E = CWidgetItem::kEnabled, A = kStateActive;
}

TEST(BarButtons, FaceByState) {
    struct Row {
        int state;
        int toolbarRow;  // grid row of the toolbar button
        int menuCell;    // cell of the menu button (its column is 0)
    };
    const Row rows[] = {
        {V | E, 0, 0},
        {V | E | H, 1, 1},
        {V | E | P, 1, 2},
        {V | E | H | P, 1, 2},
        {V | E | A, 1, 2},      // a popup or panel is open: hot row
        {V | E | A | H, 1, 2},
        {V, 2, 3},              // disabled wins over everything
        {V | H | P | A, 2, 3},
    };
    auto strip = std::make_shared<FCObjImage>();
    CToolbarButton button(20003, kGroupCentre, strip, 1);
    CToolbarButton2 menu(20012, kGroupCentre, strip, 0);
    EXPECT_EQ(button.m_id, 20003);
    EXPECT_EQ(button.m_layoutFlags, kGroupCentre);
    for (const Row& r : rows) {
        button.m_state = menu.m_state = r.state;
        EXPECT_EQ(button.Row(), r.toolbarRow) << std::hex << r.state;
        EXPECT_EQ(menu.Cell(), r.menuCell) << std::hex << r.state;
    }
}

TEST(BarButtons, LayoutsPlaceEveryButton) {
    WidgetItemList items;
    auto strip = std::make_shared<FCObjImage>();
    items.push_back(std::make_unique<CToolbarButton>(1, kGroupLeft, strip, 0));
    items.push_back(std::make_unique<CToolbarButton>(2, kGroupCentre, strip, 0));
    items.push_back(std::make_unique<CToolbarButton>(3, kGroupRight, strip, 0));
    CToolbarButtonLayout toolbar;
    toolbar.Place(RECT{0, 0, 800, 60}, items);
    const RECT expected[] = {{10, 13, 62, 47}, {374, 13, 426, 47}, {738, 13, 790, 47}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(::EqualRect(&items[i]->m_rect, &expected[i])) << i << ": " << items[i]->m_rect.left;
    }
    WidgetItemList one;
    one.push_back(std::make_unique<CToolbarButton2>(20012, kGroupCentre, strip, 0));
    CToolbarButtonLayout2 menu;
    menu.Place(RECT{0, 0, 30, 30}, one);
    const RECT whole = {0, 0, 30, 30};
    EXPECT_TRUE(::EqualRect(&one[0]->m_rect, &whole));
}
