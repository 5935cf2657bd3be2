#pragma once
#include <windows.h>

// Fills r with one colour (the bars' backgrounds).
void FillSolid(HDC dc, const RECT& r, COLORREF color);
