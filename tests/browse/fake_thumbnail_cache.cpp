#include "fake_thumbnail_cache.h"

#include <algorithm>

#include "shell_thumbnail.h"

namespace {

std::mutex g_lock;
FakeCacheBehaviour g_behaviour;
std::vector<ThumbnailRequest> g_requests;

// A grey top-down 32-bit bitmap.
HBITMAP MakeBitmap(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) std::fill_n(static_cast<DWORD*>(bits), size_t(width) * height, 0xFF808080u);
    return bitmap;
}

// Reference counting and QueryInterface of a one-interface test object.
template <class Interface>
class FakeComObject : public Interface {
public:
    virtual ~FakeComObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(Interface)) {
            *out = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&m_refs);
        if (left == 0) delete this;
        return ULONG(left);
    }

private:
    LONG m_refs = 1;
};

class FakeSharedBitmap : public FakeComObject<ISharedBitmap> {
public:
    FakeSharedBitmap(int width, int height)
        : m_bitmap(MakeBitmap(width, height)), m_size{width, height} {}
    ~FakeSharedBitmap() override { ::DeleteObject(m_bitmap); }

    HRESULT STDMETHODCALLTYPE GetSharedBitmap(HBITMAP* bitmap) override {
        *bitmap = m_bitmap;
        return m_bitmap ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE GetSize(SIZE* size) override {
        *size = m_size;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFormat(WTS_ALPHATYPE* type) override {
        *type = WTSAT_RGB;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InitializeBitmap(HBITMAP, WTS_ALPHATYPE) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Detach(HBITMAP*) override { return E_NOTIMPL; }

private:
    HBITMAP m_bitmap;
    SIZE m_size;
};

class FakeCache : public FakeComObject<IThumbnailCache> {
public:
    HRESULT STDMETHODCALLTYPE GetThumbnail(IShellItem* item, UINT size, WTS_FLAGS flags,
                                           ISharedBitmap** out, WTS_CACHEFLAGS* cacheFlags,
                                           WTS_THUMBNAILID*) override {
        if (!item || !out) return E_INVALIDARG;
        *out = nullptr;
        if (cacheFlags) *cacheFlags = WTS_DEFAULT;
        std::lock_guard<std::mutex> lock(g_lock);
        g_requests.push_back({size, int(flags)});
        bool answer;
        if (flags & WTS_INCACHEONLY)
            answer = g_behaviour.cached;
        else if (flags & WTS_FASTEXTRACT)
            answer = g_behaviour.fastExtract;
        else
            answer = g_behaviour.extract;
        if (!answer) return WTS_E_FAILEDEXTRACTION;
        const int side = g_behaviour.placeholder ? g_behaviour.placeholder : int(size);
        *out = new FakeSharedBitmap(side, side * 3 / 4 > 0 ? side * 3 / 4 : 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetThumbnailByID(WTS_THUMBNAILID, UINT, ISharedBitmap**,
                                               WTS_CACHEFLAGS*) override {
        return E_NOTIMPL;
    }
};

HRESULT CreateFakeCache(IThumbnailCache** cache) {
    *cache = new FakeCache();
    return S_OK;
}

}  // namespace

FakeThumbnailCache::FakeThumbnailCache(const FakeCacheBehaviour& behaviour) {
    {
        std::lock_guard<std::mutex> lock(g_lock);
        g_behaviour = behaviour;
        g_requests.clear();
    }
    CShellThumbnail::SetCacheFactory(&CreateFakeCache);
}

FakeThumbnailCache::~FakeThumbnailCache() { CShellThumbnail::SetCacheFactory(nullptr); }

std::vector<ThumbnailRequest> FakeThumbnailCache::Requests() const {
    std::lock_guard<std::mutex> lock(g_lock);
    return g_requests;
}
