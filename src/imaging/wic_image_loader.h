#pragma once
// One opened picture: its imaging-component source, colour profile and information record.
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <atomic>
#include <memory>
#include <string>

#include "picture_info.h"

class CWICImageLoader {
public:
    enum class Origin { ImagingComponent, GdiPlus, PlugIn, Source };

    // The decoder chain; null when no decoder reads the file or it is too large to hold.
    static std::shared_ptr<CWICImageLoader> Create(const std::wstring& path);
    static std::shared_ptr<CWICImageLoader> FromSource(IWICBitmapSource* source,
                                                       IWICColorContext* context);
    ~CWICImageLoader();

    IWICBitmapDecoder* Decoder() const { return m_decoder.Get(); }
    IWICBitmapSource* Source() const { return m_source.Get(); }
    IWICColorContext* ColorContext() const { return m_colorContext.Get(); }
    const CPictureInfo& Info() const { return *m_info; }
    Origin GetOrigin() const { return m_origin; }
    int Orientation() const { return m_orientation.load(); }
    int RotateOrientation(bool clockwise);  // user-interface thread only

    void GetOrientedSize(int& width, int& height) const;
    bool IsAnimated() const;
    bool IsLongPicture() const;

    // The picture at exactly width x height (size on screen, after orientation) into a new
    // screen-compatible bitmap that replaces *bitmap. False leaves *bitmap untouched.
    bool RenderToBitmap(int width, int height, HBITMAP* bitmap) const;
    // Full resolution, 32-bit BGRA, orientation applied, optionally converted to sRGB.
    Microsoft::WRL::ComPtr<IWICBitmap> GetOrientedBitmap(bool applyColorProfile) const;

private:
    CWICImageLoader();
    static std::shared_ptr<CWICImageLoader> FromImagingComponent(const std::wstring& path,
                                                                 bool& refused);
    static std::shared_ptr<CWICImageLoader> FromGdiPlus(const std::wstring& path);
    static std::shared_ptr<CWICImageLoader> FromPlugIn(const std::wstring& path);

    // Released in reverse: colour context, information, source, decoder.
    Microsoft::WRL::ComPtr<IWICBitmapDecoder> m_decoder;
    Microsoft::WRL::ComPtr<IWICBitmapSource> m_source;
    std::unique_ptr<CPictureInfo> m_info;
    Microsoft::WRL::ComPtr<IWICColorContext> m_colorContext;
    std::atomic<int> m_orientation{0};
    Origin m_origin = Origin::Source;
};

// Shared steps 6-8 of every rendering: premultiplied buffer, enhancement, new device bitmap on
// the background brush.
bool FinishRendering(IWICBitmapSource* scaled, HBITMAP* bitmap);

// A preview from a thumbnail bitmap (alphaType as the shell's thumbnail cache reports it).
bool RenderThumbnail(HBITMAP thumbnail, int alphaType, int width, int height, HBITMAP* bitmap,
                     int transformOption, IWICColorContext* context);
