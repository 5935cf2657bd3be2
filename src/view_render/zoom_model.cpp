#include "zoom_model.h"

#include <algorithm>
#include <cmath>

namespace {
int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
}  // namespace

void CViewport::Resize(int dw, int dh) {
    m_dispW = dw;
    m_dispH = dh;
    const int cx = (m_areaW - dw) / 2, cy = (m_areaH - dh) / 2;
    m_centred = {std::max(cx, 0), std::max(cy, 0), std::min(cx + dw, m_areaW),
                 std::min(cy + dh, m_areaH)};
    m_rangeX = std::max(dw - m_areaW, 0);
    m_rangeY = std::max(dh - m_areaH, 0);
    SetScroll(0, 0, 0, 0);
}

void CViewport::SetScroll(float tx, float ty, int ax, int ay) {
    if (m_rangeX > 0) {
        const long sx = std::lround(tx) - ax;
        const int x = int(std::max(0L, std::min(sx, long(m_rangeX))));
        m_scroll.left = x;
        m_scroll.right = x + m_areaW;
    } else {
        m_scroll.left = 0;
        m_scroll.right = m_dispW;
    }
    if (m_rangeY > 0) {
        const long sy = std::lround(ty) - ay;
        const int y = int(std::max(0L, std::min(sy, long(m_rangeY))));
        m_scroll.top = y;
        m_scroll.bottom = y + m_areaH;
    } else {
        m_scroll.top = 0;
        m_scroll.bottom = m_dispH;
    }
}

bool CViewport::Pan(int dx, int dy) {
    const ViewRect before = m_scroll;
    ViewRect r = {m_scroll.left - dx, m_scroll.top - dy, m_scroll.right - dx, m_scroll.bottom - dy};
    if (r.left < 0) {
        r.right -= r.left;
        r.left = 0;
    } else if (r.right > m_dispW) {
        r.left -= r.right - m_dispW;
        r.right = m_dispW;
    }
    if (r.top < 0) {
        r.bottom -= r.top;
        r.top = 0;
    } else if (r.bottom > m_dispH) {
        r.top -= r.bottom - m_dispH;
        r.bottom = m_dispH;
    }
    m_scroll = r;
    return m_scroll != before;
}

ViewRect CViewport::Placement() const {
    const int left = ScrollableX() ? -m_scroll.left : m_centred.left;
    const int top = ScrollableY() ? -m_scroll.top : m_centred.top;
    return {left, top, left + m_dispW, top + m_dispH};
}

CZoomModel::CZoomModel(int pictureWidth, int pictureHeight)
    : m_picW(std::max(pictureWidth, 1)), m_picH(std::max(pictureHeight, 1)) {}

void CZoomModel::ComputeDisplayed(float ratio, int& w, int& h) {
    // Float products of huge pictures and ratios stay within int after the clamp.
    const float fw = float(m_picW) * ratio, fh = float(m_picH) * ratio;
    w = fw >= 2.0e9f ? 2000000000 : std::max(int(fw), 1);
    h = fh >= 2.0e9f ? 2000000000 : std::max(int(fh), 1);
    m_ratioX = float(w) / float(m_picW);
    m_ratioY = float(h) / float(m_picH);
}

void CZoomModel::ResetToFit(int areaWidth, int areaHeight, bool toggleToActual) {
    const int W = std::max(areaWidth, 1), H = std::max(areaHeight, 1);
    m_fit = std::min(std::min(float(W) / float(m_picW), float(H) / float(m_picH)), 1.0f);
    m_ratio = m_fit;
    int w, h;
    ComputeDisplayed(m_ratio, w, h);
    m_toggle = toggleToActual ? 1.0f : 2.0f * m_fit;
    m_viewport = CViewport(W, H);
    m_viewport.Resize(w, h);
    m_hasViewport = true;
}

bool CZoomModel::ZoomTo(float r, int ax, int ay) {
    if (!m_hasViewport) return false;
    const ViewRect place = m_viewport.Placement();
    const float px = float(ax - place.left) / m_ratioX;
    const float py = float(ay - place.top) / m_ratioY;
    m_ratio = r;
    int w, h;
    ComputeDisplayed(r, w, h);
    if (w == m_viewport.DisplayedWidth() && h == m_viewport.DisplayedHeight()) return false;
    m_viewport.Resize(w, h);
    m_viewport.SetScroll(m_ratioX * px, m_ratioY * py, ax, ay);
    return true;
}

bool CZoomModel::ZoomStep(int steps, int ax, int ay, int maxZoomRatio) {
    float r = m_ratio * (1.0f + 0.1f * float(steps));
    const float lower = std::min(0.05f, m_fit);
    const float upper = float(maxZoomRatio);
    r = r >= upper ? upper : std::max(r, lower);
    return ZoomTo(r, ax, ay);
}

bool CZoomModel::ToggleAlternate(int ax, int ay) {
    return ZoomTo(m_ratio == m_fit ? m_toggle : m_fit, ax, ay);
}

bool CZoomModel::ToggleActual() {
    return ZoomTo(m_ratio == m_fit ? 1.0f : m_fit, m_viewport.AreaWidth() / 2,
                  m_viewport.AreaHeight() / 2);
}

bool CZoomModel::Pan(int dx, int dy) { return m_hasViewport && m_viewport.Pan(dx, dy); }
