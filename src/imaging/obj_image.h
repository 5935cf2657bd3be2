#pragma once
// The in-memory raster: a DIB section plus a table of row pointers, top row first.
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <memory>

class FCObjGraph {
public:
    FCObjGraph() = default;
    virtual ~FCObjGraph() = default;
    int32_t m_x = 0;
    int32_t m_y = 0;
};

class FCObjImage : public FCObjGraph {
public:
    FCObjImage() = default;
    ~FCObjImage() override { Destroy(); }
    FCObjImage(const FCObjImage&) = delete;
    FCObjImage& operator=(const FCObjImage&) = delete;

    static int Stride(int width, int bpp) { return ((bpp * width + 31) / 32) * 4; }

    bool Create(int width, int signedHeight, int bpp);
    void Destroy();
    FCObjImage& CopyFrom(const FCObjImage& source);
    // Borrows 32-bit pixels of stride width x 4; the caller keeps them alive and calls
    // DetachPixels before this buffer is destroyed.
    bool AttachPixels(int width, int signedHeight, uint8_t* pixels);
    void DetachPixels();
    bool ReadFromSource(IWICBitmapSource* source, REFWICPixelFormatGUID format);
    void Draw(HDC dc, int left, int top, int right, int bottom, const RECT* srcRect = nullptr) const;

    bool IsValid() const { return m_pixels != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int ColorBits() const { return m_bpp; }
    int SignedHeight() const { return m_signedHeight; }
    int Stride() const { return Stride(m_width, m_bpp); }
    uint8_t* GetMemStart() const { return m_pixels; }
    uint8_t* GetBits(int y) const { return m_rows[y]; }
    uint8_t* GetBits(int x, int y) const { return m_rows[y] + x * (m_bpp / 8); }
    HBITMAP GetHandle() const { return m_bitmap; }

private:
    bool CreateSection(int width, int signedHeight, int bpp);
    void BuildRows();

    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_bpp = 0;
    int32_t m_signedHeight = 0;
    uint8_t* m_pixels = nullptr;
    std::unique_ptr<uint8_t*[]> m_rows;
    HBITMAP m_bitmap = nullptr;
};
