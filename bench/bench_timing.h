#pragma once
// Clock and best-of-runs timing shared by the benchmarks.
#include <windows.h>

#include <algorithm>
#include <functional>

inline double NowMs() {
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return 1000.0 * double(c.QuadPart) / double(f.QuadPart);
}

// Best of a few runs: the machine is shared. -1 when a run fails.
inline double BestOf(int runs, const std::function<bool()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double t0 = NowMs();
        if (!work()) return -1;
        best = std::min(best, NowMs() - t0);
    }
    return best;
}
