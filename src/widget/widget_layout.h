#pragma once
#include <windows.h>

#include <deque>
#include <memory>

#include "widget_item.h"

using WidgetItemList = std::deque<std::unique_ptr<CWidgetItem>>;

// Places a widget window's items from its client rectangle.
class CWidgetLayout {
public:
    virtual ~CWidgetLayout() = default;
    virtual void Layout(HWND window, WidgetItemList& items) = 0;
};
