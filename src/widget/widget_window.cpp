#include "widget_window.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {
const wchar_t kWidgetClass[] = L"PelionWidgetWindow";

bool Contains(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
}  // namespace

CWidgetWindow::CWidgetWindow() = default;

CWidgetWindow::~CWidgetWindow() {
    while (!m_items.empty()) m_items.pop_back();
    m_layout.reset();
    if (m_tooltip) ::DestroyWindow(m_tooltip);
}

bool CWidgetWindow::Create(HWND parent, int id) {
    if (!RegisterClass(kWidgetClass, CS_DBLCLKS)) return false;
    return CreateEx(0, kWidgetClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, 0,
                    0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

HFONT CWidgetWindow::DefaultFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW ncm = {};
        ncm.cbSize = 504;
        LOGFONTW lf = {};
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
            ::lstrcpynW(lf.lfFaceName, ncm.lfMenuFont.lfFaceName, LF_FACESIZE);
        else
            ::lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
        HDC screen = ::GetDC(nullptr);
        lf.lfHeight = -::MulDiv(9, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
        ::ReleaseDC(nullptr, screen);
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
        return ::CreateFontIndirectW(&lf);
    }();
    return font;
}

void CWidgetWindow::AddItem(std::unique_ptr<CWidgetItem> item, int index) {
    if (!item) return;
    if (index == -1) {
        m_items.push_back(std::move(item));
    } else if (index >= 0 && size_t(index) <= m_items.size()) {
        m_items.insert(m_items.begin() + index, std::move(item));
    }
    // Any other index: the item is dropped here.
}

void CWidgetWindow::RemoveItem(int id) {
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if ((*it)->m_id != id) continue;
        if (m_pressItem == it->get()) m_pressItem = nullptr;
        m_items.erase(it);
        return;
    }
}

CWidgetItem* CWidgetWindow::FindItem(int id) const {
    for (const auto& item : m_items)
        if (item->m_id == id) return item.get();
    return nullptr;
}

CWidgetItem* CWidgetWindow::HitTest(int x, int y) const {
    for (const auto& item : m_items)
        if (item->IsLive() && Contains(item->m_rect, x, y)) return item.get();
    return nullptr;
}

void CWidgetWindow::UpdateHover(int x, int y) {
    CWidgetItem* now = HitTest(x, y);
    CWidgetItem* before = nullptr;
    for (const auto& item : m_items)
        if (item->Has(CWidgetItem::kHover)) before = item.get();
    if (now == before) return;
    if (before) {
        before->Set(CWidgetItem::kHover, false);
        before->OnMouseLeave();
        Invalidate(&before->m_rect);
    }
    if (now) {
        now->Set(CWidgetItem::kHover, true);
        now->OnMouseEnter();
        Invalidate(&now->m_rect);
    }
}

void CWidgetWindow::CreateToolTip() {
    m_tooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (m_tooltip) ::SendMessageW(m_tooltip, TTM_ACTIVATE, TRUE, 0);
}

void CWidgetWindow::OnLayout() {
    if (!m_layout || !m_hWnd) return;
    m_layout->Layout(m_hWnd, m_items);
    if (m_tooltip) {
        ::DestroyWindow(m_tooltip);
        m_tooltip = nullptr;
    }
    UINT toolId = 100;
    for (const auto& item : m_items) {
        if (!item->Has(CWidgetItem::kVisible)) continue;
        // A tooltip window only when there is a tip to show: an idle topmost popup is not free
        // (under Wine its owner's first move to the top is then ignored).
        if (!m_tooltip && !item->m_tip.empty()) CreateToolTip();
        item->AddToolTip(m_tooltip, m_hWnd, toolId++);
    }
    Invalidate(nullptr);
}

void CWidgetWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    const RECT dirty = ps.rcPaint;
    const int w = dirty.right - dirty.left, h = dirty.bottom - dirty.top;
    if (w > 0 && h > 0) {
        UniqueGdiObject bitmap(::CreateCompatibleBitmap(dc, w, h));
        UniqueMemDC mem(::CreateCompatibleDC(dc));
        if (bitmap && mem) {
            HGDIOBJ oldBitmap = ::SelectObject(mem.get(), bitmap.get());
            ::SetBkMode(mem.get(), TRANSPARENT);
            ::SetStretchBltMode(mem.get(), HALFTONE);
            HGDIOBJ oldFont = ::SelectObject(mem.get(), m_font ? m_font.get() : DefaultFont());
            ::SetViewportOrgEx(mem.get(), -dirty.left, -dirty.top, nullptr);
            OnDrawBackground(mem.get(), dirty);
            for (const auto& item : m_items) {
                RECT overlap;
                if (!item->Has(CWidgetItem::kVisible) ||
                    !::IntersectRect(&overlap, &item->m_rect, &dirty))
                    continue;
                ::SetViewportOrgEx(mem.get(), item->m_rect.left - dirty.left,
                                   item->m_rect.top - dirty.top, nullptr);
                item->Draw(mem.get());
                ::SetViewportOrgEx(mem.get(), -dirty.left, -dirty.top, nullptr);
            }
            ::SetViewportOrgEx(mem.get(), 0, 0, nullptr);
            ::BitBlt(dc, dirty.left, dirty.top, w, h, mem.get(), 0, 0, SRCCOPY);
            ::SelectObject(mem.get(), oldFont);
            ::SelectObject(mem.get(), oldBitmap);
        }
    }
    ::EndPaint(m_hWnd, &ps);
}

void CWidgetWindow::OnLButtonDown(int x, int y) {
    Invalidate(nullptr);
    UpdateHover(x, y);
    CWidgetItem* item = HitTest(x, y);
    if (OnItemMouseDown(item)) return;
    // The press is followed through capture: moves update the item, the release completes it.
    ::SetCapture(m_hWnd);
    m_pressing = true;
    m_pressItem = item;
    m_lastPoint = {x, y};
    if (item) item->Set(CWidgetItem::kPressed, true);
}

void CWidgetWindow::FinishPress(int x, int y, bool withCapture) {
    CWidgetItem* item = m_pressItem;
    m_pressItem = nullptr;
    OnItemMouseUp(item, x, y, withCapture);
    // The click handler may have removed the item.
    for (const auto& live : m_items)
        if (live.get() == item) item->Set(CWidgetItem::kPressed, false);
    Invalidate(nullptr);
}

CWidgetItem* CWidgetWindow::OnItemMouseUp(CWidgetItem* item, int x, int y, bool withCapture) {
    CWidgetItem* hit = HitTest(x, y);
    if (withCapture && item && hit == item) OnItemClick(item);
    return hit;
}

bool CWidgetWindow::OnMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    TrackMessage(m_hWnd, msg);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_SIZE:
        OnLayout();
        return false;
    case WM_PAINT:
        Paint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_MOUSEMOVE:
        if (m_pressing) {
            m_lastPoint = {x, y};
            if (m_pressItem) {
                const bool over = HitTest(x, y) == m_pressItem;
                if (over != m_pressItem->Has(CWidgetItem::kHover)) {
                    m_pressItem->Set(CWidgetItem::kHover, over);
                    Invalidate(&m_pressItem->m_rect);
                }
            }
            result = 0;
            return true;
        }
        UpdateHover(x, y);
        return false;
    case WM_LBUTTONDOWN:
        OnLButtonDown(x, y);
        result = 0;
        return true;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(x, y);
        result = 0;
        return true;
    case WM_LBUTTONUP:
        if (m_pressing) {
            // Cleared first, so the capture change that the release causes is not a lost press.
            m_pressing = false;
            ::ReleaseCapture();
            FinishPress(x, y, true);
            result = 0;
            return true;
        }
        return false;
    case WM_CAPTURECHANGED:
        if (m_pressing) {
            m_pressing = false;
            FinishPress(m_lastPoint.x, m_lastPoint.y, false);
        }
        return false;
    default:
        return false;
    }
}
