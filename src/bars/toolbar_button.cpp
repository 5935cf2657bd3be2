#include "toolbar_button.h"

namespace wnd_main_toolbar {

namespace {
void DrawCell(HDC dc, const FCObjImage* strip, int col, int row, int w, int h) {
    if (!strip || !strip->IsValid()) return;
    // A cell outside a short picture draws nothing rather than reading past it.
    if ((col + 1) * w > strip->Width() || (row + 1) * h > strip->Height()) return;
    const RECT src = {col * w, row * h, col * w + w, row * h + h};
    strip->Draw(dc, 0, 0, w, h, &src);
}
}  // namespace

CToolbarButton::CToolbarButton(int id, int group, std::shared_ptr<FCObjImage> strip, int column)
    : m_strip(std::move(strip)), m_column(column) {
    m_id = id;
    m_layoutFlags = group;
}

int CToolbarButton::Row() const {
    if (!Has(kEnabled)) return 2;
    return Has(kHover) || Has(kPressed) || Has(kStateActive) ? 1 : 0;
}

void CToolbarButton::Draw(HDC dc) { DrawCell(dc, m_strip.get(), m_column, Row(), kWidth, kHeight); }

CToolbarButton2::CToolbarButton2(int id, int group, std::shared_ptr<FCObjImage> strip, int column)
    : m_strip(std::move(strip)), m_column(column) {
    m_id = id;
    m_layoutFlags = group;
}

int CToolbarButton2::Cell() const {
    if (!Has(kEnabled)) return 3;
    if (Has(kPressed) || Has(kStateActive)) return 2;
    if (Has(kHover)) return 1;
    return m_column;
}

void CToolbarButton2::Draw(HDC dc) { DrawCell(dc, m_strip.get(), Cell(), 0, kSize, kSize); }

}  // namespace wnd_main_toolbar
