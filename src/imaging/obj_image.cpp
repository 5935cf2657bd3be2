#include "obj_image.h"

#include <wrl/client.h>

#include <cstring>
#include <vector>

#include "wic_factory.h"

using Microsoft::WRL::ComPtr;

void FCObjImage::Destroy() {
    m_rows.reset();
    if (m_bitmap) ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_pixels = nullptr;
    m_width = m_height = m_bpp = m_signedHeight = 0;
}

void FCObjImage::BuildRows() {
    const int stride = Stride();
    m_rows.reset(new uint8_t*[m_height]);
    for (int i = 0; i < m_height; ++i) {
        m_rows[i] = m_signedHeight > 0 ? m_pixels + size_t(m_height - 1 - i) * stride
                                       : m_pixels + size_t(i) * stride;
    }
}

bool FCObjImage::CreateSection(int width, int signedHeight, int bpp) {
    // Header plus a 256-entry colour table (or 16 spare bytes): 1080 or 56 bytes.
    std::vector<uint8_t> header(bpp == 8 ? 1080 : 56, 0);
    BITMAPINFOHEADER* bih = reinterpret_cast<BITMAPINFOHEADER*>(header.data());
    bih->biSize = 40;
    bih->biWidth = width;
    bih->biHeight = signedHeight;
    bih->biPlanes = 1;
    bih->biBitCount = WORD(bpp);
    bih->biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(header.data()),
                                     DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp || !bits) {
        if (bmp) ::DeleteObject(bmp);
        return false;
    }
    m_bitmap = bmp;
    m_pixels = static_cast<uint8_t*>(bits);
    m_width = width;
    m_height = signedHeight < 0 ? -signedHeight : signedHeight;
    m_signedHeight = signedHeight;
    m_bpp = bpp;
    BuildRows();
    return true;
}

bool FCObjImage::Create(int width, int signedHeight, int bpp) {
    Destroy();
    if (signedHeight == 0 || width <= 0 || (bpp != 8 && bpp != 24 && bpp != 32)) return false;
    if (signedHeight == INT32_MIN) return false;
    if (!CreateSection(width, signedHeight, bpp)) {
        Destroy();
        return false;
    }
    return true;
}

FCObjImage& FCObjImage::CopyFrom(const FCObjImage& source) {
    if (&source == this) return *this;
    if (!source.IsValid()) {
        Destroy();
        return *this;
    }
    if (Create(source.m_width, source.m_signedHeight, source.m_bpp)) {
        std::memcpy(m_pixels, source.m_pixels, size_t(Stride()) * m_height);
        m_x = source.m_x;
        m_y = source.m_y;
    }
    return *this;
}

bool FCObjImage::AttachPixels(int width, int signedHeight, uint8_t* pixels) {
    Destroy();
    if (!pixels || width <= 0 || signedHeight == 0 || signedHeight == INT32_MIN) return false;
    m_pixels = pixels;
    m_width = width;
    m_height = signedHeight < 0 ? -signedHeight : signedHeight;
    m_signedHeight = signedHeight;
    m_bpp = 32;
    BuildRows();
    return true;
}

void FCObjImage::DetachPixels() {
    m_rows.reset();
    m_pixels = nullptr;
    m_width = m_height = m_bpp = m_signedHeight = 0;
}

bool FCObjImage::ReadFromSource(IWICBitmapSource* source, REFWICPixelFormatGUID format) {
    IWICImagingFactory* factory = SharedWicFactory();
    if (!factory || !source) return false;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    UINT w = 0, h = 0;
    if (FAILED(converter->GetSize(&w, &h))) return false;
    int bpp = 0;
    if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) bpp = 24;
    else if (IsEqualGUID(format, GUID_WICPixelFormat32bppBGR) ||
             IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) ||
             IsEqualGUID(format, GUID_WICPixelFormat32bppPBGRA))
        bpp = 32;
    if (bpp == 0) {
        Destroy();
        return false;
    }
    Destroy();
    if (h == 0 || w < 1 || w > 0x7FFFFFFF / 32 || h > 0x7FFFFFFF) return false;
    if (!CreateSection(int(w), -int(h), bpp)) {
        Destroy();
        return false;
    }
    const UINT stride = UINT(Stride());
    const uint64_t total = uint64_t(stride) * h;
    if (total > 0xFFFFFFFFu) return false;
    return SUCCEEDED(converter->CopyPixels(nullptr, stride, UINT(total), m_pixels));
}

void FCObjImage::Draw(HDC dc, int left, int top, int right, int bottom, const RECT* srcRect) const {
    if (!IsValid() || !m_bitmap || !dc) return;
    RECT src = {0, 0, 0, 0};
    if (srcRect) {
        src = *srcRect;
    } else {
        BITMAP bm = {};
        ::GetObjectW(m_bitmap, sizeof(bm), &bm);
        src = {0, 0, bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
    }
    HDC mem = ::CreateCompatibleDC(nullptr);
    if (!mem) return;
    HGDIOBJ old = ::SelectObject(mem, m_bitmap);
    if (m_bpp > 24) {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(dc, left, top, right - left, bottom - top, mem, src.left, src.top,
                     src.right - src.left, src.bottom - src.top, bf);
    } else {
        const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, left, top, right - left, bottom - top, mem, src.left, src.top,
                     src.right - src.left, src.bottom - src.top, SRCCOPY);
        ::SetStretchBltMode(dc, oldMode);
    }
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}
