// A decoder plug-in for the tests: reads "PELRAW1\n", width and height (32-bit little
// endian) and BGRA rows, and hands back an imaging-component bitmap made by the caller's
// factory.
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" __declspec(dllexport) IUnknown* WINAPI load_image(const wchar_t* path,
                                                             IWICImagingFactory* factory) {
    if (!path || !factory) return nullptr;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    std::vector<uint8_t> data(1 << 20);
    DWORD got = 0;
    const BOOL ok = ::ReadFile(file, data.data(), DWORD(data.size()), &got, nullptr);
    ::CloseHandle(file);
    if (!ok || got < 16 || std::memcmp(data.data(), "PELRAW1\n", 8) != 0) return nullptr;
    uint32_t w = 0, h = 0;
    std::memcpy(&w, &data[8], 4);
    std::memcpy(&h, &data[12], 4);
    if (w == 0 || h == 0 || w > 1024 || h > 1024 || got - 16 < uint64_t(w) * h * 4) return nullptr;
    IWICBitmap* bitmap = nullptr;
    if (FAILED(factory->CreateBitmapFromMemory(w, h, GUID_WICPixelFormat32bppBGRA, w * 4, w * h * 4,
                                               &data[16], &bitmap)))
        return nullptr;
    return bitmap;
}
