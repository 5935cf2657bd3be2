#include "bar_paint.h"

#include "win_handle.h"

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    UniqueGdiObject brush(::CreateSolidBrush(color));
    if (brush) ::FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}
