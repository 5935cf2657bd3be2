#include "pre_render_key_frame.h"

#include <objidl.h>
#include <gdiplus.h>

#include "app_config.h"
#include "auto_init.h"
#include "browse_instances.h"
#include "image_type.h"
#include "shell_thumbnail.h"
#include "system_cache.h"
#include "current_picture.h"
#include "key_frame_choice.h"
#include "stretch_bitmap.h"
#include "view_render.h"
#include "wic_image_loader.h"
#include "wic_ops.h"

using Microsoft::WRL::ComPtr;

// Makes the fit bitmap off the user-interface thread.
class CAsyncCreateFitView : public CAsyncTask {
public:
    CAsyncCreateFitView(std::shared_ptr<CWICImageLoader> loader, std::wstring path, HWND notify,
                        int w, int h, bool secondPass, bool previewRecorded)
        : m_loader(std::move(loader)), m_path(std::move(path)), m_notify(notify), m_width(w),
          m_height(h), m_secondPass(secondPass), m_previewRecorded(previewRecorded) {
        m_transform = OrientationTransform(m_loader->Orientation());
        if (CAppConfig::Instance()->ignoreEmbeddedIcc) m_context = m_loader->ColorContext();
    }
    ~CAsyncCreateFitView() override {
        if (m_result) ::DeleteObject(m_result);
    }
    void Run() override {
        if (!KeepRunning()) return;
        const int type = GetImageType(m_path);
        const int longest = m_width > m_height ? m_width : m_height;
        if (!m_previewRecorded && type >= 1 && type <= 5) {
            FCAutoInitializeCOM com;
            // First pass: the shell's stored thumbnail, refined later when the fit is large.
            if (!m_secondPass && FromShell(CShellThumbnail::StandardSize(),
                                           CShellThumbnail::kModeWarmUp, false)) {
                m_needsRefinement = longest > (IsSystemWindows10OrLater() ? 1280 : 1080);
                return;
            }
            if (FromShell(UINT(longest), CShellThumbnail::kModeExactSize, true)) return;
        }
        if (KeepRunning()) m_loader->RenderToBitmap(m_width, m_height, &m_result);
    }
    bool NeedsRefinement() const { return m_needsRefinement; }
    void OnFinished() override {
        if (::IsWindow(m_notify))
            ::SendMessageW(m_notify, kMsgFitBitmapReady, reinterpret_cast<WPARAM>(this), 0);
    }
    HBITMAP TakeResult() {
        HBITMAP r = m_result;
        m_result = nullptr;
        return r;
    }

private:
    bool FromShell(UINT size, int mode, bool rejectLowQuality) {
        CShellThumbnail thumbnail;
        if (!thumbnail.Fetch(m_path, size, mode)) return false;
        if (rejectLowQuality && thumbnail.Quality() == 1) return false;
        return RenderThumbnail(thumbnail.Bitmap(), thumbnail.AlphaType(), m_width, m_height,
                               &m_result, m_transform, m_context.Get());
    }

    std::shared_ptr<CWICImageLoader> m_loader;
    std::wstring m_path;
    HWND m_notify;
    int m_width, m_height;
    bool m_secondPass, m_previewRecorded;
    bool m_needsRefinement = false;
    int m_transform = 0;
    ComPtr<IWICColorContext> m_context;
    HBITMAP m_result = nullptr;
};

// Makes the key frames: 2x and 4x the fit ratio while below 1, then full size.
class CAsyncCreateZoomContext : public CAsyncTask {
public:
    CAsyncCreateZoomContext(std::shared_ptr<CWICImageLoader> loader, HWND notify, HWND queue,
                            float fit, ID2D1RenderTarget* target)
        : m_loader(std::move(loader)), m_notify(notify), m_queue(queue), m_fit(fit),
          m_target(target) {
        m_loader->GetOrientedSize(m_pictureWidth, m_pictureHeight);
    }

