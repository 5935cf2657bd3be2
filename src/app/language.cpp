#include "language.h"

#include <windows.h>
#include <shlwapi.h>

#include <mutex>
#include <vector>

#include "app_config.h"
#include "folders.h"
#include "language_rules.h"
#include "text_util.h"

namespace {

std::mutex g_nameLock;
std::wstring& ProcessName() {
    static std::wstring name = L"en.ini";
    return name;
}

std::wstring ReadText(const std::wstring& file, const std::wstring& section,
                      const std::wstring& key, size_t size, DWORD& count) {
    std::vector<wchar_t> buf(size);
    count = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"\n", buf.data(),
                                       DWORD(buf.size()), file.c_str());
    return std::wstring(buf.data(), count);
}

}  // namespace

const std::wstring& LanguageFolder() {
    static const std::wstring folder = ProgramFolder() + L"lang\\";
    return folder;
}

std::wstring LanguageFileName() {
    std::lock_guard<std::mutex> lock(g_nameLock);
    return ProcessName();
}

void AdoptLanguageFile(const std::wstring& name) {
    if (!textutil::ContainsNoCase(name, L".ini") || name.size() > kMaxLanguageFileName) return;
    if (name.find_first_of(L"\\/:") != std::wstring::npos) return;
    if (!::PathFileExistsW((LanguageFolder() + name).c_str())) return;
    std::lock_guard<std::mutex> lock(g_nameLock);
    ProcessName() = name;
}

std::wstring ChooseLanguageFile() {
    wchar_t locale[85] = {};
    if (!::GetSystemDefaultLocaleName(locale, 85)) locale[0] = 0;
    return LanguageFileForLocale(locale);
}

std::wstring GetText(const std::wstring& section, const std::wstring& key) {
    const std::wstring file = LanguageFolder() + LanguageFileName();
    DWORD count = 0;
    std::wstring text = ReadText(file, section, key, 256, count);
    if (count >= 249) text = ReadText(file, section, key, 4096, count);
    return text == L"\n" ? std::wstring() : text;
}

std::wstring GetText(const std::wstring& section, int n) {
    return GetText(section, std::to_wstring(n));
}

bool IsChinese() { return IsChineseFileName(CAppConfig::Instance()->languageFile); }
bool IsCJK() { return IsCJKFileName(CAppConfig::Instance()->languageFile); }
