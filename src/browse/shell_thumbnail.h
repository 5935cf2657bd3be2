#pragma once
// One request to the shell's thumbnail cache for a picture's thumbnail.
#include <windows.h>
#include <shobjidl.h>
#include <thumbcache.h>
#include <wrl/client.h>

#include <string>

class CShellThumbnail {
public:
    enum Mode {
        kModePreview = 0,    // from the cache only, a small fast extraction as the last resort
        kModeExactSize = 1,  // the requested size, extracting when needed
        kModeWarmUp = 2,     // makes the shell extract and store the standard size
    };
    // Makes the cache object; replaceable so that the requests can be observed.
    using CacheFactory = HRESULT (*)(IThumbnailCache** cache);

    CShellThumbnail() = default;
    CShellThumbnail(const CShellThumbnail&) = delete;
    CShellThumbnail& operator=(const CShellThumbnail&) = delete;

    // True when a bitmap came back. Needs COM on the calling thread.
    bool Fetch(const std::wstring& path, UINT requestedSize, int mode);

    // Owned by this object; valid while it lives.
    HBITMAP Bitmap() const;
    // WTS_ALPHATYPE of the bitmap (0 unknown, 1 no alpha, 2 alpha).
    int AlphaType() const;
    // 1 when the bitmap is only the small fast-extracted fallback.
    int Quality() const { return m_quality; }

    // The size the shell keeps large thumbnails at on this system.
    static UINT StandardSize();
    // Null restores the system's cache.
    static void SetCacheFactory(CacheFactory factory);

private:
    bool Ask(UINT size, WTS_FLAGS flags);

    // Released in reverse: bitmap, item, cache.
    Microsoft::WRL::ComPtr<IThumbnailCache> m_cache;
    Microsoft::WRL::ComPtr<IShellItem> m_item;
    Microsoft::WRL::ComPtr<ISharedBitmap> m_bitmap;
    int m_quality = 0;
};
