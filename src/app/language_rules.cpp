#include "language_rules.h"

#include "text_util.h"

using textutil::EqualsNoCase;
using textutil::StartsWithNoCase;

std::wstring LanguageFileForLocale(const std::wstring& locale) {
    if (StartsWithNoCase(locale, L"zh-CN") || StartsWithNoCase(locale, L"zh-SG") ||
        EqualsNoCase(locale, L"zh-Hans") || EqualsNoCase(locale, L"zh"))
        return L"cn_simp.ini";
    struct Rule {
        const wchar_t* prefix;
        const wchar_t* file;
    };
    static const Rule rules[] = {
        {L"zh", L"cn_trad.ini"}, {L"fr-", L"fr.ini"}, {L"de-", L"de.ini"}, {L"es-", L"es.ini"},
        {L"pt-", L"pt.ini"},     {L"ru", L"ru.ini"},  {L"ar", L"ar.ini"},  {L"it", L"it.ini"},
        {L"ja", L"ja.ini"},      {L"ko", L"ko.ini"},
    };
    for (const Rule& r : rules)
        if (StartsWithNoCase(locale, r.prefix)) return r.file;
    return L"en.ini";
}

bool IsChineseFileName(const std::wstring& name) {
    return name == L"cn_simp.ini" || name == L"cn_trad.ini";
}

bool IsCJKFileName(const std::wstring& name) {
    return IsChineseFileName(name) || name == L"ja.ini" || name == L"ko.ini";
}
