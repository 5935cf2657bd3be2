#include "resource_source.h"

#include <map>
#include <mutex>

#include "text_util.h"
#include "win_handle.h"

namespace markup {
namespace {

struct State {
    std::mutex lock;
    HINSTANCE instance = nullptr;
    std::wstring folder;
    std::wstring zipName;
    std::map<std::wstring, std::shared_ptr<const ZipArchive>> archives;
};

State& Global() {
    static State state;
    return state;
}

bool ReadWholeFile(const std::wstring& path, size_t limit, std::string& out) {
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || uint64_t(size.QuadPart) > limit)
        return false;
    out.assign(size_t(size.QuadPart), '\0');
    size_t done = 0;
    while (done < out.size()) {
        DWORD got = 0;
        const DWORD want = DWORD(std::min<size_t>(out.size() - done, 1u << 20));
        if (!::ReadFile(file.get(), &out[done], want, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

}  // namespace

bool ResourceSource::Load(const std::string& name, std::string& out) const {
    out.clear();
    if (m_zip) return m_zip->Read(name, out);
    const std::string safe = ZipArchive::NormaliseName(name);
    if (m_folder.empty() || safe.empty()) return false;
    std::wstring path = m_folder;
    if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
    std::wstring rel = textutil::Utf8ToWide(safe);
    for (wchar_t& c : rel)
        if (c == L'/') c = L'\\';
    return ReadWholeFile(path + rel, ZipArchive::kMaxEntryBytes, out);
}

void CResourceManager::SetInstance(HINSTANCE instance) {
    std::lock_guard<std::mutex> g(Global().lock);
    Global().instance = instance;
}
HINSTANCE CResourceManager::GetInstance() {
    std::lock_guard<std::mutex> g(Global().lock);
    return Global().instance ? Global().instance : ::GetModuleHandleW(nullptr);
}
void CResourceManager::SetResourcePath(const std::wstring& folder) {
    std::lock_guard<std::mutex> g(Global().lock);
    Global().folder = folder;
}
std::wstring CResourceManager::GetResourcePath() {
    std::lock_guard<std::mutex> g(Global().lock);
    return Global().folder;
}
void CResourceManager::SetResourceZip(const std::wstring& name) {
    std::lock_guard<std::mutex> g(Global().lock);
    Global().zipName = name;
}
std::wstring CResourceManager::GetResourceZip() {
    std::lock_guard<std::mutex> g(Global().lock);
    return Global().zipName;
}

std::shared_ptr<const ZipArchive> CResourceManager::OpenZipFile(const std::wstring& path) {
    std::lock_guard<std::mutex> g(Global().lock);
    auto it = Global().archives.find(path);
    if (it != Global().archives.end()) return it->second;
    std::string bytes;
    if (!ReadWholeFile(path, ZipArchive::kMaxArchiveBytes, bytes)) return nullptr;
    auto zip = std::make_shared<ZipArchive>();
    if (!zip->Open(std::move(bytes))) return nullptr;
    Global().archives[path] = zip;
    return zip;
}

std::shared_ptr<const ZipArchive> CResourceManager::OpenZipResource(UINT id, const wchar_t* type) {
    const HINSTANCE instance = GetInstance();
    const std::wstring key = L"res:" + std::to_wstring(id) + L":" + type;
    {
        std::lock_guard<std::mutex> g(Global().lock);
        auto it = Global().archives.find(key);
        if (it != Global().archives.end()) return it->second;
    }
    HRSRC res = ::FindResourceW(instance, MAKEINTRESOURCEW(id), type);
    if (!res) return nullptr;
    const DWORD size = ::SizeofResource(instance, res);
    HGLOBAL data = ::LoadResource(instance, res);
    const void* bytes = data ? ::LockResource(data) : nullptr;
    if (!bytes || size == 0) return nullptr;
    auto zip = std::make_shared<ZipArchive>();
    if (!zip->Open(std::string(static_cast<const char*>(bytes), size))) return nullptr;
    std::lock_guard<std::mutex> g(Global().lock);
    Global().archives[key] = zip;
    return zip;
}

}  // namespace markup
