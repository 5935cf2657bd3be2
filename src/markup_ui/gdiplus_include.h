#pragma once
// GDI+ with NOMINMAX: its headers use unqualified min and max, which MSVC then lacks.
#include <windows.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>
