#pragma once
// Per-window state of the markup UI: the control tree, fonts, images, window attributes from
// the layout, mouse tracking, notifications and painting.
#include <windows.h>
#include "gdiplus_include.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "layout_values.h"
#include "notify.h"

namespace markup {

class CControlUI;
class ResourceSource;

struct FontSpec {
    std::wstring face;
    int size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    void Init(HWND hwnd, const ResourceSource* resources);
    HWND GetPaintWindow() const { return m_hwnd; }
    void AddNotifier(INotifyUI* notifier) { m_notifier = notifier; }

    void AttachRoot(std::unique_ptr<CControlUI> root);
    CControlUI* GetRoot() const { return m_root.get(); }
    CControlUI* FindControl(const std::wstring& name) const;
    CControlUI* FindControl(POINT pt) const;

    // Physical pixels for a length in layout units.
    int Scale(int v) const;
    int Dpi() const { return m_dpi; }
    // Sets the DPI to scale by (96 to 384, anything else means 96); fonts are made again.
    void SetDpi(int dpi);

    // Window attributes from the layout, in layout units.
    UiSize initSize, minSize, maxSize;
    UiRect caption, shadowCorner, shadowSize;
    bool useShadow = false;
    std::wstring shadowImage;
    uint32_t windowBkColor = 0xFFFFFFFF;

    void AddFont(int id, const FontSpec& spec);
    // The font of that index; the default font when the index is unknown.
    HFONT GetFont(int index);
    // Decoded image of the archive, null when it is missing or does not decode. From 144 DPI
    // on, "name@2x.png" is used when the archive has it; pixelScale (optional) then gets 2.
    Gdiplus::Bitmap* GetImage(const std::string& file, int* pixelScale = nullptr);
    // Caption area in client pixels.
    RECT GetCaptionRect() const;

    void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0);
    void NeedUpdate() { m_needUpdate = true; }
    // Lays the controls out now when something changed since the last layout.
    void LayoutIfNeeded();
    void Invalidate(const RECT& rc);

    // Handles painting, sizing and mouse input; true when the message was consumed.
    bool MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Forget a control that is about to be destroyed.
    void ReleaseControl(CControlUI* control);

private:
    void Paint();
    void SetHot(CControlUI* control);
    void UpdateToolTip(CControlUI* control);
    Gdiplus::Bitmap* LoadImage(const std::string& file);

    HWND m_hwnd = nullptr;
    const ResourceSource* m_resources = nullptr;
    INotifyUI* m_notifier = nullptr;
    std::unique_ptr<CControlUI> m_root;
    int m_dpi = 96;
    std::map<int, FontSpec> m_fontSpecs;
    std::map<int, HFONT> m_fonts;
    HFONT m_defaultFont = nullptr;
    std::map<std::string, std::unique_ptr<Gdiplus::Bitmap>> m_images;
    CControlUI* m_hot = nullptr;
    CControlUI* m_pushed = nullptr;
    bool m_needUpdate = true;
    bool m_initSent = false;
    bool m_tracking = false;
    HWND m_tooltip = nullptr;
    std::wstring m_tooltipText;
};

}  // namespace markup
