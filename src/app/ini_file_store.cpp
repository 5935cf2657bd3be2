#include "ini_file_store.h"

#include <windows.h>

#include <vector>

#include "win_handle.h"

std::wstring CIniFileStore::Read(const std::wstring& section, const std::wstring& key,
                                 size_t bufferChars) {
    if (bufferChars < 2) bufferChars = 2;
    std::vector<wchar_t> buf(bufferChars);
    const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"\n", buf.data(),
                                               DWORD(buf.size()), m_path.c_str());
    return std::wstring(buf.data(), n);
}

void CIniFileStore::Write(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) {
    ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), m_path.c_str());
}

void CIniFileStore::CreateUnicodeFileIfMissing() {
    UniqueHandle file(::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    static const unsigned char bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(file.get(), bom, sizeof(bom), &written, nullptr);
}
