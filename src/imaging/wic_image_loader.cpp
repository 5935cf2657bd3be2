#include "wic_image_loader.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include "folders.h"
#include "image_type.h"
#include "imaging_options.h"
#include "wic_factory.h"
#include "wic_metadata.h"
#include "wic_ops.h"
#include "win_handle.h"

using Microsoft::WRL::ComPtr;

CWICImageLoader::CWICImageLoader() : m_info(new CPictureInfo()) {}

CWICImageLoader::~CWICImageLoader() {
    m_colorContext.Reset();
    m_info.reset();
    m_source.Reset();
    m_decoder.Reset();
}

std::shared_ptr<CWICImageLoader> CWICImageLoader::FromSource(IWICBitmapSource* source,
                                                            IWICColorContext* context) {
    if (!source) return nullptr;
    std::shared_ptr<CWICImageLoader> loader(new CWICImageLoader());
    loader->m_source = source;
    loader->m_colorContext = context;
    return loader;
}

namespace {
// Files up to this size are read into memory, so that the picture on screen does not keep its
// file open: the user may rename or delete it meanwhile.
const LONGLONG kMaxInMemoryFile = 256LL * 1024 * 1024;

ComPtr<IStream> OpenPictureStream(const std::wstring& path) {
    ComPtr<IStream> stream;
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return nullptr;
    if (size.QuadPart > kMaxInMemoryFile) {
        file.reset();
        ::SHCreateStreamOnFileEx(path.c_str(), STGM_READ | STGM_SHARE_DENY_NONE,
                                 FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, &stream);
        return stream;
    }
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, SIZE_T(size.QuadPart));
    if (!memory) return nullptr;
    bool ok = false;
    if (BYTE* p = static_cast<BYTE*>(::GlobalLock(memory))) {
        DWORD got = 0;
        ok = ::ReadFile(file.get(), p, DWORD(size.QuadPart), &got, nullptr) &&
             got == DWORD(size.QuadPart);
        ::GlobalUnlock(memory);
    }
    // The stream owns the memory from here on.
    if (!ok || FAILED(::CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        ::GlobalFree(memory);
        return nullptr;
    }
    ULARGE_INTEGER length;
    length.QuadPart = ULONGLONG(size.QuadPart);
    stream->SetSize(length);
    return stream;
}
}  // namespace

std::shared_ptr<CWICImageLoader> CWICImageLoader::FromImagingComponent(const std::wstring& path,
                                                                      bool& refused) {
    IWICImagingFactory* factory = SharedWicFactory();
    if (!factory) return nullptr;
    ComPtr<IWICBitmapDecoder> decoder;
    {
        ComPtr<IStream> stream = OpenPictureStream(path);
        if (!stream || FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                               WICDecodeMetadataCacheOnDemand,
                                                               &decoder)))
            return nullptr;
    }
    GUID container = {};
    decoder->GetContainerFormat(&container);
    UINT index = 0;
    if (IsEqualGUID(container, GUID_ContainerFormatIco)) {
        UINT count = 0, best = 0;
        decoder->GetFrameCount(&count);
        for (UINT i = 0; i < count && i < 4096; ++i) {
            ComPtr<IWICBitmapFrameDecode> f;
            UINT w = 0, h = 0;
            if (FAILED(decoder->GetFrame(i, &f)) || FAILED(f->GetSize(&w, &h))) continue;
            if (w > best) {
                best = w;
                index = i;
            }
        }
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(index, &frame))) return nullptr;
    UINT w = 0, h = 0;
    if (FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0) return nullptr;
    if (!DecodedSizeFits(w, h)) {
        refused = true;
        return nullptr;
    }
    std::shared_ptr<CWICImageLoader> loader(new CWICImageLoader());
    loader->m_origin = Origin::ImagingComponent;
    UINT contexts = 0;
    if (SUCCEEDED(frame->GetColorContexts(0, nullptr, &contexts)) && contexts >= 1) {
        ComPtr<IWICColorContext> context;
        UINT got = 0;
        if (SUCCEEDED(factory->CreateColorContext(&context))) {
            IWICColorContext* list[1] = {context.Get()};
            if (SUCCEEDED(frame->GetColorContexts(1, list, &got))) loader->m_colorContext = context;
        }
    }
    loader->m_source = frame;
    ReadPictureInfo(*loader->m_info, frame.Get(), path,
                    IsEqualGUID(container, GUID_ContainerFormatJpeg));
    if (!IsSystemWindows8OrLater() && !GetImagingOptions().orientationByTag)
        loader->m_info->orientation = 0;
    loader->m_orientation = loader->m_info->orientation;
    loader->m_decoder = decoder;
    return loader;
}

