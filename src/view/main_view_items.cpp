#include "main_view_items.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>

#include "image_effect.h"
#include "widget_window.h"

namespace main_view {

void ArrowBands(int itemHeight, int pictureHeight, int& top, int& middle) {
    middle = std::max(pictureHeight - 10, 0);
    top = std::max(0, (itemHeight - middle) / 2);
}

CTurnPageItem::CTurnPageItem(int id, const FCObjImage& picture, HWND view) : m_view(view) {
    m_id = id;
    m_source.CopyFrom(picture);
    m_working.CopyFrom(picture);
    Set(kVisible, false);
}

void CTurnPageItem::StartFade(int step) {
    StopTimer();
    StartTimer(10);
    m_step = step;
}

void CTurnPageItem::OnTimer() {
    m_opacity = std::max(0, std::min(100, m_opacity + m_step));
    if (m_opacity == 100 || m_opacity == 0) StopTimer();
    m_working.CopyFrom(m_source);
    CEffectFillCurrentAlpha fade(m_opacity);
    RunEffect(fade, m_working, nullptr);
    ::InvalidateRect(m_view, &m_rect, FALSE);
}

void CTurnPageItem::Draw(HDC dc) {
    if (m_opacity <= 0 || !m_working.IsValid()) return;
    const int w = m_rect.right - m_rect.left, h = m_rect.bottom - m_rect.top;
    const int s = m_working.Height(), pw = m_working.Width();
    if (s <= 10) {
        m_working.Draw(dc, 0, 0, w, h);
        return;
    }
    int top = 0, middle = 0;
    ArrowBands(h, s, top, middle);
    const RECT srcTop = {0, 0, pw, 5}, srcMid = {0, 5, pw, s - 5}, srcBottom = {0, s - 5, pw, s};
    m_working.Draw(dc, 0, 0, w, top, &srcTop);
    m_working.Draw(dc, 0, top, w, top + middle, &srcMid);
    m_working.Draw(dc, 0, top + middle, w, h, &srcBottom);
}

CLoadingGifItem::CLoadingGifItem(const FCObjImage& strip, HWND view) : m_view(view) {
    m_id = kLoading;
    Set(kEnabled, false);
    m_strip.CopyFrom(strip);
    const int s = m_strip.Height();
    m_frame = {0, 0, s, s};
    StartTimer(100);
}

void CLoadingGifItem::OnTimer() {
    const int s = m_strip.Height();
    OffsetRect(&m_frame, s, 0);
    if (m_frame.right > m_strip.Width()) m_frame = {0, 0, s, s};
    ::InvalidateRect(m_view, &m_rect, FALSE);
}

void CLoadingGifItem::Draw(HDC dc) {
    const int iw = m_rect.right - m_rect.left, ih = m_rect.bottom - m_rect.top;
    const int fw = m_frame.right - m_frame.left, fh = m_frame.bottom - m_frame.top;
    if (!m_strip.IsValid() || fw <= 0 || fh <= 0 || iw <= 0 || ih <= 0) return;
    int w = fw, h = fh;
    if (w > iw || h > ih) {
        const double k = std::min(double(iw) / fw, double(ih) / fh);
        w = std::max(1, int(fw * k));
        h = std::max(1, int(fh * k));
    }
    const int x = (iw - w) / 2, y = (ih - h) / 2;
    m_strip.Draw(dc, x, y, x + w, y + h, &m_frame);
}

CLoadErrorItem::CLoadErrorItem(std::wstring fileName, std::wstring text)
    : m_fileName(std::move(fileName)), m_text(std::move(text)) {
    m_id = kLoadError;
    Set(kEnabled, false);
    LOGFONTW lf = {};
    ::GetObjectW(CWidgetWindow::DefaultFont(), sizeof(lf), &lf);
    HDC screen = ::GetDC(nullptr);
    lf.lfHeight = -::MulDiv(12, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    m_font.reset(::CreateFontIndirectW(&lf));
}

void CLoadErrorItem::Draw(HDC dc) {
    const int w = m_rect.right - m_rect.left, h = m_rect.bottom - m_rect.top;
    HGDIOBJ old = ::SelectObject(dc, m_font.get());
    ::SetTextColor(dc, RGB(0x69, 0x69, 0x69));
    ::SetBkMode(dc, TRANSPARENT);
    RECT upper = {0, 0, w, h / 2}, lower = {0, h / 2, w, h};
    ::DrawTextW(dc, m_fileName.c_str(), int(m_fileName.size()), &upper,
                DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    ::DrawTextW(dc, m_text.c_str(), int(m_text.size()), &lower,
                DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
}

CTipItem::CTipItem(int id, const FCObjImage& background, std::wstring text) : m_text(std::move(text)) {
    m_id = id;
    m_background.CopyFrom(background);
}

void CTipItem::Draw(HDC dc) {
    const int w = m_rect.right - m_rect.left, h = m_rect.bottom - m_rect.top;
    m_background.Draw(dc, 0, 0, w, h);
    Gdiplus::Graphics g(dc);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    Gdiplus::FontFamily family(L"微软雅黑");
    Gdiplus::Font font(family.IsAvailable() ? &family : Gdiplus::FontFamily::GenericSansSerif(), 18,
                       Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush white(Gdiplus::Color(0xFF, 0xFF, 0xFF, 0xFF));
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    g.DrawString(m_text.c_str(), INT(m_text.size()), &font,
                 Gdiplus::RectF(0, 0, Gdiplus::REAL(w), Gdiplus::REAL(h)), &format, &white);
}

}  // namespace main_view
