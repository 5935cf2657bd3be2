#pragma once
// Skin layouts carry Chinese texts; the current language file may replace them.
#include <initializer_list>

#include "window_impl_base.h"

struct ControlText {
    const wchar_t* control;
    const wchar_t* key;
};

// Each named control whose key the language file has in section shows that text instead.
void ApplyLanguageTexts(markup::WindowImplBase& wnd, const wchar_t* section,
                        std::initializer_list<ControlText> texts);