    void Run() override {
        ComPtr<IWICBitmap> source =
            m_loader->GetOrientedBitmap(!CAppConfig::Instance()->ignoreEmbeddedIcc);
        if (!source || !m_target || !::IsWindow(m_notify)) return;
        const float r2 = 2.0f * m_fit;
        if (r2 < 1.0f) {
            m_double = MakeFrame(source.Get(), r2);
            Deliver();
            if (!::IsWindow(m_notify) || !KeepRunning()) return;
        }
        if (m_double) {
            const float r4 = 4.0f * m_fit;
            if (r4 < 1.0f) {
                m_quadruple = MakeFrame(source.Get(), r4);
                Deliver();
                if (!::IsWindow(m_notify) || !KeepRunning()) return;
            }
        }
        auto full = std::make_shared<CZoomKeyFrame>();
        full->m_ratio = 1.0f;
        full->m_bitmap = MakeD2DBitmap(m_target.Get(), source.Get());
        if (!full->m_bitmap) MakeFallback(source.Get(), *full);
        if (full->m_bitmap || full->m_fallback) m_full = full;
    }

    void OnFinished() override {
        if (::IsWindow(m_notify))
            ::SendMessageW(m_notify, kMsgKeyFramesReady, reinterpret_cast<WPARAM>(this), 0);
    }

    std::shared_ptr<CZoomKeyFrame> m_double, m_quadruple, m_full;

private:
    std::shared_ptr<CZoomKeyFrame> MakeFrame(IWICBitmapSource* source, float r) {
        const float fw = r * float(m_pictureWidth), fh = r * float(m_pictureHeight);
        const UINT w = fw < 1.0f ? 1 : UINT(fw), h = fh < 1.0f ? 1 : UINT(fh);
        ComPtr<IWICBitmapSource> scaled = ScaleTo(source, w, h, WICBitmapInterpolationModeFant);
        auto frame = std::make_shared<CZoomKeyFrame>();
        frame->m_ratio = r;
        frame->m_bitmap = MakeD2DBitmap(m_target.Get(), scaled.Get());
        return frame->m_bitmap ? frame : nullptr;
    }

    static void MakeFallback(IWICBitmapSource* source, CZoomKeyFrame& frame) {
        UINT w = 0, h = 0;
        if (FAILED(source->GetSize(&w, &h)) || !DecodedSizeFits(w, h)) return;
        auto bitmap = std::make_unique<Gdiplus::Bitmap>(int(w), int(h), PixelFormat32bppARGB);
        Gdiplus::BitmapData data;
        Gdiplus::Rect rect(0, 0, int(w), int(h));
        if (bitmap->LockBits(&rect, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) !=
            Gdiplus::Ok)
            return;
        ComPtr<IWICBitmapSource> bgra = ConvertFormat(source, GUID_WICPixelFormat32bppBGRA);
        const bool ok = bgra && SUCCEEDED(bgra->CopyPixels(nullptr, UINT(data.Stride),
                                                            UINT(data.Stride) * h,
                                                            static_cast<BYTE*>(data.Scan0)));
        bitmap->UnlockBits(&data);
        if (ok) frame.m_fallback = std::move(bitmap);
    }

    // Hands the frames made so far to the user-interface thread while this worker waits.
    void Deliver() {
        if (m_queue)
            ForwardThroughQueue(m_queue, m_notify, kMsgKeyFramesReady, reinterpret_cast<WPARAM>(this), 0);
    }

    std::shared_ptr<CWICImageLoader> m_loader;
    HWND m_notify, m_queue;
    float m_fit;
    int m_pictureWidth = 0, m_pictureHeight = 0;
    ComPtr<ID2D1RenderTarget> m_target;
};

CPreRenderKeyFrame::CPreRenderKeyFrame(CViewRender& owner, HWND view,
                                       std::shared_ptr<CWICImageLoader> loader)
    : m_owner(owner), m_fitWidth(owner.Model().Viewport().DisplayedWidth()),
      m_fitHeight(owner.Model().Viewport().DisplayedHeight()), m_view(view),
      m_loader(std::move(loader)) {
    m_fitFrame.m_ratio = owner.Model().Ratio();
    Create();
    StartFit();
}

