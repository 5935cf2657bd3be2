// Puts a buffer (and the picture's file, when it exists) on the clipboard.
#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "image_effect.h"

namespace {
struct GlobalBlock {
    HGLOBAL handle = nullptr;
    ~GlobalBlock() {
        if (handle) ::GlobalFree(handle);
    }
    HGLOBAL Release() {
        HGLOBAL h = handle;
        handle = nullptr;
        return h;
    }
};

struct ClipboardSession {
    bool open = false;
    ClipboardSession() : open(::OpenClipboard(nullptr) != FALSE) {}
    ~ClipboardSession() {
        if (open) ::CloseClipboard();
    }
};

void ShowCopyError() {
    wchar_t caption[64];
    std::swprintf(caption, 64, L"错误码 : %d", int(::GetLastError()));
    ::MessageBoxW(nullptr, L"图片过大, 放入剪切板失败。请重试！", caption, MB_ICONERROR);
}

// Sets a block on the clipboard; the clipboard owns it only on success.
void SetBlock(UINT format, GlobalBlock& block) {
    if (::SetClipboardData(format, block.handle)) block.Release();
}
}  // namespace

void FCEffectCopyToClipboard::ProcessWhole(FCObjImage& img, FCProgressObserver*) {
    const size_t pixelBytes = size_t(img.Stride()) * img.Height();
    GlobalBlock dib;
    dib.handle = ::GlobalAlloc(GMEM_MOVEABLE, pixelBytes + 40);
    void* mem = dib.handle ? ::GlobalLock(dib.handle) : nullptr;
    if (!mem) {
        ShowCopyError();
        return;
    }
    BITMAPINFOHEADER bih = {};
    bih.biSize = 40;
    bih.biWidth = img.Width();
    bih.biHeight = img.SignedHeight();
    bih.biPlanes = 1;
    bih.biBitCount = WORD(img.ColorBits());
    std::memcpy(mem, &bih, 40);
    std::memcpy(static_cast<uint8_t*>(mem) + 40, img.GetMemStart(), pixelBytes);
    ::GlobalUnlock(dib.handle);

    ClipboardSession clip;
    if (!clip.open) return;
    ::EmptyClipboard();
    SetBlock(CF_DIB, dib);

    const DWORD attr = m_path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(m_path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) return;
    GlobalBlock drop;
    const size_t dropBytes = sizeof(DROPFILES) + 2 * m_path.size() + 4;
    drop.handle = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, dropBytes);
    if (uint8_t* p = drop.handle ? static_cast<uint8_t*>(::GlobalLock(drop.handle)) : nullptr) {
        DROPFILES* df = reinterpret_cast<DROPFILES*>(p);
        df->pFiles = sizeof(DROPFILES);
        df->fWide = TRUE;
        std::memcpy(p + sizeof(DROPFILES), m_path.c_str(), 2 * m_path.size());
        ::GlobalUnlock(drop.handle);
        SetBlock(CF_HDROP, drop);
    }
    GlobalBlock effect;
    effect.handle = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    if (DWORD* p = effect.handle ? static_cast<DWORD*>(::GlobalLock(effect.handle)) : nullptr) {
        *p = DROPEFFECT_COPY;
        ::GlobalUnlock(effect.handle);
        SetBlock(::RegisterClipboardFormatW(L"Preferred DropEffect"), effect);
    }
}
