#include "view_render.h"

#include "app_config.h"
#include "current_picture.h"
#include "my_log.h"
#include "pre_render_animation.h"
#include "pre_render_key_frame.h"
#include "stretch_bitmap.h"
#include "ui_event.h"
#include "wic_image_loader.h"
#include "window_title.h"

namespace {
int PictureWidth(const std::shared_ptr<CWICImageLoader>& loader) {
    int w = 1, h = 1;
    if (loader) loader->GetOrientedSize(w, h);
    return w;
}
int PictureHeight(const std::shared_ptr<CWICImageLoader>& loader) {
    int w = 1, h = 1;
    if (loader) loader->GetOrientedSize(w, h);
    return h;
}
}  // namespace

CViewRender::CViewRender(HWND view, std::shared_ptr<CWICImageLoader> loader)
    : m_view(view), m_loader(std::move(loader)),
      m_model(PictureWidth(m_loader), PictureHeight(m_loader)) {}

CViewRender::~CViewRender() {
    m_preRender.reset();
    m_buffer.reset();
}

void CViewRender::ReportRatio(float ratio) const {
    CWindowTitle::Instance()->SetZoom(ratio);
}

void CViewRender::ResetToFit(int w, int h) {
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    if (m_buffer && m_buffer->Width() == w && m_buffer->Height() == h) {
        ReportRatio(m_model.Ratio());
        return;
    }
    CCurrentPicture::Instance()->GetQueue()->CancelPending();
    m_buffer = std::make_unique<view_render::CBufferedView>(w, h);
    PLOG_INFO << L"actualsize.cx:" << m_model.PictureWidth() << L" actualsize.cy"
              << m_model.PictureHeight();
    const CAppConfig* config = CAppConfig::Instance();
    m_model.ResetToFit(w, h, config->doubleClickAction != 0);
    PLOG_INFO << L"init_ratio:" << m_model.FitRatio();
    PLOG_INFO << L"view_size.cx:" << w << L" view_size.cy:" << h;
    PLOG_INFO << L"zoomed_size.cx:" << m_model.Viewport().DisplayedWidth()
              << L" zoomed_size.cy:" << m_model.Viewport().DisplayedHeight();
    m_preRender.reset();
    if (m_loader && m_loader->IsAnimated())
        m_preRender = std::make_unique<CPreRenderAnimation>(
            *this, CCurrentPicture::Instance()->Path(), *m_loader);
    else
        m_preRender = std::make_unique<CPreRenderKeyFrame>(*this, m_view, m_loader);
    Repaint();
    ReportRatio(m_model.Ratio());
}

void CViewRender::AfterZoom(bool changed) {
    if (!changed) return;
    Repaint();
    ReportRatio(m_model.Ratio());
    BroadcastUIEvent(CUIEventViewZoomChanged(m_model.Ratio(), m_model.FitRatio()));
}

void CViewRender::ZoomTo(float ratio, int ax, int ay) { AfterZoom(m_model.ZoomTo(ratio, ax, ay)); }

void CViewRender::ZoomStep(int steps, int ax, int ay) {
    AfterZoom(m_model.ZoomStep(steps, ax, ay, CAppConfig::Instance()->maxZoomRatio));
}

void CViewRender::ToggleAlternate(int ax, int ay) { AfterZoom(m_model.ToggleAlternate(ax, ay)); }

void CViewRender::ToggleActual() { AfterZoom(m_model.ToggleActual()); }

void CViewRender::Pan(int dx, int dy) {
    if (!m_buffer) return;
    const ViewRect before = m_model.Viewport().Scroll();
    if (!m_model.Pan(dx, dy)) return;
    const ViewRect after = m_model.Viewport().Scroll();
    m_buffer->BeginShift(before.left - after.left, before.top - after.top);
    Repaint();
    m_buffer->EndShift();
}

void CViewRender::Repaint() {
    if (!m_buffer || !m_buffer->IsValid()) return;
    HDC dc = m_buffer->GetDC();
    RECT all = {0, 0, m_buffer->Width(), m_buffer->Height()};
    ::FillRect(dc, &all, CAppConfig::Instance()->BackgroundBrush());
    if (!m_preRender || !m_model.HasViewport()) return;
    const ViewRect p = m_model.Viewport().Placement();
    m_preRender->Draw(dc, p.left, p.top, p.right, p.bottom);
}

void CViewRender::RepaintAndUpdate() {
    Repaint();
    if (m_view) {
        ::InvalidateRect(m_view, nullptr, FALSE);
        ::UpdateWindow(m_view);
    }
}

void CViewRender::Paint(HDC dc, int w, int h, bool sizing) {
    if (!m_buffer) return;
    if (!sizing) {
        ::BitBlt(dc, 0, 0, m_buffer->Width(), m_buffer->Height(), m_buffer->GetDC(), 0, 0, SRCCOPY);
        return;
    }
    // Live resize: stretch the fit bitmap made for the old size into the new area.
    CZoomModel preview(m_model.PictureWidth(), m_model.PictureHeight());
    preview.ResetToFit(w, h, false);
    const ViewRect p = preview.Viewport().Placement();
    StretchWholeBitmap(dc, m_preRender ? m_preRender->GetBitmap(false) : nullptr, p.left, p.top,
                       p.right, p.bottom);
    ReportRatio(preview.Ratio());
}
