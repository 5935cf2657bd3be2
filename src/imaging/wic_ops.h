#pragma once
// Building blocks on imaging-component sources. Each returns null (or the source itself, where
// noted) when the component cannot do the step.
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>

using Microsoft::WRL::ComPtr;

// Wine's imaging component scales by nearest neighbour and cannot rotate pixels.
bool IsRunningUnderWine();
// The real system version, whatever the program's manifest declares.
bool IsSystemWindows8OrLater();
bool IsSystemWindows10OrLater();

// Largest decoded picture accepted: 2^27 pixels (512 MiB at 32 bits per pixel) and no more than
// a quarter of the memory the system can still commit.
const uint64_t kMaxDecodedPixels = uint64_t(1) << 27;
bool DecodedSizeFits(uint64_t width, uint64_t height);

ComPtr<IWICBitmapSource> ConvertFormat(IWICBitmapSource* source, REFWICPixelFormatGUID format);
// The source itself when it already has that size.
ComPtr<IWICBitmapSource> ScaleTo(IWICBitmapSource* source, UINT width, UINT height,
                                 WICBitmapInterpolationMode mode);
// Our own area-averaging/bilinear resampler; the result is 32-bit premultiplied BGRA.
ComPtr<IWICBitmapSource> ResampleTo(IWICBitmapSource* source, UINT width, UINT height);
// The source itself for option 0 or when no flip-rotator can be made.
ComPtr<IWICBitmapSource> ApplyTransform(IWICBitmapSource* source, int option);
// Our own rotation/flip of the pixels into a bitmap held in memory.
ComPtr<IWICBitmapSource> TransformInMemory(IWICBitmapSource* source, int option);
// The source itself when no colour transformer can be made.
ComPtr<IWICBitmapSource> ToSRGB(IWICBitmapSource* source, IWICColorContext* context);
ComPtr<IWICBitmap> CopyToMemory(IWICBitmapSource* source);
