#pragma once
// The settings the imaging core follows, read from the configuration.
#include <windows.h>

struct ImagingOptions {
    int orientationByTag = 0;
    int ignoreEmbeddedIcc = 0;
    int enhanceMode = 0;
    int gpsMapVendor = 0;
    HBRUSH background = nullptr;  // not owned
};

ImagingOptions GetImagingOptions();

// Replaces the configuration for the lifetime of the object (tests and tools).
class CScopedImagingOptions {
public:
    explicit CScopedImagingOptions(const ImagingOptions& options);
    ~CScopedImagingOptions();
    CScopedImagingOptions(const CScopedImagingOptions&) = delete;
    CScopedImagingOptions& operator=(const CScopedImagingOptions&) = delete;

private:
    bool m_hadPrevious;
    ImagingOptions m_previous;
};
