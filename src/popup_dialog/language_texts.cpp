#include "language_texts.h"

#include "language.h"

void ApplyLanguageTexts(markup::WindowImplBase& wnd, const wchar_t* section,
                        std::initializer_list<ControlText> texts) {
    for (const ControlText& t : texts) {
        markup::CControlUI* control = wnd.FindControl(t.control);
        if (!control) continue;
        const std::wstring text = GetText(section, t.key);
        if (!text.empty()) control->SetText(text);
    }
}
