#pragma once
#include <windows.h>

// Supplies the scaled pixels of the shown picture.
class CPreRender {
public:
    virtual ~CPreRender() = default;
    // finalOnly: the fit bitmap only once it is final. The caller does not own it.
    virtual HBITMAP GetBitmap(bool finalOnly) = 0;
    // The whole picture scaled into (left, top, right, bottom) of dc.
    virtual void Draw(HDC dc, int left, int top, int right, int bottom) = 0;
};
