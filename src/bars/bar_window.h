#pragma once
// A widget window that makes its tooltip window only once the pointer has come over it: under
// Wine an idle topmost tooltip popup makes its main window's first move to the top fail.
#include "widget_window.h"

class CBarWindow : public CWidgetWindow {
protected:
    void CreateToolTip() override {
        if (m_pointerSeen) CWidgetWindow::CreateToolTip();
    }
    void OnMouseEnterWindow() override {
        if (m_pointerSeen) return;
        m_pointerSeen = true;
        OnLayout();  // registers the tips now
    }

private:
    bool m_pointerSeen = false;
};
