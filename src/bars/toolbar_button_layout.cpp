#include "toolbar_button_layout.h"

#include "bar_layout_math.h"

namespace wnd_main_toolbar {

void CToolbarButtonRowLayout::Layout(HWND window, WidgetItemList& items) {
    RECT client = {};
    ::GetClientRect(window, &client);
    Place(client, items);
}

void CToolbarButtonRowLayout::Place(const RECT& client, WidgetItemList& items) const {
    std::vector<int> groups;
    groups.reserve(items.size());
    for (const auto& item : items) groups.push_back(item->m_layoutFlags);
    const std::vector<int> xs = PlaceButtonRow(client.left, client.right, groups, m_width);
    for (size_t i = 0; i < items.size() && i < xs.size(); ++i)
        items[i]->m_rect = {xs[i], m_top, xs[i] + m_width, m_top + m_height};
}

void CSwitchLayout::Layout(HWND window, WidgetItemList& items) {
    RECT client = {};
    ::GetClientRect(window, &client);
    for (auto& item : items)
        if (item->Has(CWidgetItem::kVisible)) item->m_rect = client;
}

}  // namespace wnd_main_toolbar
