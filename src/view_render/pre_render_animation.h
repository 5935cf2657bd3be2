#pragma once
// Frames of an animated picture, loaded in the background and cycled by a timer.
#include <windows.h>

#include <deque>
#include <memory>

#include "message_window.h"
#include "obj_image.h"
#include "pre_render.h"

class CViewRender;

constexpr UINT kMsgAnimationLoaded = 0x81FB;

struct AnimationFrame {
    std::shared_ptr<FCObjImage> picture;
    int delay = 0;  // milliseconds
};

// The delay of a frame from its stored value in hundredths of a second (0 means 100 ms).
inline int FrameDelayMs(unsigned long hundredths) {
    return hundredths == 0 ? 100 : int(hundredths > 100000 ? 1000000 : hundredths * 10);
}
// The first period of the frame timer: short delays run at 10 ms.
inline int FirstTimerPeriod(int delay) { return delay <= 30 ? 10 : delay; }

class CPreRenderAnimation : public CPreRender, public FCMessageWindow {
public:
    CPreRenderAnimation(CViewRender& owner, const std::wstring& path,
                        const class CWICImageLoader& loader);
    ~CPreRenderAnimation() override;

    HBITMAP GetBitmap(bool finalOnly) override;
    void Draw(HDC dc, int left, int top, int right, int bottom) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    size_t FrameCount() const { return m_frames.size(); }

private:
    void NextFrame();

    CViewRender& m_owner;
    std::deque<AnimationFrame> m_frames;
};
