#include "wic_factory.h"

#include <wrl/client.h>

#include <mutex>

namespace {
std::mutex g_lock;
Microsoft::WRL::ComPtr<IWICImagingFactory> g_factory;
}  // namespace

IWICImagingFactory* SharedWicFactory() {
    std::lock_guard<std::mutex> lock(g_lock);
    return g_factory.Get();
}

void CreateSharedWicFactory() {
    std::lock_guard<std::mutex> lock(g_lock);
    g_factory.Reset();
    ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                       IID_PPV_ARGS(g_factory.GetAddressOf()));
}

void ReleaseSharedWicFactory() {
    std::lock_guard<std::mutex> lock(g_lock);
    g_factory.Reset();
}
