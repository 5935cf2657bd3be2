#include "drop_files.h"

#include <shlobj.h>

bool FirstDroppedFile(HDROP drop, std::wstring& file) {
    file.clear();
    // A handle of another process (or garbage) is not a block of ours: its size reads as 0.
    const SIZE_T size = drop ? ::GlobalSize(drop) : 0;
    if (size < sizeof(DROPFILES)) return false;
    const auto* base = static_cast<const BYTE*>(::GlobalLock(drop));
    if (!base) return false;
    const auto* df = reinterpret_cast<const DROPFILES*>(base);
    bool ok = false;
    if (df->pFiles >= sizeof(DROPFILES) && df->pFiles < size) {
        if (df->fWide) {
            const auto* p = reinterpret_cast<const wchar_t*>(base + df->pFiles);
            const size_t room = (size - df->pFiles) / sizeof(wchar_t);
            size_t n = 0;
            while (n < room && p[n]) ++n;
            if (n < room && n > 0 && n <= MAX_PATH) {
                file.assign(p, n);
                ok = true;
            }
        } else {
            const auto* p = reinterpret_cast<const char*>(base + df->pFiles);
            const size_t room = size - df->pFiles;
            size_t n = 0;
            while (n < room && p[n]) ++n;
            if (n < room && n > 0 && n <= MAX_PATH) {
                wchar_t wide[MAX_PATH + 1] = {};
                const int got = ::MultiByteToWideChar(CP_ACP, 0, p, int(n), wide, MAX_PATH);
                if (got > 0) {
                    file.assign(wide, size_t(got));
                    ok = true;
                }
            }
        }
    }
    ::GlobalUnlock(drop);
    return ok;
}
