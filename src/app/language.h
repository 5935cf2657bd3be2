#pragma once
// Texts of the current language file in the program's lang folder.
#include <string>

const std::wstring& LanguageFolder();
// The process-wide language file name; "en.ini" until the configuration picks one.
std::wstring LanguageFileName();
// Adopts name when it contains ".ini", fits the process-wide name and exists in the lang folder.
void AdoptLanguageFile(const std::wstring& name);
// The file for the system's default locale.
std::wstring ChooseLanguageFile();

std::wstring GetText(const std::wstring& section, const std::wstring& key);
std::wstring GetText(const std::wstring& section, int n);

bool IsChinese();
bool IsCJK();

class CMultiLanguageLoader {
public:
    explicit CMultiLanguageLoader(std::wstring section) : m_section(std::move(section)) {}
    virtual ~CMultiLanguageLoader() = default;
    std::wstring GetText(int n) const { return ::GetText(m_section, n); }

protected:
    std::wstring m_section;
};
