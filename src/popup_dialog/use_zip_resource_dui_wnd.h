#pragma once
// Base of every skin window of the viewer: layouts come from the skin archive that start-up
// registered with the framework.
#include <cstdint>

#include "window_impl_base.h"

class CUseZipResourceDuiWnd : public markup::WindowImplBase {
public:
    // Style every skin window is created with.
    static constexpr DWORD kStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                    WS_CAPTION | WS_SYSMENU;

    void InitWindow() override { m_initialised = 1; }
    std::wstring GetSkinFolder() override { return L""; }
    markup::UILIB_RESOURCETYPE GetResourceType() const override { return markup::UILIB_ZIP; }
    std::wstring GetZIPFileName() const override { return markup::CResourceManager::GetResourceZip(); }
    bool IsInitialised() const { return m_initialised != 0; }

protected:
    int32_t m_initialised = 0;
};
