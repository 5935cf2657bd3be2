#include "paint_manager.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <windowsx.h>
#include <wrl/client.h>

#include <algorithm>

#include "render_context.h"
#include "resource_source.h"
#include "ui_container.h"
#include "win_handle.h"

namespace markup {
namespace {

constexpr size_t kMaxImageBytes = 16u * 1024 * 1024;
constexpr UINT kMaxImageSide = 4096;

std::string LowerKey(const std::string& name) {
    std::string k = ZipArchive::NormaliseName(name);
    for (char& c : k)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return k;
}

// Decodes PNG (or any GDI+ format) bytes into a bitmap that owns its pixels.
std::unique_ptr<Gdiplus::Bitmap> DecodeImage(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > kMaxImageBytes) return nullptr;
    Microsoft::WRL::ComPtr<IStream> stream;
    stream.Attach(::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), UINT(bytes.size())));
    if (!stream) return nullptr;
    Gdiplus::Bitmap decoded(stream.Get());
    if (decoded.GetLastStatus() != Gdiplus::Ok) return nullptr;
    const UINT w = decoded.GetWidth(), h = decoded.GetHeight();
    if (w == 0 || h == 0 || w > kMaxImageSide || h > kMaxImageSide) return nullptr;
    auto copy = std::make_unique<Gdiplus::Bitmap>(int(w), int(h), PixelFormat32bppPARGB);
    if (copy->GetLastStatus() != Gdiplus::Ok) return nullptr;
    Gdiplus::Graphics g(copy.get());
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    if (g.DrawImage(&decoded, 0, 0, int(w), int(h)) != Gdiplus::Ok) return nullptr;
    return copy;
}

