#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "drop_files.h"

namespace {

HDROP MakeDrop(DWORD pFiles, BOOL wide, const void* names, size_t bytes, size_t extra = 0) {
    HGLOBAL mem = ::GlobalAlloc(GHND, sizeof(DROPFILES) + bytes + extra);
    auto* base = static_cast<BYTE*>(::GlobalLock(mem));
    auto* df = reinterpret_cast<DROPFILES*>(base);
    df->pFiles = pFiles;
    df->fWide = wide;
    std::memcpy(base + sizeof(DROPFILES), names, bytes);
    ::GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

TEST(DropFilesTest, ReadsOnlyWellFormedLists) {
    struct Case {
        HDROP drop;
        bool ok;
        const wchar_t* file;
    };
    const wchar_t wide[] = L"C:\\p\\a.jpg\0C:\\p\\b.jpg\0";
    const char narrow[] = "C:\\p\\n.png\0";
    const wchar_t unterminated[] = {L'C', L':', L'\\', L'x'};
    const Case cases[] = {
        {MakeDrop(sizeof(DROPFILES), TRUE, wide, sizeof(wide)), true, L"C:\\p\\a.jpg"},
        {MakeDrop(sizeof(DROPFILES), FALSE, narrow, sizeof(narrow)), true, L"C:\\p\\n.png"},
        {MakeDrop(sizeof(DROPFILES), TRUE, unterminated, sizeof(unterminated)), false, L""},
        {MakeDrop(0x7FFFFFF0, TRUE, wide, sizeof(wide)), false, L""},
        {MakeDrop(4, TRUE, wide, sizeof(wide)), false, L""},
        {MakeDrop(sizeof(DROPFILES), TRUE, L"\0", 4), false, L""},
    };
    for (const Case& c : cases) {
        std::wstring file = L"stale";
        EXPECT_EQ(FirstDroppedFile(c.drop, file), c.ok);
        EXPECT_EQ(file, c.ok ? c.file : L"");
        ::GlobalFree(c.drop);
    }
    std::wstring file;
    EXPECT_FALSE(FirstDroppedFile(nullptr, file));
    HGLOBAL tiny = ::GlobalAlloc(GHND, 3);
    EXPECT_FALSE(FirstDroppedFile(static_cast<HDROP>(tiny), file));
    ::GlobalFree(tiny);
}

}  // namespace
