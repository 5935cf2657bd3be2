#include "current_picture.h"

#include <shlwapi.h>

#include <iterator>

#include "image_effect.h"
#include "locked_bitmap.h"
#include "picture_title_sink.h"
#include "singleton.h"
#include "wic_factory.h"

CCurrentPicture* CCurrentPicture::Instance() { return CSingletonT<CCurrentPicture>::Instance(); }
void CCurrentPicture::DestroyInstance() { CSingletonT<CCurrentPicture>::DestroyInstance(); }

CCurrentPicture::CCurrentPicture() = default;

CCurrentPicture::~CCurrentPicture() { Close(); }

CAsyncTaskQueue* CCurrentPicture::GetQueue() {
    if (!m_queue) m_queue.reset(new CAsyncTaskQueue());
    return m_queue.get();
}

void CCurrentPicture::Open(const std::wstring& path) {
    GetQueue()->CancelPending();
    m_path = path;
    m_loader.reset();
    m_previewRecorded = false;
    m_preview.Reset();
    const DWORD attr = ::GetFileAttributesW(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        wchar_t full[MAX_PATH * 4];
        const DWORD n = ::GetFullPathNameW(path.c_str(), DWORD(std::size(full)), full, nullptr);
        if (n > 0 && n < std::size(full)) m_path = full;
        m_loader = CWICImageLoader::Create(m_path);
    }
    if (!m_titleSink) return;
    int w = 0, h = 0;
    if (m_loader) m_loader->GetOrientedSize(w, h);
    m_titleSink->SetPicture(m_path, m_loader ? &m_loader->Info().dateTaken : nullptr, w, h);
}

void CCurrentPicture::Close() {
    if (m_queue) m_queue->CancelPending();
    m_previewRecorded = false;
    m_preview.Reset();
    m_loader.reset();
    m_queue.reset();
}

void CCurrentPicture::RecordPreview(HBITMAP bitmap) {
    m_previewRecorded = true;
    IWICImagingFactory* factory = SharedWicFactory();
    if (!bitmap || !factory) return;
    BITMAP bm = {};
    if (!::GetObjectW(bitmap, sizeof(bm), &bm)) return;
    UINT recorded = 0, h = 0;
    if (m_preview && SUCCEEDED(m_preview->GetSize(&recorded, &h)) && UINT(bm.bmWidth) <= recorded)
        return;
    Microsoft::WRL::ComPtr<IWICBitmap> copy;
    if (SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, &copy)))
        m_preview = copy;
}

void CopyPictureToClipboard(CCurrentPicture& picture) {
    std::shared_ptr<CWICImageLoader> loader = picture.Loader();
    if (!loader) return;
    picture.GetQueue()->WaitAll();
    Microsoft::WRL::ComPtr<IWICBitmap> bitmap = loader->GetOrientedBitmap(true);
    if (!bitmap) return;
    CLockedBitmap lock(bitmap.Get(), WICBitmapLockRead | WICBitmapLockWrite);
    FCObjImage img;
    if (!lock.AttachTo(img)) return;
    FCEffectCopyToClipboard effect(picture.Path());
    RunEffect(effect, img, nullptr);
    img.DetachPixels();
}
