#pragma once
// A stand-in for the shell's thumbnail cache that records every request and answers as told.
#include <windows.h>
#include <shobjidl.h>
#include <thumbcache.h>

#include <mutex>
#include <vector>

struct ThumbnailRequest {
    UINT size;
    int flags;
    bool operator==(const ThumbnailRequest& o) const { return size == o.size && flags == o.flags; }
};

struct FakeCacheBehaviour {
    bool cached = false;       // answers cache-only requests
    bool fastExtract = false;  // answers fast extractions (256 pixels)
    bool extract = false;      // answers requests that may extract
    int placeholder = 0;       // when non-zero, every answer is a bitmap of this size
};

class FakeThumbnailCache {
public:
    // Installs the fake for the scope and restores the system's cache afterwards.
    explicit FakeThumbnailCache(const FakeCacheBehaviour& behaviour);
    ~FakeThumbnailCache();
    FakeThumbnailCache(const FakeThumbnailCache&) = delete;
    FakeThumbnailCache& operator=(const FakeThumbnailCache&) = delete;

    std::vector<ThumbnailRequest> Requests() const;
};
