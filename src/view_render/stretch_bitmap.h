#pragma once
#include <windows.h>

// Draws the whole bitmap into (left, top, right, bottom) of dc, halftone-stretched.
void StretchWholeBitmap(HDC dc, HBITMAP bitmap, int left, int top, int right, int bottom);
