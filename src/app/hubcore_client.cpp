#include "hubcore_client.h"

#include <windows.h>

#include <atomic>
#include <mutex>

#include "folders.h"
#include "hubcore_api.h"
#include "singleton.h"

namespace {

std::mutex g_loadLock;
HMODULE g_module = nullptr;
std::atomic<bool> g_statStarted{false};

template <class Fn>
Fn Export(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(
        ::GetProcAddress(static_cast<HMODULE>(HubCoreModule()), name)));
}

}  // namespace

void* HubCoreModule() {
    std::lock_guard<std::mutex> lock(g_loadLock);
    if (g_module) return g_module;
    g_module = ::GetModuleHandleW(L"hubcore.dll");
    if (!g_module) {
        const std::wstring local = ProgramFolder() + L"hubcore.dll";
        g_module = ::LoadLibraryExW(local.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    if (!g_module && ProgramFolder().size() > 1) {
        std::wstring parent = ProgramFolder().substr(0, ProgramFolder().size() - 1);
        const size_t slash = parent.find_last_of(L'\\');
        if (slash != std::wstring::npos) {
            parent = parent.substr(0, slash + 1) + L"hubcore.dll";
            g_module = ::LoadLibraryExW(parent.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        }
    }
    if (!g_module) ::ExitProcess(0);
    return g_module;
}

void SendUsageEvent(const std::wstring& category, const std::wstring& event) {
    if (!g_statStarted.exchange(true)) {
        if (auto start = Export<PFN_StartStat>("StartStat")) start();
    }
    if (category.empty() || event.empty()) return;
    if (auto send = Export<PFN_SendStatUrl>("SendStatUrl")) send(category.c_str(), event.c_str());
}

void FinishUsageEvents() {
    if (!g_statStarted.load()) return;
    if (auto wait = Export<PFN_WaitStatComplete>("WaitStatComplete")) wait(2000);
}

std::wstring LaunchTag(const std::wstring& from) {
    static const struct {
        const wchar_t* from;
        const wchar_t* tag;
    } tags[] = {{L"task", L"auto"},           {L"reg_run", L"auto_reg"},
                {L"svc", L"svc"},             {L"startmenu", L"menu"},
                {L"main", L"main"},           {L"desktop", L"lnk"},
                {L"tray", L"tray"},           {L"newinstall", L"newinstall"},
                {L"upinstall", L"upinstall"}, {L"contextmenu", L"contextmenu"},
                {L"openwith", L"shell"}};
    for (const auto& t : tags)
        if (from == t.from) return t.tag;
    return L"unknown";
}

std::wstring GetOsVersionText() {
    auto get = Export<PFN_GetOsVersion>("GetOsVersion");
    const wchar_t* text = get ? get() : nullptr;
    return text ? text : L"";
}

CPLibWrapper* CPLibWrapper::Instance() { return CSingletonT<CPLibWrapper>::Instance(); }
void CPLibWrapper::DestroyInstance() { CSingletonT<CPLibWrapper>::DestroyInstance(); }

CPLibWrapper::CPLibWrapper() {
    HubCoreModule();
    // This export is taken only from the copy in the program folder.
    const std::wstring local = ProgramFolder() + L"hubcore.dll";
    HMODULE own = ::GetModuleHandleW(local.c_str());
    if (!own) return;
    auto create = reinterpret_cast<PFN_CreatePLibWrapper>(
        reinterpret_cast<void*>(::GetProcAddress(own, "CreatePLibWrapper")));
    m_wrapper = create ? create() : nullptr;
    if (m_wrapper) m_wrapper->Init(0, L"pelion", 0);
}

CPLibWrapper::~CPLibWrapper() {
    if (m_wrapper) m_wrapper->Uninit();
}

int CPLibWrapper::GetQuickIndex() { return m_wrapper ? m_wrapper->GetQuickIndex() : 0; }

void CPLibWrapper::SetQuickIndex(int value) {
    if (m_wrapper) m_wrapper->SetQuickIndex(value);
}
