// Timings of the imaging core on one large JPEG: decoding and fitting, the full oriented
// bitmap, and the throughput of the enhance effects. Prints key=value lines (milliseconds,
// megapixels per second) for bench/run.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "auto_init.h"
#include "bench_timing.h"
#include "image_effect.h"
#include "imaging_options.h"
#include "wic_factory.h"
#include "wic_image_loader.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: imaging_bench <picture.jpg> [rotated.jpg]\n");
        return 2;
    }
    FCAutoInitializeCOM com;
    FCAutoInitGDIPlus gdiplus;
    CreateSharedWicFactory();
    ImagingOptions options;
    options.orientationByTag = 1;
    CScopedImagingOptions scope(options);
    const std::wstring path = argv[1];
    const int runs = 3;

    const double fit = BestOf(runs, [&] {
        auto loader = CWICImageLoader::Create(path);
        HBITMAP bmp = nullptr;
        if (!loader || !loader->RenderToBitmap(1600, 1067, &bmp)) return false;
        ::DeleteObject(bmp);
        return true;
    });
    std::printf("create_render_1600_ms=%.1f\n", fit);

    const double create = BestOf(runs, [&] { return CWICImageLoader::Create(path) != nullptr; });
    std::printf("create_ms=%.1f\n", create);
    auto loader = CWICImageLoader::Create(path);
    const double render = BestOf(runs, [&] {
        HBITMAP bmp = nullptr;
        if (!loader || !loader->RenderToBitmap(1600, 1067, &bmp)) return false;
        ::DeleteObject(bmp);
        return true;
    });
    std::printf("render_1600_ms=%.1f\n", render);
    const double oriented = BestOf(runs, [&] { return loader && loader->GetOrientedBitmap(true); });
    std::printf("oriented_bitmap_ms=%.1f\n", oriented);
    if (argc > 2) {
        auto turned = CWICImageLoader::Create(argv[2]);
        const double rotated =
            BestOf(runs, [&] { return turned && turned->GetOrientedBitmap(true); });
        std::printf("oriented_bitmap_rotated_ms=%.1f\n", rotated);
    }

    int w = 0, h = 0;
    if (loader) loader->GetOrientedSize(w, h);
    FCObjImage img;
    if (!img.Create(w, -h, 32)) return 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.GetBits(x, y);
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = uint8_t(x + y);
            p[3] = 255;
        }
    const double mp = double(w) * h / 1e6;
    const char* names[] = {"", "brighten", "saturate", "sharpen"};
    for (int mode = 1; mode <= 3; ++mode) {
        const double ms = BestOf(1, [&] {
            ApplyEnhance(img, nullptr, mode);
            return true;
        });
        std::printf("effect_%s_mps=%.1f\n", names[mode], mp / (ms / 1000.0));
    }
    FCEffectMirror mirror;
    const double ms = BestOf(1, [&] {
        RunEffect(mirror, img, nullptr);
        return true;
    });
    std::printf("effect_mirror_mps=%.1f\n", mp / (ms / 1000.0));
    std::printf("megapixels=%.2f\n", mp);
    loader.reset();
    ReleaseSharedWicFactory();
    return 0;
}