CPreRenderKeyFrame::~CPreRenderKeyFrame() { DestroyWindow(); }

HBITMAP CPreRenderKeyFrame::GetBitmap(bool finalOnly) {
    if (finalOnly && !m_fitFinal) return nullptr;
    return m_fitFrame.FitBitmap();
}

void CPreRenderKeyFrame::StartFit() {
    if (!m_loader) return;
    int pw = 0, ph = 0;
    m_loader->GetOrientedSize(pw, ph);
    if (static_cast<long long>(pw) * ph <= kImmediatePixels) {
        HBITMAP bitmap = nullptr;
        if (m_loader->RenderToBitmap(m_fitWidth, m_fitHeight, &bitmap)) SetFitBitmap(bitmap);
        FitBecameFinal();
        return;
    }
    if (TakeQuickPreview()) return;
    // A warm-up of this very file is running: its end brings the thumbnail.
    if (GetSystemCache()->NotifyWhenWarmedUp(GetSafeHwnd())) return;
    QueueFitTask(false);
}

bool CPreRenderKeyFrame::TakeQuickPreview() {
    HBITMAP quick = nullptr;
    const bool good = GetSystemCache()->CreateQuickPreview(m_fitWidth, m_fitHeight, &quick);
    SetFitBitmap(quick);
    if (good) FitBecameFinal();
    return good;
}

void CPreRenderKeyFrame::FitBecameFinal() {
    m_fitFinal = true;
    GetSystemCache()->Start();
}

void CPreRenderKeyFrame::QueueFitTask(bool secondPass) {
    CCurrentPicture* picture = CCurrentPicture::Instance();
    picture->GetQueue()->Add(std::make_shared<CAsyncCreateFitView>(
        m_loader, picture->Path(), GetSafeHwnd(), m_fitWidth, m_fitHeight, secondPass,
        picture->HasPreview()));
}

void CPreRenderKeyFrame::SetFitBitmap(HBITMAP bitmap) {
    if (!bitmap) return;
    const bool first = !m_fitFrame.FitBitmap();
    m_fitFrame.SetFitBitmap(bitmap);
    if (first && m_view) ::PostMessageW(m_view, kMsgFirstFitBitmap, 0, 0);
}

void CPreRenderKeyFrame::CreateZoomContext() {
    ID2D1Factory* factory = SharedD2DFactory();
    if (!factory) return;
    D2D1_RENDER_TARGET_PROPERTIES props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED));
    if (!CAppConfig::Instance()->hardwareZoom ||
        FAILED(factory->CreateDCRenderTarget(&props, &m_target))) {
        props.type = D2D1_RENDER_TARGET_TYPE_SOFTWARE;
        m_target.Reset();
        if (FAILED(factory->CreateDCRenderTarget(&props, &m_target))) m_target.Reset();
    }
    if (!m_loader) return;
    int pw = 0, ph = 0;
    m_loader->GetOrientedSize(pw, ph);
    CAsyncTaskQueue* queue = CCurrentPicture::Instance()->GetQueue();
    auto task = std::make_shared<CAsyncCreateZoomContext>(
        m_loader, GetSafeHwnd(), queue->GetSafeHwnd(), m_fitFrame.m_ratio, m_target.Get());
    if (static_cast<long long>(pw) * ph > kImmediatePixels) {
        queue->Add(task);
    } else {
        task->Run();
        TakeFrames(*task);
    }
}

void CPreRenderKeyFrame::TakeFrames(CAsyncCreateZoomContext& task) {
    m_double = task.m_double;
    m_quadruple = task.m_quadruple;
    m_full = task.m_full;
}

void CPreRenderKeyFrame::ResetZoomContext() {
    DestroyWindow();
    Create();
    m_zoomRequested = false;
    m_fitFrame.m_bitmap.Reset();
    m_target.Reset();
    m_double.reset();
    m_quadruple.reset();
    m_full.reset();
}

