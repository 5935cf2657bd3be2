// hubcore.dll as the viewer uses it: exports by name, the wrapper by slot.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "hubcore_api.h"

namespace {

std::wstring DistHubcore() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    p = p.substr(0, p.find_last_of(L'\\'));           // tests
    p = p.substr(0, p.find_last_of(L'\\') + 1);       // build
    return p + L"dist\\hubcore.dll";
}

template <class Fn>
Fn Get(HMODULE m, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m, name)));
}

TEST(HubcoreTest, ExportsAnswerAndQuickIndexPersists) {
    HMODULE lib = ::LoadLibraryW(DistHubcore().c_str());
    ASSERT_NE(lib, nullptr);
    for (const char* name : {"StartStat", "SendStatUrl", "WaitStatComplete", "GetOsVersion",
                             "CreatePLibWrapper", "CreateMultiTabWebView"})
        EXPECT_NE(::GetProcAddress(lib, name), nullptr) << name;

    const wchar_t* os = Get<PFN_GetOsVersion>(lib, "GetOsVersion")();
    ASSERT_NE(os, nullptr);
    EXPECT_EQ(std::wstring(os).rfind(L"Windows", 0), 0u) << os;

    auto send = Get<PFN_SendStatUrl>(lib, "SendStatUrl");
    Get<PFN_StartStat>(lib, "StartStat")();
    EXPECT_NE(send(L"main", L"open"), 0);
    EXPECT_EQ(send(L"", L"open"), 0);
    EXPECT_EQ(send(L"main", nullptr), 0);
    Get<PFN_WaitStatComplete>(lib, "WaitStatComplete")(2000);

    auto create = Get<PFN_CreatePLibWrapper>(lib, "CreatePLibWrapper");
    IPLibWrapper* w = create();
    ASSERT_NE(w, nullptr);
    w->Init(0, L"pelion", 0);
    w->SetQuickIndex(0);
    w->Uninit();
    w = create();
    w->Init(0, L"pelion", 0);
    EXPECT_EQ(w->GetQuickIndex(), 0);
    w->SetQuickIndex(1);
    w->Uninit();
    w = create();
    EXPECT_EQ(w->GetQuickIndex(), 1);
    w->Uninit();
    ::FreeLibrary(lib);
}

}  // namespace
