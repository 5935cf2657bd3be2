#pragma once
// What a control paints with: the back buffer's DC, a GDI+ surface on it, the manager's
// images and fonts, and the area being repainted.
#include <windows.h>
#include "gdiplus_include.h"

#include <string>

#include "layout_values.h"

namespace markup {

class CPaintManagerUI;

class CRenderContext {
public:
    CRenderContext(HDC dc, CPaintManagerUI& manager, const RECT& paintRect);
    HDC Dc() const { return m_dc; }
    Gdiplus::Graphics& Graphics() { return m_graphics; }
    CPaintManagerUI& Manager() { return m_manager; }
    const RECT& PaintRect() const { return m_paint; }

    void FillRect(const RECT& rc, uint32_t argb);
    void FrameRect(const RECT& rc, int width, uint32_t argb);
    // Draws an image string into rc (dest, source and corners applied); false when the
    // image cannot be had.
    bool DrawImage(const RECT& rc, const std::wstring& imageString);
    // Single-line text, vertically centred, with the given DT_LEFT/DT_CENTER/DT_RIGHT.
    void DrawText(const RECT& rc, const std::wstring& text, int font, uint32_t argb, UINT align);

private:
    HDC m_dc;
    CPaintManagerUI& m_manager;
    RECT m_paint;
    Gdiplus::Graphics m_graphics;
};

}  // namespace markup
