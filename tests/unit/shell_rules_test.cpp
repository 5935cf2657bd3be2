#include <gtest/gtest.h>

#include "dump_pruning.h"
#include "language_rules.h"
#include "log_line.h"

namespace {

TEST(LanguageRulesTest, LocaleChoosesFile) {
    struct Case {
        const wchar_t* locale;
        const wchar_t* file;
    };
    const Case cases[] = {
        {L"zh-CN", L"cn_simp.ini"},   {L"zh-SG", L"cn_simp.ini"},  {L"zh-Hans", L"cn_simp.ini"},
        {L"ZH", L"cn_simp.ini"},      {L"zh", L"cn_simp.ini"},     {L"zh-TW", L"cn_trad.ini"},
        {L"zh-HK", L"cn_trad.ini"},   {L"zh-Hans-CN", L"cn_trad.ini"},
        {L"fr", L"en.ini"},           {L"fr-CA", L"fr.ini"},       {L"de-DE", L"de.ini"},
        {L"es-MX", L"es.ini"},        {L"pt-BR", L"pt.ini"},       {L"ru-RU", L"ru.ini"},
        {L"rue", L"ru.ini"},          {L"ar-SA", L"ar.ini"},       {L"it", L"it.ini"},
        {L"ja-JP", L"ja.ini"},        {L"ko-KR", L"ko.ini"},       {L"en-US", L"en.ini"},
        {L"", L"en.ini"},
    };
    for (const Case& c : cases) EXPECT_EQ(LanguageFileForLocale(c.locale), c.file) << c.locale;
}

TEST(LanguageRulesTest, ChineseAndCjkPredicatesAreCaseSensitive) {
    EXPECT_TRUE(IsChineseFileName(L"cn_simp.ini"));
    EXPECT_TRUE(IsChineseFileName(L"cn_trad.ini"));
    EXPECT_FALSE(IsChineseFileName(L"CN_SIMP.INI"));
    EXPECT_FALSE(IsChineseFileName(L"ja.ini"));
    EXPECT_TRUE(IsCJKFileName(L"ja.ini"));
    EXPECT_TRUE(IsCJKFileName(L"ko.ini"));
    EXPECT_TRUE(IsCJKFileName(L"cn_trad.ini"));
    EXPECT_FALSE(IsCJKFileName(L"en.ini"));
}

TEST(LogLineTest, PrefixCarriesTagLineAndBaseName) {
    EXPECT_EQ(FormatLogPrefix(L"[I]", "C:\\src\\app\\app_config.cpp", 16),
              L"[I][  16][app_config] ");
    EXPECT_EQ(FormatLogPrefix(L"[I]", "/work/src/app/app_config.cpp", 16),
              L"[I][  16][app_config] ");
    EXPECT_EQ(FormatLogPrefix(L"[I]", "noslash.cpp", 12345), L"[I][12345] ");
    EXPECT_EQ(FormatLogPrefix(L"[I]", "C:\\dir.v2\\Makefile", 7), L"[I][   7] ");
}

TEST(DumpPruningTest, KeepsTheTenThatSortLast) {
    std::vector<std::wstring> paths;
    for (int i = 10; i >= 0; --i) paths.push_back(L"C:\\crash\\d" + std::to_wstring(i) + L".dmp");
    EXPECT_EQ(DumpsToDelete(paths), std::vector<std::wstring>{L"C:\\crash\\d0.dmp"});
    paths.pop_back();
    EXPECT_TRUE(DumpsToDelete(paths).empty());
    // Ordinal order: upper case sorts before lower case.
    std::vector<std::wstring> mixed(10, L"C:\\c\\m.dmp");
    mixed.push_back(L"C:\\c\\Z.dmp");
    mixed.push_back(L"C:\\c\\a.dmp");
    EXPECT_EQ(DumpsToDelete(mixed), (std::vector<std::wstring>{L"C:\\c\\Z.dmp", L"C:\\c\\a.dmp"}));
}

}  // namespace
