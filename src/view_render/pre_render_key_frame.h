#pragma once
// Pre-scaled pixels of a still picture: the fit bitmap, then key frames at 2x and 4x the fit
// ratio and at full size once the user zooms in.
#include <windows.h>
#include <d2d1.h>
#include <wrl/client.h>

#include <memory>

#include "async_task.h"
#include "message_window.h"
#include "pre_render.h"
#include "zoom_key_frame.h"

class CWICImageLoader;
class CViewRender;

constexpr UINT kMsgKeyFramesReady = 0x81F5;
constexpr UINT kMsgFirstFitBitmap = 0x81F6;
constexpr UINT kMsgCacheReady = 0x81F8;
constexpr UINT kMsgFitBitmapReady = 0x81FA;

class CPreRenderKeyFrame : public CPreRender, public FCMessageWindow {
public:
    CPreRenderKeyFrame(CViewRender& owner, HWND view, std::shared_ptr<CWICImageLoader> loader);
    ~CPreRenderKeyFrame() override;

    HBITMAP GetBitmap(bool finalOnly) override;
    void Draw(HDC dc, int left, int top, int right, int bottom) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    bool HasDouble() const { return bool(m_double); }
    bool HasQuadruple() const { return bool(m_quadruple); }
    bool HasFull() const { return bool(m_full); }
    bool FitIsFinal() const { return m_fitFinal; }

private:
    void StartFit();
    // The preload cache's preview as the fit bitmap; true when it is good enough to keep.
    bool TakeQuickPreview();
    void FitBecameFinal();
    void QueueFitTask(bool secondPass);
    void SetFitBitmap(HBITMAP bitmap);
    void CreateZoomContext();
    void ResetZoomContext();
    void TakeFrames(class CAsyncCreateZoomContext& task);

    CViewRender& m_owner;
    bool m_zoomRequested = false;
    CFitViewFrame m_fitFrame;
    bool m_fitFinal = false;
    int m_fitWidth, m_fitHeight;
    HWND m_view;
    std::shared_ptr<CWICImageLoader> m_loader;
    Microsoft::WRL::ComPtr<ID2D1DCRenderTarget> m_target;
    std::shared_ptr<CZoomKeyFrame> m_double, m_quadruple, m_full;
};
