#pragma once
// The picture on screen: its path, its loader and its queue of background work.
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "async_task.h"
#include "wic_image_loader.h"

class IPictureTitleSink;

class CCurrentPicture {
public:
    static CCurrentPicture* Instance();
    static void DestroyInstance();

    CCurrentPicture();
    ~CCurrentPicture();

    void SetTitleSink(IPictureTitleSink* sink) { m_titleSink = sink; }
    void Open(const std::wstring& path);
    void Close();
    void RecordPreview(HBITMAP bitmap);
    CAsyncTaskQueue* GetQueue();

    const std::wstring& Path() const { return m_path; }
    std::shared_ptr<CWICImageLoader> Loader() const { return m_loader; }
    bool HasPreview() const { return m_previewRecorded; }
    IWICBitmap* Preview() const { return m_preview.Get(); }

private:
    std::wstring m_path;
    std::shared_ptr<CWICImageLoader> m_loader;
    std::unique_ptr<CAsyncTaskQueue> m_queue;
    bool m_previewRecorded = false;
    Microsoft::WRL::ComPtr<IWICBitmap> m_preview;
    IPictureTitleSink* m_titleSink = nullptr;
};

// The copy command: the oriented picture and its file onto the clipboard.
void CopyPictureToClipboard(CCurrentPicture& picture);
