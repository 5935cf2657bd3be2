#include "main_children.h"

void PlaceWindow(HWND hwnd, int left, int top, int right, int bottom) {
    if (!hwnd) return;
    ::SetWindowPos(hwnd, nullptr, left, top, right > left ? right - left : 0,
                   bottom > top ? bottom - top : 0, SWP_NOZORDER | SWP_NOACTIVATE);
}
