#include "pre_render_animation.h"

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "app_config.h"
#include "async_task.h"
#include "browse_instances.h"
#include "system_cache.h"
#include "current_picture.h"
#include "stretch_bitmap.h"
#include "view_render.h"
#include "wic_image_loader.h"
#include "wic_ops.h"

namespace {
constexpr UINT_PTR kFrameTimer = 100;
// Decoded frames beyond this are not kept: such an animation stays on its first frame.
constexpr unsigned long long kMaxAnimationBytes = 512ull * 1024 * 1024;
}  // namespace

// Decodes every frame with GDI+, composited over the canvas colour.
class CAsyncLoadAnimation : public CAsyncTask {
public:
    CAsyncLoadAnimation(HWND notify, std::wstring path) : m_notify(notify), m_path(std::move(path)) {}

    void Run() override {
        Gdiplus::Bitmap gif(m_path.c_str());
        if (gif.GetLastStatus() != Gdiplus::Ok) return;
        GUID dimension = Gdiplus::FrameDimensionTime;
        const UINT count = gif.GetFrameCount(&dimension);
        if (count < 2) return;
        const UINT size = gif.GetPropertyItemSize(PropertyTagFrameDelay);
        if (size < sizeof(Gdiplus::PropertyItem)) return;
        std::vector<BYTE> buffer(size);
        auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
        if (gif.GetPropertyItem(PropertyTagFrameDelay, size, item) != Gdiplus::Ok || !item->value)
            return;
        if (item->length / 4 != count) return;
        const auto* delays = static_cast<const unsigned long*>(item->value);
        const unsigned long long frameBytes = 3ull * gif.GetWidth() * gif.GetHeight() + 64;
        if (frameBytes * count > kMaxAnimationBytes) return;
        const HBRUSH background = CAppConfig::Instance()->BackgroundBrush();
        std::deque<AnimationFrame> frames;
        for (UINT i = 0; i < count; ++i) {
            if (!::IsWindow(m_notify) || !KeepRunning()) return;
            if (gif.SelectActiveFrame(&dimension, i) != Gdiplus::Ok) return;
            auto picture = std::make_shared<FCObjImage>();
            const int w = int(gif.GetWidth()), h = int(gif.GetHeight());
            if (!picture->Create(w, h, 24)) return;
            HDC mem = ::CreateCompatibleDC(nullptr);
            HGDIOBJ old = ::SelectObject(mem, picture->GetHandle());
            RECT all = {0, 0, w, h};
            ::FillRect(mem, &all, background);
            {
                Gdiplus::Graphics g(mem);
                g.DrawImage(&gif, 0, 0, w, h);
            }
            ::SelectObject(mem, old);
            ::DeleteDC(mem);
            frames.push_back({picture, FrameDelayMs(delays[i])});
        }
        m_frames.swap(frames);
    }

    void OnFinished() override {
        if (::IsWindow(m_notify))
            ::SendMessageW(m_notify, kMsgAnimationLoaded, reinterpret_cast<WPARAM>(this), 0);
    }

    std::deque<AnimationFrame> m_frames;

private:
    HWND m_notify;
    std::wstring m_path;
};

CPreRenderAnimation::CPreRenderAnimation(CViewRender& owner, const std::wstring& path,
                                         const CWICImageLoader& loader)
    : m_owner(owner) {
    Create();
    Microsoft::WRL::ComPtr<IWICBitmap> first = loader.GetOrientedBitmap(false);
    if (first) {
        auto picture = std::make_shared<FCObjImage>();
        if (picture->ReadFromSource(first.Get(), GUID_WICPixelFormat32bppPBGRA))
            m_frames.push_back({picture, 0});
    }
    CCurrentPicture::Instance()->GetQueue()->Add(
        std::make_shared<CAsyncLoadAnimation>(GetSafeHwnd(), path));
    GetSystemCache()->Start();
}

CPreRenderAnimation::~CPreRenderAnimation() { DestroyWindow(); }

HBITMAP CPreRenderAnimation::GetBitmap(bool) {
    return m_frames.empty() ? nullptr : m_frames.front().picture->GetHandle();
}

void CPreRenderAnimation::Draw(HDC dc, int l, int t, int r, int b) {
    if (m_frames.empty()) return;
    const FCObjImage& picture = *m_frames.front().picture;
    if (picture.ColorBits() == 32) {
        picture.Draw(dc, l, t, r, b);
        return;
    }
    StretchWholeBitmap(dc, picture.GetHandle(), l, t, r, b);
}

void CPreRenderAnimation::NextFrame() {
    if (m_frames.empty()) return;
    const int previousDelay = m_frames.front().delay;
    m_frames.push_back(m_frames.front());
    m_frames.pop_front();
    m_owner.RepaintAndUpdate();
    if (m_frames.front().delay != previousDelay)
        ::SetTimer(GetSafeHwnd(), kFrameTimer, UINT(m_frames.front().delay), nullptr);
}

LRESULT CPreRenderAnimation::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    CAsyncLoadAnimation* task = nullptr;
    if (msg == kMsgAnimationLoaded && wParam &&
        CCurrentPicture::Instance()->GetQueue()->IsRunning(reinterpret_cast<void*>(wParam)))
        task = dynamic_cast<CAsyncLoadAnimation*>(reinterpret_cast<CAsyncTask*>(wParam));
    if (task) {
        if (!task->m_frames.empty()) {
            m_frames.swap(task->m_frames);
            ::SetTimer(GetSafeHwnd(), kFrameTimer, UINT(FirstTimerPeriod(m_frames.front().delay)),
                       nullptr);
        }
        return 0;
    }
    if (msg == WM_TIMER && wParam == kFrameTimer) {
        NextFrame();
        return 0;
    }
    return FCMessageWindow::OnMessage(msg, wParam, lParam);
}
