#pragma once
// Settings store over an INI file, through the system's private-profile functions.
#include <string>

#include "settings_store.h"

class CIniFileStore : public ISettingsStore {
public:
    explicit CIniFileStore(std::wstring path) : m_path(std::move(path)) {}
    std::wstring Read(const std::wstring& section, const std::wstring& key,
                      size_t bufferChars) override;
    void Write(const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override;
    const std::wstring& Path() const { return m_path; }

    // The profile functions write a new file in the ANSI code page; starting it as UTF-16 with
    // a byte-order mark keeps any text intact.
    void CreateUnicodeFileIfMissing();

private:
    std::wstring m_path;
};
