#include "my_log.h"

#include <windows.h>
#include <shlwapi.h>

#include "folders.h"
#include "singleton.h"
#include "text_util.h"

namespace {
void WriteToLog(const std::wstring& line) {
    if (CSingletonT<CMyLog>::Exists()) CMyLog::Instance()->Write(line);
}
}  // namespace

CMyLog* CMyLog::Instance() { return CSingletonT<CMyLog>::Instance(); }

void CMyLog::DestroyInstance() {
    SetLogSink(nullptr);
    CSingletonT<CMyLog>::DestroyInstance();
}

void CMyLog::Open() {
    SetLogSink(&WriteToLog);
    _BaseModule::CAutoLocker lock(m_lock);
    if (m_file || DataFolder().empty()) return;
    wchar_t path[MAX_PATH] = {};
    if (!::PathCombineW(path, DataFolder().c_str(), L"main.log")) return;
    const std::wstring marker = std::wstring(path) + L".on";
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    UniqueHandle probe(::CreateFileW(marker.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) return;
    probe.reset();
    // Appending handles let several processes add whole lines to the same file.
    m_file.reset(::CreateFileW(path, FILE_APPEND_DATA, share, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
}

void CMyLog::Write(const std::wstring& line) {
    _BaseModule::CAutoLocker lock(m_lock);
    m_collect << line;
    if (m_file) {
        const std::string bytes = textutil::WideToUtf8(m_collect.str()) + "\n";
        DWORD written = 0;
        ::WriteFile(m_file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
    }
    m_collect.str(std::wstring());
    m_collect.clear();
}
