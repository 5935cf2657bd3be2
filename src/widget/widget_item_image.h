#pragma once
// Items that draw a 32-bit picture: a whole image, or a three-face button strip.
#include <string>

#include "obj_image.h"
#include "widget_item.h"

namespace widget_window {

// Reads a PNG (or any GDI+ picture) into a 32-bit buffer, premultiplied or straight alpha.
bool LoadPicture(const std::wstring& path, bool premultiplied, FCObjImage& image);

class CWidgetItemImage : public CWidgetItem {
public:
    void Draw(HDC dc) override;
    FCObjImage m_image;
};

class CWidgetItemBitmapButton : public CWidgetItem {
public:
    // The rectangle keeps its origin and takes one face's size.
    void FitToFace();
    int FaceWidth() const { return m_image.Width() / 3; }
    void Draw(HDC dc) override;
    FCObjImage m_image;
};

}  // namespace widget_window
