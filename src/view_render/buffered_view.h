#pragma once
// The back buffer: the image area's background and scaled picture, copied on every paint.
#include <windows.h>

#include "win_handle.h"

namespace view_render {

class CBufferedView {
public:
    CBufferedView(int width, int height);
    ~CBufferedView();
    CBufferedView(const CBufferedView&) = delete;
    CBufferedView& operator=(const CBufferedView&) = delete;

    bool IsValid() const { return m_dc && m_bitmap; }
    HDC GetDC() const { return m_dc.get(); }
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(m_bitmap.get()); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Moves the valid pixels by (dx, dy) and clips the DC to the strips uncovered; the caller
    // repaints and then calls EndShift.
    void BeginShift(int dx, int dy);
    void EndShift();

private:
    int m_width, m_height;
    UniqueMemDC m_dc;
    UniqueGdiObject m_bitmap;
    UniqueGdiObject m_scratch;
    HGDIOBJ m_previous = nullptr;
    int m_savedState = 0;
};

}  // namespace view_render