namespace {
// Pixels of a GDI+ bitmap copied into an imaging-component bitmap.
ComPtr<IWICBitmap> CopyGdiPlusBitmap(Gdiplus::Bitmap& bmp) {
    IWICImagingFactory* factory = SharedWicFactory();
    const UINT w = bmp.GetWidth(), h = bmp.GetHeight();
    if (!factory || w == 0 || h == 0 || !DecodedSizeFits(w, h)) return nullptr;
    Gdiplus::Rect rc(0, 0, INT(w), INT(h));
    Gdiplus::BitmapData data = {};
    if (bmp.LockBits(&rc, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return nullptr;
    ComPtr<IWICBitmap> out;
    if (data.Stride > 0 && data.Scan0) {
        const UINT stride = UINT(data.Stride);
        factory->CreateBitmapFromMemory(w, h, GUID_WICPixelFormat32bppBGRA, stride, stride * h,
                                        static_cast<BYTE*>(data.Scan0), &out);
    }
    bmp.UnlockBits(&data);
    return out;
}

// A metafile drawn onto a bitmap of its own size, as GDI+ on Windows does when asked for a
// bitmap of one (Wine's GDI+ refuses).
ComPtr<IWICBitmap> RasteriseMetafile(const std::wstring& path) {
    std::unique_ptr<Gdiplus::Image> image(Gdiplus::Image::FromFile(path.c_str()));
    if (!image || image->GetLastStatus() != Gdiplus::Ok) return nullptr;
    const Gdiplus::ImageType type = image->GetType();
    if (type != Gdiplus::ImageTypeMetafile) return nullptr;
    const UINT w = image->GetWidth(), h = image->GetHeight();
    if (w == 0 || h == 0 || !DecodedSizeFits(w, h)) return nullptr;
    Gdiplus::Bitmap canvas(INT(w), INT(h), PixelFormat32bppARGB);
    if (canvas.GetLastStatus() != Gdiplus::Ok) return nullptr;
    {
        Gdiplus::Graphics g(&canvas);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        g.DrawImage(image.get(), 0, 0, INT(w), INT(h));
    }
    return CopyGdiPlusBitmap(canvas);
}
}  // namespace

std::shared_ptr<CWICImageLoader> CWICImageLoader::FromGdiPlus(const std::wstring& path) {
    ComPtr<IWICBitmap> pixels;
    {
        Gdiplus::Bitmap bmp(path.c_str());
        if (bmp.GetLastStatus() == Gdiplus::Ok && bmp.GetWidth() != 0 && bmp.GetHeight() != 0)
            pixels = CopyGdiPlusBitmap(bmp);
    }
    if (!pixels) pixels = RasteriseMetafile(path);
    if (!pixels) return nullptr;
    auto loader = FromSource(pixels.Get(), nullptr);
    loader->m_origin = Origin::GdiPlus;
    return loader;
}

std::shared_ptr<CWICImageLoader> CWICImageLoader::FromPlugIn(const std::wstring& path) {
    const std::wstring dll = ProgramFolder() + L"PicDecoder.dll";
    if (!::PathFileExistsW(dll.c_str())) return nullptr;
    IWICImagingFactory* factory = SharedWicFactory();
    ComPtr<IWICBitmap> copy;
    {
        UniqueModule module(::LoadLibraryW(dll.c_str()));
        if (!module) return nullptr;
        using LoadImageFn = IUnknown*(WINAPI*)(const wchar_t*, IWICImagingFactory*);
        auto fn = reinterpret_cast<LoadImageFn>(
            reinterpret_cast<void*>(::GetProcAddress(module.get(), "load_image")));
        if (!fn || !factory) return nullptr;
        ComPtr<IUnknown> result;
        result.Attach(fn(path.c_str(), factory));
        ComPtr<IWICBitmapSource> source;
        UINT w = 0, h = 0;
        // Copied while the library is loaded: the object it returned may live in its code.
        if (result && SUCCEEDED(result.As(&source)) && SUCCEEDED(source->GetSize(&w, &h)) &&
            DecodedSizeFits(w, h))
            copy = CopyToMemory(source.Get());
    }
    if (!copy) return nullptr;
    auto loader = FromSource(copy.Get(), nullptr);
    loader->m_origin = Origin::PlugIn;
    return loader;
}

std::shared_ptr<CWICImageLoader> CWICImageLoader::Create(const std::wstring& path) {
    bool refused = false;
    if (auto loader = FromImagingComponent(path, refused)) return loader;
    // Too large to hold: no other decoder would fare better.
    if (refused) return nullptr;
    if (auto loader = FromGdiPlus(path)) return loader;
    return FromPlugIn(path);
}

int CWICImageLoader::RotateOrientation(bool clockwise) {
    const int next = ::RotateOrientation(m_orientation.load(), clockwise);
    m_orientation = next;
    m_info->orientation = next;
    return next;
}

void CWICImageLoader::GetOrientedSize(int& width, int& height) const {
    width = height = 0;
    UINT w = 0, h = 0;
    if (!m_source || FAILED(m_source->GetSize(&w, &h))) return;
    const bool swap = TransformSwapsAxes(OrientationTransform(Orientation()));
    width = int(swap ? h : w);
    height = int(swap ? w : h);
}

bool CWICImageLoader::IsAnimated() const {
    if (!m_decoder) return false;
    GUID container = {};
    UINT frames = 0;
    return SUCCEEDED(m_decoder->GetContainerFormat(&container)) &&
           IsEqualGUID(container, GUID_ContainerFormatGif) &&
           SUCCEEDED(m_decoder->GetFrameCount(&frames)) && frames >= 2;
}

bool CWICImageLoader::IsLongPicture() const {
    int w = 0, h = 0;
    GetOrientedSize(w, h);
    return w > 0 && w < 1280 && int64_t(w) * 4 < h;
}
