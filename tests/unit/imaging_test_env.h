#pragma once
// Shared set-up of the imaging tests: COM, GDI+, the imaging factory and the fixture folder.
#include <windows.h>

#include <string>

#include "auto_init.h"
#include "wic_factory.h"

class ImagingTestEnv {
public:
    ImagingTestEnv() { CreateSharedWicFactory(); }
    ~ImagingTestEnv() { ReleaseSharedWicFactory(); }

    static std::wstring ExeFolder() {
        wchar_t path[MAX_PATH * 2];
        const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
        std::wstring p(path, n);
        return p.substr(0, p.find_last_of(L'\\') + 1);
    }
    static std::wstring Fixture(const wchar_t* name) {
        return ExeFolder() + L"imaging_fixtures\\" + name;
    }

private:
    FCAutoInitializeCOM m_com;
    FCAutoInitGDIPlus m_gdiplus;
};
