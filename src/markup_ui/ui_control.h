#pragma once
// Base of every markup control: position, text, colours, images, font, state and attributes.
// Lengths are kept in layout units (96 DPI) and scaled when laid out and painted.
#include <windows.h>

#include <string>

#include "layout_values.h"

namespace markup {

class CPaintManagerUI;
class CRenderContext;

class CControlUI {
public:
    CControlUI() = default;
    virtual ~CControlUI() = default;
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // Class name without the "C" prefix ("LabelUI"), and interface test by name ("Button").
    virtual std::wstring GetClass() const { return L"ControlUI"; }
    virtual bool IsKindOf(const std::wstring& name) const { return name == L"Control"; }
    // Controls that take mouse clicks and are never part of a draggable caption.
    virtual bool IsInteractive() const { return false; }

    void SetManager(CPaintManagerUI* manager, CControlUI* parent);
    CPaintManagerUI* GetManager() const { return m_manager; }
    CControlUI* GetParent() const { return m_parent; }

    const std::wstring& GetName() const { return m_name; }
    void SetName(const std::wstring& name) { m_name = name; }
    virtual std::wstring GetText() const { return m_text; }
    virtual void SetText(const std::wstring& text);
    const std::wstring& GetToolTip() const { return m_tooltip; }
    void SetToolTip(const std::wstring& text) { m_tooltip = text; }
    INT_PTR GetTag() const { return m_tag; }
    void SetTag(INT_PTR tag) { m_tag = tag; }

    // Rectangle in client pixels, as last laid out.
    const RECT& GetPos() const { return m_rcItem; }
    virtual void SetPos(const RECT& rc);
    // Floating position in layout units relative to the parent.
    const UiRect& GetFloatPos() const { return m_floatPos; }
    bool IsFloat() const { return m_float; }
    void SetFloat(bool on) { m_float = on; NeedParentUpdate(); }
    int GetFixedWidth() const { return m_fixedWidth; }
    int GetFixedHeight() const { return m_fixedHeight; }
    void SetFixedWidth(int cx);
    void SetFixedHeight(int cy);
    const UiRect& GetPadding() const { return m_padding; }

    bool IsVisible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    bool IsEnabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);

    void SetTextColor(uint32_t argb) { m_textColor = argb; Invalidate(); }
    uint32_t GetTextColor() const { return m_textColor; }
    void SetBkImage(const std::wstring& image);
    const std::wstring& GetBkImage() const { return m_bkImage; }
    void SetFont(int index) { m_font = index; Invalidate(); }
    int GetFont() const { return m_font; }
    void SetTextPadding(const UiRect& rc) { m_textPadding = rc; Invalidate(); }
    const UiRect& GetTextPadding() const { return m_textPadding; }

    // Unknown names and unreadable values are ignored.
    virtual void SetAttribute(const std::wstring& name, const std::wstring& value);

    virtual CControlUI* FindControl(const std::wstring& name);
    // Topmost visible control at the client point, or null.
    virtual CControlUI* FindControlAt(POINT pt);

    virtual void Paint(CRenderContext& ctx);
    // Mouse events; return true when the control wants the event.
    virtual void OnMouseEnter() {}
    virtual void OnMouseLeave() {}
    virtual void OnMouseDown(POINT) {}
    virtual void OnMouseUp(POINT, bool inside) { (void)inside; }

    void Invalidate();
    void NeedParentUpdate();

protected:
    virtual void PaintBkColor(CRenderContext& ctx);
    virtual void PaintBkImage(CRenderContext& ctx);
    virtual void PaintStatusImage(CRenderContext&) {}
    virtual void PaintText(CRenderContext& ctx);
    virtual void PaintBorder(CRenderContext& ctx);
    bool DrawImage(CRenderContext& ctx, const std::wstring& image);
    RECT ScaledInset(const RECT& rc, const UiRect& inset) const;
    int Scale(int v) const;

    CPaintManagerUI* m_manager = nullptr;
    CControlUI* m_parent = nullptr;
    std::wstring m_name;
    std::wstring m_text;
    std::wstring m_tooltip;
    INT_PTR m_tag = 0;
    RECT m_rcItem = {};
    UiRect m_floatPos;
    bool m_float = false;
    int m_fixedWidth = 0;
    int m_fixedHeight = 0;
    UiRect m_padding;
    bool m_visible = true;
    bool m_enabled = true;
    uint32_t m_bkColor = 0;
    uint32_t m_textColor = 0xFF333333;
    uint32_t m_disabledTextColor = 0xFFAAAAAA;
    uint32_t m_borderColor = 0;
    int m_borderSize = 0;
    std::wstring m_bkImage;
    std::wstring m_foreImage;
    int m_font = -1;
    UINT m_textAlign = DT_LEFT;
    UiRect m_textPadding;
    bool m_showText = true;
};

}  // namespace markup
