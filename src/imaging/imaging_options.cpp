#include "imaging_options.h"

#include <mutex>

#include "app_config.h"

namespace {
std::mutex g_lock;
bool g_overridden = false;
ImagingOptions g_override;
}  // namespace

ImagingOptions GetImagingOptions() {
    {
        std::lock_guard<std::mutex> lock(g_lock);
        if (g_overridden) return g_override;
    }
    const CAppConfig* config = CAppConfig::Instance();
    ImagingOptions o;
    o.orientationByTag = config->orientationByTag;
    o.ignoreEmbeddedIcc = config->ignoreEmbeddedIcc;
    o.enhanceMode = config->enhanceMode;
    o.gpsMapVendor = config->gpsMapVendor;
    o.background = config->BackgroundBrush();
    return o;
}

CScopedImagingOptions::CScopedImagingOptions(const ImagingOptions& options) {
    std::lock_guard<std::mutex> lock(g_lock);
    m_hadPrevious = g_overridden;
    m_previous = g_override;
    g_override = options;
    g_overridden = true;
}

CScopedImagingOptions::~CScopedImagingOptions() {
    std::lock_guard<std::mutex> lock(g_lock);
    g_overridden = m_hadPrevious;
    g_override = m_previous;
}
