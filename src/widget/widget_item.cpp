#include "widget_item.h"

#include <commctrl.h>

void CWidgetItem::AddToolTip(HWND tooltip, HWND owner, UINT toolId) {
    if (m_tip.empty() || !tooltip) return;
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = owner;
    ti.uId = toolId;
    ti.rect = m_rect;
    ti.lpszText = const_cast<wchar_t*>(m_tip.c_str());
    ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}
