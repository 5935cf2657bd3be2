#include "auto_init.h"

#include <objidl.h>
#include <gdiplus.h>

FCAutoInitGDIPlus::FCAutoInitGDIPlus() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok) m_token = 0;
}

FCAutoInitGDIPlus::~FCAutoInitGDIPlus() {
    if (m_token) Gdiplus::GdiplusShutdown(m_token);
}
