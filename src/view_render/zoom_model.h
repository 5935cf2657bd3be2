#pragma once
// Geometry of the shown picture: fit ratio, stepped zoom with limits, toggles, anchoring and
// panning. No platform headers.
#include <cstdint>

struct ViewRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ViewRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const ViewRect& o) const { return !(*this == o); }
};

// Where the displayed picture lies in the image area.
class CViewport {
public:
    CViewport(int areaWidth, int areaHeight) : m_areaW(areaWidth), m_areaH(areaHeight) {}

    void Resize(int displayedWidth, int displayedHeight);
    // Puts the displayed-picture point (tx, ty) under the area point (ax, ay), within limits.
    void SetScroll(float tx, float ty, int ax, int ay);
    // Moves the visible part by a pointer delta; false when nothing moved.
    bool Pan(int dx, int dy);

    int AreaWidth() const { return m_areaW; }
    int AreaHeight() const { return m_areaH; }
    int DisplayedWidth() const { return m_dispW; }
    int DisplayedHeight() const { return m_dispH; }
    const ViewRect& Centred() const { return m_centred; }
    const ViewRect& Scroll() const { return m_scroll; }
    bool ScrollableX() const { return m_rangeX > 0; }
    bool ScrollableY() const { return m_rangeY > 0; }
    // The displayed picture's rectangle in area coordinates.
    ViewRect Placement() const;

private:
    int m_areaW, m_areaH;
    int m_dispW = 0, m_dispH = 0;
    ViewRect m_centred;
    int m_rangeX = 0, m_rangeY = 0;
    ViewRect m_scroll;
};

class CZoomModel {
public:
    CZoomModel(int pictureWidth, int pictureHeight);

    // Fits into a new area; toggleToActual picks 1.0 as the double-click target.
    void ResetToFit(int areaWidth, int areaHeight, bool toggleToActual);
    // False when the displayed size did not change (nothing to redraw or report).
    bool ZoomTo(float ratio, int anchorX, int anchorY);
    bool ZoomStep(int steps, int anchorX, int anchorY, int maxZoomRatio);
    bool ToggleAlternate(int anchorX, int anchorY);
    bool ToggleActual();
    bool Pan(int dx, int dy);

    float Ratio() const { return m_ratio; }
    float RatioX() const { return m_ratioX; }
    float RatioY() const { return m_ratioY; }
    float FitRatio() const { return m_fit; }
    float ToggleRatio() const { return m_toggle; }
    int PictureWidth() const { return m_picW; }
    int PictureHeight() const { return m_picH; }
    bool HasViewport() const { return m_hasViewport; }
    const CViewport& Viewport() const { return m_viewport; }

private:
    void ComputeDisplayed(float ratio, int& w, int& h);

    int m_picW, m_picH;
    float m_ratio = 1.0f, m_ratioX = 1.0f, m_ratioY = 1.0f;
    float m_fit = 1.0f, m_toggle = 2.0f;
    bool m_hasViewport = false;
    CViewport m_viewport{0, 0};
};

// Narrow and very tall: shown at actual size from the top when the long-picture mode is on.
inline bool IsLongPictureSize(int width, int height) {
    return width < 1280 && int64_t(4) * width < height;
}
