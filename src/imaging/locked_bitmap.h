#pragma once
// A whole-bitmap lock of an imaging-component bitmap, released on scope exit.
#include <wincodec.h>
#include <wrl/client.h>

#include "obj_image.h"

class CLockedBitmap {
public:
    CLockedBitmap(IWICBitmap* bitmap, DWORD flags) {
        UINT w = 0, h = 0;
        if (!bitmap || FAILED(bitmap->GetSize(&w, &h))) return;
        WICRect rc = {0, 0, INT(w), INT(h)};
        if (FAILED(bitmap->Lock(&rc, flags, &m_lock))) return;
        m_width = w;
        m_height = h;
        if (FAILED(m_lock->GetStride(&m_stride)) ||
            FAILED(m_lock->GetDataPointer(&m_size, &m_data)))
            m_data = nullptr;
    }
    // Attaches the pixels when the lock is exactly width x 4 by height bytes; the buffer must
    // be detached before the lock ends.
    bool AttachTo(FCObjImage& img) const {
        if (!m_data || m_width == 0 || uint64_t(m_stride) != uint64_t(m_width) * 4 ||
            uint64_t(m_size) != uint64_t(m_stride) * m_height || m_height > 0x7FFFFFFF)
            return false;
        return img.AttachPixels(int(m_width), -int(m_height), m_data);
    }

private:
    Microsoft::WRL::ComPtr<IWICBitmapLock> m_lock;
    UINT m_width = 0, m_height = 0, m_stride = 0, m_size = 0;
    BYTE* m_data = nullptr;
};
