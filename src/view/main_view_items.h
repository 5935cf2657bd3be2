#pragma once
// The image view's items: page-turn arrows, loading indicator, load error and tips.
#include <windows.h>

#include <string>

#include "obj_image.h"
#include "timer_notify.h"
#include "widget_item.h"
#include "win_handle.h"

namespace main_view {

enum ItemId {
    kPreviousArrow = 100,
    kNextArrow = 101,
    kLoadError = 102,
    kLoading = 103,
    kWelcomeOpen = 105,
    kWelcomeSlogan = 106,
    kMissingTip = 107,
    kSavingTip = 108,
};

// Rows of the item an arrow picture of pictureHeight rows covers: its top five rows stretch over
// [0, top), its middle rows keep their size in [top, top + middle), the bottom five fill the rest.
void ArrowBands(int itemHeight, int pictureHeight, int& top, int& middle);

// Fades in while the pointer is over it; the arrow keeps its size in a band of any height.
class CTurnPageItem : public CWidgetItem, public FCTimerNotify {
public:
    CTurnPageItem(int id, const FCObjImage& picture, HWND view);
    void OnMouseEnter() override { StartFade(+10); }
    void OnMouseLeave() override { StartFade(-10); }
    void OnTimer() override;
    void Draw(HDC dc) override;
    int Opacity() const { return m_opacity; }

private:
    void StartFade(int step);
    FCObjImage m_source;   // straight alpha
    FCObjImage m_working;  // the source with the opacity premultiplied in
    int m_opacity = 0;
    int m_step = 10;
    HWND m_view;
};

class CLoadingGifItem : public CWidgetItem, public FCTimerNotify {
public:
    CLoadingGifItem(const FCObjImage& strip, HWND view);
    void OnTimer() override;
    void Draw(HDC dc) override;

private:
    FCObjImage m_strip;
    HWND m_view;
    RECT m_frame;
};

class CLoadErrorItem : public CWidgetItem {
public:
    CLoadErrorItem(std::wstring fileName, std::wstring text);
    void Draw(HDC dc) override;

private:
    UniqueGdiObject m_font;
    std::wstring m_fileName, m_text;
};

class CTipItem : public CWidgetItem {
public:
    CTipItem(int id, const FCObjImage& background, std::wstring text);
    void Draw(HDC dc) override;

private:
    FCObjImage m_background;
    std::wstring m_text;
};

}  // namespace main_view
