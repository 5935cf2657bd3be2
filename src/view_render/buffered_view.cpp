#include "buffered_view.h"

namespace view_render {

CBufferedView::CBufferedView(int width, int height)
    : m_width(width > 0 ? width : 1), m_height(height > 0 ? height : 1) {
    HDC screen = ::GetDC(nullptr);
    m_dc.reset(::CreateCompatibleDC(screen));
    m_bitmap.reset(::CreateCompatibleBitmap(screen, m_width, m_height));
    ::ReleaseDC(nullptr, screen);
    if (m_dc && m_bitmap) m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
}

CBufferedView::~CBufferedView() {
    if (m_dc && m_previous) ::SelectObject(m_dc.get(), m_previous);
}

void CBufferedView::BeginShift(int dx, int dy) {
    m_savedState = ::SaveDC(m_dc.get());
    HDC screen = ::GetDC(nullptr);
    if (!m_scratch) m_scratch.reset(::CreateCompatibleBitmap(screen, m_width, m_height));
    UniqueMemDC temp(::CreateCompatibleDC(screen));
    ::ReleaseDC(nullptr, screen);
    if (m_scratch && temp) {
        HGDIOBJ old = ::SelectObject(temp.get(), m_scratch.get());
        ::SetStretchBltMode(temp.get(), HALFTONE);
        ::SetBkMode(temp.get(), TRANSPARENT);
        ::BitBlt(temp.get(), 0, 0, m_width, m_height, m_dc.get(), 0, 0, SRCCOPY);
        ::BitBlt(m_dc.get(), dx, dy, m_width, m_height, temp.get(), 0, 0, SRCCOPY);
        ::SelectObject(temp.get(), old);
    }
    // The moved pixels stay; only the uncovered strips get painted.
    ::ExcludeClipRect(m_dc.get(), dx, dy, dx + m_width, dy + m_height);
}

void CBufferedView::EndShift() {
    if (m_savedState) ::RestoreDC(m_dc.get(), m_savedState);
    m_savedState = 0;
}

}  // namespace view_render
