#pragma once
// Label whose text is drawn with GDI+ (anti-aliased, wrapped, vertically centred) and aligned
// by its own alignment member.
#include <string>

#include "ui_button.h"

class CLabelUI2 : public markup::CLabelUI {
public:
    std::wstring GetClass() const override { return L"LabelUI2"; }
    void SetAlignment(const std::wstring& align) { m_alignment = align; Invalidate(); }
    const std::wstring& GetAlignment() const { return m_alignment; }

protected:
    void PaintText(markup::CRenderContext& ctx) override;

private:
    std::wstring m_alignment = L"center";
};
