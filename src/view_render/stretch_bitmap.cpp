#include "stretch_bitmap.h"

void StretchWholeBitmap(HDC dc, HBITMAP bitmap, int left, int top, int right, int bottom) {
    BITMAP bm = {};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(bm), &bm)) return;
    HDC mem = ::CreateCompatibleDC(dc);
    if (!mem) return;
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchBlt(dc, left, top, right - left, bottom - top, mem, 0, 0, bm.bmWidth,
                 bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}
