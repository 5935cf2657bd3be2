#include "png_button.h"

#include <objidl.h>
#include <gdiplus.h>
#include <cstring>

CPngButton::CPngButton() = default;

CPngButton::~CPngButton() = default;

bool CPngButton::Attach(UINT id, HWND parent) {
    if (!SubclassDlgItem(id, parent)) return false;
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    style = (style & ~LONG_PTR(BS_TYPEMASK)) | BS_OWNERDRAW | WS_CLIPSIBLINGS;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style);
    return true;
}

bool CPngButton::Load(UINT resourceId, int frames, int kind) {
    m_image.reset();
    m_stream.Reset();
    m_frames = frames;
    m_kind = kind;
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    const DWORD size = res ? ::SizeofResource(module, res) : 0;
    HGLOBAL loaded = res ? ::LoadResource(module, res) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return false;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return false;
    void* dst = ::GlobalLock(copy);
    std::memcpy(dst, bytes, size);
    ::GlobalUnlock(copy);
    // The stream owns the memory from here on.
    if (FAILED(::CreateStreamOnHGlobal(copy, TRUE, m_stream.GetAddressOf()))) {
        ::GlobalFree(copy);
        return false;
    }
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromStream(m_stream.Get()));
    if (!image || image->GetLastStatus() != Gdiplus::Ok) return false;
    m_image = std::move(image);
    if (m_hWnd && (frames == 1 || frames == 3 || frames == 4)) {
        const int width = int(m_image->GetWidth()) / frames;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, int(m_image->GetHeight()),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return true;
}

bool CPngButton::FrameRect(int imageWidth, int frames, int state, int& x, int& width) {
    if (frames == 3) {
        if (state == kDisabled || state < kNormal || state > kDisabled) return false;
        const int third = imageWidth / 3;
        x = third * (state - 1);
        width = state == kPressed ? imageWidth - x : third;
        return width > 0;
    }
    if (frames == 4) {
        if (state < kNormal || state > kDisabled) return false;
        const int quarter = imageWidth / 4;
        x = quarter * (state - 1);
        width = state == kDisabled ? imageWidth - x : quarter;
        return width > 0;
    }
    x = 0;
    width = imageWidth;
    return width > 0;
}

void CPngButton::SetState(int state) {
    if (m_state == state) return;
    m_state = state;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPngButton::Draw(const DRAWITEMSTRUCT& dis) {
    if (!::IsWindowEnabled(m_hWnd)) m_state = kDisabled;
    // The parent's white shows where the frame has transparent pixels or nothing is drawn.
    ::FillRect(dis.hDC, &dis.rcItem, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (!m_image) return;
    int x = 0, width = 0;
    if (!FrameRect(int(m_image->GetWidth()), m_frames, m_state, x, width)) return;
    Gdiplus::Graphics g(dis.hDC);
    const int height = int(m_image->GetHeight());
    g.DrawImage(m_image.get(), Gdiplus::Rect(0, 0, width, height), x, 0, width, height,
                Gdiplus::UnitPixel);
}

bool CPngButton::OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

bool CPngButton::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!m_tracking) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 1};
            m_tracking = ::TrackMouseEvent(&tme) != FALSE;
        }
        return false;
    case WM_MOUSEHOVER:
        SetState(kHover);
        result = 0;
        return true;
    case WM_MOUSELEAVE:
        m_tracking = false;
        SetState(m_kind == kLatching && m_latched ? kPressed : kNormal);
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_latched = true;
        SetState(kPressed);
        return false;  // the button's own handling sends the click
    case WM_LBUTTONUP:
        SetState(kHover);
        return false;
    default:
        return false;
    }
}
