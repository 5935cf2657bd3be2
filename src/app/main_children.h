#pragma once
// Placement of the main window's child panes.
#include <windows.h>

// Moves a child to (left, top)-(right, bottom) of its parent's client area.
void PlaceWindow(HWND hwnd, int left, int top, int right, int bottom);
