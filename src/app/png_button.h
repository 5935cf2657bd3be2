#pragma once
// Owner-drawn push button whose face is a horizontal strip of state images from a PNG resource.
#include <windows.h>

#include <wrl/client.h>

#include <memory>

#include "wnd.h"

namespace Gdiplus {
class Bitmap;
}

class CPngButton : public CWnd {
public:
    enum State { kNormal = 1, kHover = 2, kPressed = 3, kDisabled = 4 };
    enum Kind { kOrdinary = 16, kLatching = 17 };

    CPngButton();
    ~CPngButton() override;

    // Takes over the dialog's button: owner drawn, clipping its siblings.
    bool Attach(UINT id, HWND parent);
    // Loads the strip; on success the button takes the size of one frame.
    bool Load(UINT resourceId, int frames, int kind = kOrdinary);
    int GetState() const { return m_state; }
    bool HasImage() const { return bool(m_image); }
    // Source rectangle of the frame drawn for a state, or false when nothing is drawn.
    static bool FrameRect(int imageWidth, int frames, int state, int& x, int& width);

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SetState(int state);
    void Draw(const DRAWITEMSTRUCT& dis);

    bool m_tracking = false;
    int m_frames = 1;
    // The decoded image reads from the stream for its whole life, so the stream outlives it.
    Microsoft::WRL::ComPtr<IStream> m_stream;
    std::unique_ptr<Gdiplus::Bitmap> m_image;
    int m_state = kNormal;
    int m_kind = kOrdinary;
    bool m_latched = false;
};
