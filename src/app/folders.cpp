#include "folders.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "dump_pruning.h"
#include "win_handle.h"

namespace {

std::wstring WithBackslash(std::wstring path) {
    if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
    return path;
}

std::wstring ComputeProgramFolder() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), DWORD(buf.size()));
        if (n == 0) return std::wstring();
        if (n < buf.size()) break;
        if (buf.size() >= 32768) return std::wstring();
        buf.resize(buf.size() * 2);
    }
    std::wstring path(buf.data());
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ComputeDataFolder() {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return std::wstring();
    wchar_t canonical[MAX_PATH] = {};
    if (!::PathCanonicalizeW(canonical, appData)) ::lstrcpynW(canonical, appData, MAX_PATH);
    return WithBackslash(canonical) + L"Pelion\\";
}

bool FolderExists(const std::wstring& path) {
    const DWORD attr = ::GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const std::wstring& ProgramFolder() {
    static const std::wstring folder = ComputeProgramFolder();
    return folder;
}

const std::wstring& DataFolder() {
    static const std::wstring folder = ComputeDataFolder();
    return folder;
}

std::wstring TempFolder() { return DataFolder() + L"temp\\"; }
std::wstring CrashFolder() { return TempFolder() + L"crash\\"; }

void EnsureFolders() {
    if (DataFolder().empty() || FolderExists(CrashFolder())) return;
    for (const std::wstring& folder : {DataFolder(), TempFolder(), CrashFolder()})
        if (!FolderExists(folder)) ::CreateDirectoryW(folder.c_str(), nullptr);
}

void CleanTemporaryFiles() {
    if (DataFolder().empty()) return;
    const std::wstring print = TempFolder() + L"tempprint.jpg";
    if (::PathFileExistsW(print.c_str())) ::DeleteFileW(print.c_str());

    std::vector<std::wstring> dumps;
    WIN32_FIND_DATAW fd;
    UniqueFindHandle find(::FindFirstFileW((CrashFolder() + L"*.dmp").c_str(), &fd));
    if (find) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                dumps.push_back(CrashFolder() + fd.cFileName);
        } while (::FindNextFileW(find.get(), &fd));
    }
    for (const std::wstring& path : DumpsToDelete(std::move(dumps))) ::DeleteFileW(path.c_str());
}
