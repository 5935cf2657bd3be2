#pragma once
// Buttons drawn from a shared picture of cells: the toolbar's grid and the menu button's row.
#include <memory>

#include "obj_image.h"
#include "widget_item.h"

namespace wnd_main_toolbar {

// Drawn like hover while a popup or panel of the button is open.
constexpr int kStateActive = 0x10;

// One cell of a 52 x 34 grid: the column is the button's, the row its state (0 normal,
// 1 hover, pressed or active, 2 disabled).
class CToolbarButton : public CWidgetItem {
public:
    static constexpr int kWidth = 52, kHeight = 34;
    CToolbarButton(int id, int group, std::shared_ptr<FCObjImage> strip, int column);
    void Draw(HDC dc) override;
    int Row() const;

    std::shared_ptr<FCObjImage> m_strip;
    int m_column = 0;
};

// One cell of a row of 30 x 30: 3 disabled, 2 pressed or active, 1 hover, else the column.
class CToolbarButton2 : public CWidgetItem {
public:
    static constexpr int kSize = 30;
    CToolbarButton2(int id, int group, std::shared_ptr<FCObjImage> strip, int column);
    void Draw(HDC dc) override;
    int Cell() const;

    std::shared_ptr<FCObjImage> m_strip;
    int m_column = 0;
};

}  // namespace wnd_main_toolbar
