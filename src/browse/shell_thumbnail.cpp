#include "shell_thumbnail.h"

#include <shlobj.h>

#include <atomic>

#include "wic_ops.h"

using Microsoft::WRL::ComPtr;

namespace {

std::atomic<CShellThumbnail::CacheFactory> g_cacheFactory{nullptr};

// The shell's local thumbnail cache (not in every SDK's import libraries).
const CLSID kLocalThumbnailCache = {
    0x50ef4544, 0xac9f, 0x4a8e, {0xb2, 0x1b, 0x8a, 0x26, 0x18, 0x0d, 0xb1, 0x3f}};

HRESULT CreateSystemCache(IThumbnailCache** cache) {
    return ::CoCreateInstance(kLocalThumbnailCache, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(cache));
}

const UINT kFastExtractSize = 256;

}  // namespace

void CShellThumbnail::SetCacheFactory(CacheFactory factory) { g_cacheFactory.store(factory); }

UINT CShellThumbnail::StandardSize() { return IsSystemWindows10OrLater() ? 1280 : 1024; }

bool CShellThumbnail::Fetch(const std::wstring& path, UINT requestedSize, int mode) {
    m_bitmap.Reset();
    m_item.Reset();
    m_cache.Reset();
    m_quality = 0;
    const CacheFactory factory = g_cacheFactory.load();
    if (FAILED((factory ? factory : &CreateSystemCache)(m_cache.ReleaseAndGetAddressOf())) ||
        !m_cache)
        return false;
    if (path.empty() ||
        FAILED(::SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(&m_item))) ||
        !m_item)
        return false;
    const UINT standard = StandardSize();
    switch (mode) {
        case kModePreview:
            if (requestedSize > standard)
                Ask(requestedSize, WTS_FLAGS(WTS_INCACHEONLY | WTS_SCALETOREQUESTEDSIZE));
            else
                Ask(standard, WTS_INCACHEONLY);
            if (!m_bitmap && Ask(kFastExtractSize, WTS_FASTEXTRACT)) m_quality = 1;
            break;
        case kModeExactSize:
            if (requestedSize > 0) Ask(requestedSize, WTS_SCALETOREQUESTEDSIZE);
            break;
        case kModeWarmUp:
            Ask(standard, WTS_EXTRACT);
            break;
        default:
            break;
    }
    return m_bitmap != nullptr;
}

bool CShellThumbnail::Ask(UINT size, WTS_FLAGS flags) {
    ComPtr<ISharedBitmap> bitmap;
    WTS_CACHEFLAGS cacheFlags = WTS_DEFAULT;
    WTS_THUMBNAILID id = {};
    if (FAILED(m_cache->GetThumbnail(m_item.Get(), size, flags, &bitmap, &cacheFlags, &id)) ||
        !bitmap)
        return false;
    // A bitmap of a pixel or so is a placeholder some systems hand out, not a thumbnail.
    SIZE extent = {};
    if (FAILED(bitmap->GetSize(&extent)) || extent.cx < 2 || extent.cy < 2) return false;
    m_bitmap = bitmap;
    return true;
}

HBITMAP CShellThumbnail::Bitmap() const {
    HBITMAP bitmap = nullptr;
    if (m_bitmap && FAILED(m_bitmap->GetSharedBitmap(&bitmap))) return nullptr;
    return bitmap;
}

int CShellThumbnail::AlphaType() const {
    WTS_ALPHATYPE type = WTSAT_UNKNOWN;
    if (m_bitmap && FAILED(m_bitmap->GetFormat(&type))) return WTSAT_UNKNOWN;
    return int(type);
}
