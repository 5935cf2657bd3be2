#include "explorer_view_order.h"

#include <windows.h>
#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <memory>

#include "folder_list_model.h"

using Microsoft::WRL::ComPtr;

namespace {

// An Explorer view cannot really hold more; anything beyond is not believed.
const int kMaxViewItems = 1 << 20;

struct CoTaskMemDeleter {
    void operator()(void* p) const { ::CoTaskMemFree(p); }
};
using UniqueIdList = std::unique_ptr<ITEMIDLIST, CoTaskMemDeleter>;
using UniqueCoString = std::unique_ptr<wchar_t, CoTaskMemDeleter>;

// The variant holding a window index for IShellWindows::Item.
VARIANT IndexVariant(long index) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = index;
    return v;
}

ComPtr<IFolderView> FolderViewOf(IDispatch* window) {
    ComPtr<IServiceProvider> provider;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IFolderView> folderView;
    if (!window || FAILED(window->QueryInterface(IID_PPV_ARGS(&provider))) ||
        FAILED(provider->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) ||
        FAILED(browser->QueryActiveShellView(&view)) || !view || FAILED(view.As(&folderView)))
        return nullptr;
    return folderView;
}

std::wstring FolderPathOf(IFolderView* view) {
    ComPtr<IPersistFolder2> persist;
    LPITEMIDLIST raw = nullptr;
    if (FAILED(view->GetFolder(IID_PPV_ARGS(&persist))) || FAILED(persist->GetCurFolder(&raw)))
        return std::wstring();
    UniqueIdList pidl(raw);
    wchar_t path[MAX_PATH] = {};
    if (!pidl || !::SHGetPathFromIDListW(pidl.get(), path)) return std::wstring();
    wchar_t canonical[MAX_PATH] = {};
    if (!::PathCanonicalizeW(canonical, path)) return std::wstring();
    std::wstring result = canonical;
    while (!result.empty() && result.back() == L'\\') result.pop_back();
    return result;
}

bool ReadItems(IFolderView* view, const std::atomic<int32_t>& stop,
               std::vector<std::wstring>& names) {
    ComPtr<IShellFolder> folder;
    int count = 0;
    if (FAILED(view->GetFolder(IID_PPV_ARGS(&folder))) ||
        FAILED(view->ItemCount(SVGIO_ALLVIEW, &count)) || count < 0 || count > kMaxViewItems)
        return false;
    names.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        if (stop.load()) return false;
        LPITEMIDLIST raw = nullptr;
        if (FAILED(view->Item(i, &raw))) continue;
        UniqueIdList child(raw);
        STRRET name = {};
        if (!child ||
            FAILED(folder->GetDisplayNameOf(child.get(), SHGDN_INFOLDER | SHGDN_FORPARSING, &name)))
            continue;
        wchar_t* text = nullptr;
        if (FAILED(::StrRetToStrW(&name, child.get(), &text))) continue;
        UniqueCoString owned(text);
        if (owned) names.push_back(owned.get());
    }
    return true;
}

}  // namespace

bool ReadExplorerViewOrder(const std::wstring& folder, const std::atomic<int32_t>& stop,
                           std::vector<std::wstring>& names) {
    names.clear();
    ComPtr<IShellWindows> windows;
    if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&windows))))
        return false;
    ::OleRun(windows.Get());
    long count = 0;
    // Some systems cannot count their windows: that means no Explorer window for us.
    if (FAILED(windows->get_Count(&count)) || count <= 0) return false;
    for (long i = 0; i < count && !stop.load(); ++i) {
        VARIANT index = IndexVariant(i);
        ComPtr<IDispatch> window;
        if (FAILED(windows->Item(index, &window)) || !window) continue;
        ComPtr<IFolderView> view = FolderViewOf(window.Get());
        if (!view) continue;
        const std::wstring shown = FolderPathOf(view.Get());
        if (shown.empty() || !EqualsIgnoreCase(shown, folder)) continue;
        // The first window on the folder decides; the others are not looked at.
        if (ReadItems(view.Get(), stop, names)) return true;
        names.clear();
        return false;
    }
    return false;
}
