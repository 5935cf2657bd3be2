#pragma once
// Builds a window's controls from layout XML.
#include <memory>
#include <string>

#include "ui_control.h"

namespace markup {

class CPaintManagerUI;

class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A control for an element name the framework does not know, or null to skip it.
    virtual CControlUI* CreateControl(const std::wstring& className) = 0;
};

class CDialogBuilder {
public:
    // Reads the window attributes and fonts into the manager and returns the root control;
    // null when the XML cannot be parsed or holds no control.
    static std::unique_ptr<CControlUI> Create(const std::string& xml, CPaintManagerUI& manager,
                                              IDialogBuilderCallback* callback, std::string* error = nullptr);
    // A control of a known element name ("Button", "VerticalLayout", ...), or null.
    static std::unique_ptr<CControlUI> CreateKnown(const std::wstring& element);
};

}  // namespace markup