void CPreRenderKeyFrame::Draw(HDC dc, int l, int t, int r, int b) {
    const float ratio = m_owner.Model().Ratio();
    if (ratio <= m_fitFrame.m_ratio) {
        StretchWholeBitmap(dc, m_fitFrame.FitBitmap(), l, t, r, b);
        return;
    }
    if (!m_zoomRequested) {
        m_zoomRequested = true;
        CreateZoomContext();
    }
    if (!m_target) return;
    const auto kinds = ChooseKeyFrames(ratio, bool(m_double), m_double ? m_double->m_ratio : 0,
                                       bool(m_quadruple), m_quadruple ? m_quadruple->m_ratio : 0);
    std::vector<CZoomKeyFrame*> candidates;
    for (KeyFrameKind k : kinds) {
        CZoomKeyFrame* f = k == KeyFrameKind::Full        ? m_full.get()
                           : k == KeyFrameKind::Quadruple ? m_quadruple.get()
                           : k == KeyFrameKind::Double    ? m_double.get()
                                                          : &m_fitFrame;
        if (f) candidates.push_back(f);
    }
    if (!candidates.empty() && candidates.front() == m_full.get() && !m_full->m_bitmap &&
        m_full->m_fallback) {
        Gdiplus::Graphics g(dc);
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g.DrawImage(m_full->m_fallback.get(), l, t, r - l, b - t);
        return;
    }
    BITMAP bm = {};
    ::GetObjectW(::GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm);
    // Bound to the visible part of the picture only: the target owns every pixel it is bound
    // to, so the background around the picture stays as the buffer painted it.
    const RECT surface = {0, 0, bm.bmWidth, bm.bmHeight};
    const RECT picture = {l, t, r, b};
    RECT bound;
    if (!::IntersectRect(&bound, &surface, &picture)) return;
    if (FAILED(m_target->BindDC(dc, &bound))) return;
    m_target->BeginDraw();
    m_target->SetTransform(D2D1::Matrix3x2F::Identity());
    const COLORREF canvas = CAppConfig::Instance()->canvasColor;
    m_target->Clear(D2D1::ColorF(GetRValue(canvas) / 255.0f, GetGValue(canvas) / 255.0f,
                                 GetBValue(canvas) / 255.0f));
    for (CZoomKeyFrame* f : candidates)
        if (f->Draw(m_target.Get(), l - bound.left, t - bound.top, r - bound.left, b - bound.top))
            break;
    if (m_target->EndDraw() == HRESULT(D2DERR_RECREATE_TARGET)) ResetZoomContext();
}

LRESULT CPreRenderKeyFrame::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The task pointers come in messages any process could send: only our queue's running
    // tasks are taken.
    CAsyncTask* task = nullptr;
    if (wParam && CCurrentPicture::Instance()->GetQueue()->IsRunning(reinterpret_cast<void*>(wParam)))
        task = reinterpret_cast<CAsyncTask*>(wParam);
    switch (msg) {
    case kMsgFitBitmapReady:
        if (auto* fit = dynamic_cast<CAsyncCreateFitView*>(task)) {
            SetFitBitmap(fit->TakeResult());
            if (fit->NeedsRefinement())
                QueueFitTask(true);
            else
                FitBecameFinal();
            m_owner.RepaintAndUpdate();
        }
        return 0;
    case kMsgCacheReady:
        if (!TakeQuickPreview()) QueueFitTask(true);
        m_owner.RepaintAndUpdate();
        return 0;
    case kMsgKeyFramesReady:
        if (auto* zoom = dynamic_cast<CAsyncCreateZoomContext*>(task)) {
            TakeFrames(*zoom);
            m_owner.RepaintAndUpdate();
        }
        return 0;
    default:
        return FCMessageWindow::OnMessage(msg, wParam, lParam);
    }
}
