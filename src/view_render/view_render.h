#pragma once
// Zoom state, back buffer and pre-renderer of the shown picture.
#include <windows.h>

#include <memory>

#include "buffered_view.h"
#include "pre_render.h"
#include "zoom_model.h"

class CWICImageLoader;

class CViewRender {
public:
    CViewRender(HWND view, std::shared_ptr<CWICImageLoader> loader);
    ~CViewRender();
    CViewRender(const CViewRender&) = delete;
    CViewRender& operator=(const CViewRender&) = delete;

    void ResetToFit(int areaWidth, int areaHeight);
    void ZoomTo(float ratio, int anchorX, int anchorY);
    void ZoomStep(int steps, int anchorX, int anchorY);
    void ToggleAlternate(int anchorX, int anchorY);
    void ToggleActual();
    void Pan(int dx, int dy);

    void Repaint();
    // Copies the buffer, or while sizing draws a stretched preview, into dc at the area origin.
    void Paint(HDC dc, int areaWidth, int areaHeight, bool sizing);
    void RepaintAndUpdate();
    bool HasFitBitmap() const { return m_preRender && m_preRender->GetBitmap(false); }
    CPreRender* PreRender() const { return m_preRender.get(); }
    const CZoomModel& Model() const { return m_model; }

private:
    void AfterZoom(bool changed);
    void ReportRatio(float ratio) const;

    HWND m_view;
    std::shared_ptr<CWICImageLoader> m_loader;
    CZoomModel m_model;
    std::unique_ptr<view_render::CBufferedView> m_buffer;
    std::unique_ptr<CPreRender> m_preRender;
};