// The DPI of the window's monitor where the system can tell it, else the system's.
int WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && hwnd) {
        const UINT dpi = getDpiForWindow(hwnd);
        if (dpi >= 96) return int(dpi);
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

CPaintManagerUI::CPaintManagerUI() = default;

CPaintManagerUI::~CPaintManagerUI() {
    m_root.reset();
    for (auto& f : m_fonts) ::DeleteObject(f.second);
    if (m_defaultFont) ::DeleteObject(m_defaultFont);
    if (m_tooltip && ::IsWindow(m_tooltip)) ::DestroyWindow(m_tooltip);
}

void CPaintManagerUI::Init(HWND hwnd, const ResourceSource* resources) {
    // A window object may be created again after its first window has gone.
    if (m_tooltip && ::IsWindow(m_tooltip)) ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    m_tooltipText.clear();
    m_hot = m_pushed = nullptr;
    m_initSent = false;
    m_tracking = false;
    m_needUpdate = true;
    m_images.clear();
    m_hwnd = hwnd;
    m_resources = resources;
    SetDpi(WindowDpi(hwnd));
}

void CPaintManagerUI::AttachRoot(std::unique_ptr<CControlUI> root) {
    m_hot = m_pushed = nullptr;
    m_root = std::move(root);
    if (m_root) m_root->SetManager(this, nullptr);
    if (auto* box = dynamic_cast<CContainerUI*>(m_root.get())) box->SetManagerTree(this);
    m_needUpdate = true;
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

CControlUI* CPaintManagerUI::FindControl(const std::wstring& name) const {
    return m_root && !name.empty() ? m_root->FindControl(name) : nullptr;
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const {
    return m_root ? m_root->FindControlAt(pt) : nullptr;
}

void CPaintManagerUI::SetDpi(int dpi) {
    if (dpi < 96 || dpi > 96 * 4) dpi = 96;
    m_dpi = dpi;
    for (auto& f : m_fonts) ::DeleteObject(f.second);
    m_fonts.clear();
    if (m_defaultFont) ::DeleteObject(m_defaultFont);
    m_defaultFont = nullptr;
    m_needUpdate = true;
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

int CPaintManagerUI::Scale(int v) const { return ::MulDiv(v, m_dpi, 96); }

void CPaintManagerUI::AddFont(int id, const FontSpec& spec) {
    if (id < 0 || id > 1000) return;
    m_fontSpecs[id] = spec;
    auto it = m_fonts.find(id);
    if (it != m_fonts.end()) {
        ::DeleteObject(it->second);
        m_fonts.erase(it);
    }
}

HFONT CPaintManagerUI::GetFont(int index) {
    auto it = m_fonts.find(index);
    if (it != m_fonts.end()) return it->second;
    auto spec = m_fontSpecs.find(index);
    if (spec == m_fontSpecs.end()) {
        if (!m_defaultFont) {
            m_defaultFont = ::CreateFontW(-Scale(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                          CLEARTYPE_QUALITY, DEFAULT_PITCH, L"微软雅黑");
        }
        return m_defaultFont;
    }
    const FontSpec& s = spec->second;
    HFONT font = ::CreateFontW(-Scale(std::clamp(s.size, 1, 200)), 0, 0, 0, s.bold ? FW_BOLD : FW_NORMAL,
                               s.italic, s.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, s.face.c_str());
    if (!font) return GetFont(-1);
    m_fonts[index] = font;
    return font;
}

Gdiplus::Bitmap* CPaintManagerUI::GetImage(const std::string& file, int* pixelScale) {
    if (pixelScale) *pixelScale = 1;
    if (m_dpi >= 144) {
        const size_t dot = file.find_last_of('.');
        const size_t slash = file.find_last_of("/\\");
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
            if (Gdiplus::Bitmap* big = LoadImage(file.substr(0, dot) + "@2x" + file.substr(dot))) {
                if (pixelScale) *pixelScale = 2;
                return big;
            }
        }
    }
    return LoadImage(file);
}

Gdiplus::Bitmap* CPaintManagerUI::LoadImage(const std::string& file) {
    const std::string key = LowerKey(file);
    if (key.empty()) return nullptr;
    auto it = m_images.find(key);
    if (it != m_images.end()) return it->second.get();
    std::string bytes;
    std::unique_ptr<Gdiplus::Bitmap> bmp;
    if (m_resources && m_resources->Load(file, bytes)) bmp = DecodeImage(bytes);
    // A failure is remembered so that a broken image is not decoded again on every paint.
    Gdiplus::Bitmap* raw = bmp.get();
    m_images[key] = std::move(bmp);
    return raw;
}

RECT CPaintManagerUI::GetCaptionRect() const {
    RECT client = {};
    if (m_hwnd) ::GetClientRect(m_hwnd, &client);
    RECT rc = {client.left + Scale(caption.left), client.top + Scale(caption.top),
               client.right - Scale(caption.right), client.top + Scale(caption.bottom)};
    return rc;
}

void CPaintManagerUI::SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam) {
    if (!m_notifier) return;
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = sender;
    msg.wParam = wParam;
    msg.lParam = lParam;
    m_notifier->Notify(msg);
}

void CPaintManagerUI::Invalidate(const RECT& rc) {
    if (m_hwnd) ::InvalidateRect(m_hwnd, &rc, FALSE);
}

void CPaintManagerUI::ReleaseControl(CControlUI* control) {
    if (m_hot == control) m_hot = nullptr;
    if (m_pushed == control) m_pushed = nullptr;
}

void CPaintManagerUI::LayoutIfNeeded() {
    if (!m_needUpdate || !m_root || !m_hwnd) return;
    m_needUpdate = false;
    RECT client = {};
    ::GetClientRect(m_hwnd, &client);
    m_root->SetPos(client);
}

void CPaintManagerUI::Paint() {
    PAINTSTRUCT ps = {};
    HDC dc = ::BeginPaint(m_hwnd, &ps);
    if (!dc) return;
    if (!m_initSent && m_root) {
        // The first paint lays the window out and tells the window it is ready.
        m_initSent = true;
        LayoutIfNeeded();
        SendNotify(m_root.get(), L"windowinit");
    }
    LayoutIfNeeded();
    RECT client = {};
    ::GetClientRect(m_hwnd, &client);
    const int w = std::max<int>(1, client.right), h = std::max<int>(1, client.bottom);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueGdiObject dib(::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemDC mem(::CreateCompatibleDC(dc));
    if (dib && mem) {
        const HGDIOBJ old = ::SelectObject(mem.get(), dib.get());
        {
            CRenderContext ctx(mem.get(), *this, ps.rcPaint);
            ctx.FillRect(client, windowBkColor | 0xFF000000u);
            if (m_root) m_root->Paint(ctx);
        }
        ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                 ps.rcPaint.bottom - ps.rcPaint.top, mem.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        ::SelectObject(mem.get(), old);
    }
    ::EndPaint(m_hwnd, &ps);
}

void CPaintManagerUI::SetHot(CControlUI* control) {
    if (control == m_hot) return;
    CControlUI* old = m_hot;
    m_hot = control;
    if (old) {
        old->OnMouseLeave();
        SendNotify(old, L"mouseleave");
    }
    if (control) {
        control->OnMouseEnter();
        SendNotify(control, L"mouseenter");
    }
    UpdateToolTip(control);
}

void CPaintManagerUI::UpdateToolTip(CControlUI* control) {
    const std::wstring text = control ? control->GetToolTip() : std::wstring();
    if (text == m_tooltipText) return;
    m_tooltipText = text;
    if (!m_tooltip) {
        if (text.empty()) return;
        m_tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      m_hwnd, nullptr, nullptr, nullptr);
        if (!m_tooltip) return;
        TTTOOLINFOW ti = {sizeof(ti)};
        ti.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
        ti.hwnd = m_hwnd;
        ti.uId = reinterpret_cast<UINT_PTR>(m_hwnd);
        ti.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        ::SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 600);
    }
    TTTOOLINFOW ti = {sizeof(ti)};
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = m_hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(m_hwnd);
    ti.lpszText = const_cast<wchar_t*>(m_tooltipText.c_str());
    ::SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageW(m_tooltip, TTM_ACTIVATE, !m_tooltipText.empty(), 0);
}

bool CPaintManagerUI::MessageHandler(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        Paint();
        return true;
    case WM_SIZE:
        m_needUpdate = true;
        if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
        return false;
    case WM_MOUSEMOVE: {
        if (!m_tracking) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hwnd, 0};
            m_tracking = ::TrackMouseEvent(&tme) != FALSE;
        }
        const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        CControlUI* at = FindControl(pt);
        SetHot(at && at->IsEnabled() ? at : nullptr);
        return false;
    }
    case WM_MOUSELEAVE:
        m_tracking = false;
        if (!m_pushed) SetHot(nullptr);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        CControlUI* at = FindControl(pt);
        if (!at || !at->IsEnabled()) return false;
        SetHot(at);
        m_pushed = at;
        ::SetCapture(m_hwnd);
        at->OnMouseDown(pt);
        return true;
    }
    case WM_LBUTTONUP: {
        const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        CControlUI* pushed = m_pushed;
        m_pushed = nullptr;
        if (::GetCapture() == m_hwnd) ::ReleaseCapture();
        if (!pushed) return false;
        const RECT& rc = pushed->GetPos();
        const bool inside = ::PtInRect(&rc, pt) != FALSE;
        pushed->OnMouseUp(pt, inside);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace markup
