#pragma once
// Control notifications, delivered by type name ("click", "selectchanged", ...).
#include <windows.h>

#include <string>

namespace markup {

class CControlUI;

struct TNotifyUI {
    std::wstring sType;
    CControlUI* pSender = nullptr;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

}  // namespace markup
