#include <gtest/gtest.h>

#include <set>

#include "command_line.h"

namespace {

struct TokenCase {
    const wchar_t* text;
    std::map<std::wstring, std::wstring> switches;
    std::vector<std::wstring> positionals;
};

class TokenizerTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerTest, SplitsSwitchesAndPositionals) {
    const TokenCase& c = GetParam();
    CCommandLine cmd;
    cmd.Parse(c.text);
    EXPECT_EQ(cmd.Switches(), c.switches);
    EXPECT_EQ(cmd.Positionals(), c.positionals);
    EXPECT_EQ(cmd.GetText(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TokenizerTest,
    ::testing::Values(
        TokenCase{L"", {}, {}},
        TokenCase{L"   ", {}, {}},
        TokenCase{L"-x=a=b", {{L"x", L"a=b"}}, {}},
        TokenCase{L"--name=\"quoted value\"", {{L"name", L"quoted value"}}, {}},
        TokenCase{L"/install", {{L"install", L""}}, {}},
        TokenCase{L"--setting --from=tray", {{L"setting", L""}, {L"from", L"tray"}}, {}},
        TokenCase{L"- /", {}, {L"-", L"/"}},
        TokenCase{L"\"C:\\My Pictures\\a b.jpg\"", {}, {L"\"C:\\My Pictures\\a b.jpg\""}},
        TokenCase{L"app.exe  \"c d.png\" --x", {{L"x", L""}}, {L"app.exe", L"\"c d.png\""}},
        TokenCase{L"-a=1 -a=2", {{L"a", L"2"}}, {}},
        TokenCase{L"=", {}, {L"="}},
        TokenCase{L"-=v", {{L"", L"v"}}, {}},
        TokenCase{L"--x=\"\"", {{L"x", L""}}, {}},
        TokenCase{L"--x=\"", {{L"x", L"\""}}, {}},
        // An escaped quote does not open a quoted run, so the space still ends the token.
        TokenCase{L"a\\\"b c", {}, {L"a\\\"b", L"c"}},
        // Unbalanced quotes run to the end of the text.
        TokenCase{L"\"open ended -x", {}, {L"\"open ended -x"}},
        // The character before a quote is remembered across the gap between tokens.
        TokenCase{L"a\\ \"b c\"", {}, {L"a\\", L"\"b", L"c\""}}));

TEST(CommandLineTest, SwitchLookupAcceptsEitherPrefixOrBareName) {
    CCommandLine cmd;
    cmd.Parse(L"/install --setting --from=desktop -LockscreenSet");
    struct Case {
        const wchar_t* asked;
        bool found;
        const wchar_t* value;
    };
    const Case cases[] = {
        {L"install", true, L""},   {L"/install", true, L""},  {L"-install", true, L""},
        {L"--setting", true, L""}, {L"setting", true, L""},   {L"from", true, L"desktop"},
        {L"--from", true, L"desktop"}, {L"From", false, L""}, {L"lockscreenset", false, L""},
        {L"LockscreenSet", true, L""}, {L"uninstall", false, L""}, {L"", false, L""},
    };
    for (const Case& c : cases) {
        std::wstring value = L"stale";
        EXPECT_EQ(cmd.HasSwitch(c.asked), c.found) << c.asked;
        EXPECT_EQ(cmd.GetSwitchValue(c.asked, value), c.found) << c.asked;
        EXPECT_EQ(value, c.value) << c.asked;
    }
}

TEST(CommandLineTest, FilePathSkipsExactExeAndUnquotes) {
    const std::set<std::wstring> onDisk = {L"C:\\tools\\launcher.exe", L"C:\\p\\SHOT.EXE",
                                           L"C:\\p\\a b.jpg", L"C:\\folder"};
    auto exists = [&](const std::wstring& p) { return onDisk.count(p) > 0; };
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\tools\\launcher.exe \"C:\\p\\a b.jpg\"", L"C:\\p\\a b.jpg"},
        {L"C:\\p\\SHOT.EXE C:\\folder", L"C:\\p\\SHOT.EXE"},
        {L"C:\\missing.jpg C:\\folder", L"C:\\folder"},
        {L"--x=C:\\folder", L""},
        {L"\"\"", L""},
        {L"", L""},
    };
    for (const Case& c : cases) {
        CCommandLine cmd;
        cmd.Parse(c.text);
        EXPECT_EQ(cmd.SelectFilePath(exists), c.expected) << c.text;
    }
}

TEST(CommandLineTest, HugeAndHostileTextParses) {
    std::wstring text(32768, L'x');
    text[100] = L'"';
    text[200] = L' ';
    text[300] = L'=';
    text[0] = L'-';
    CCommandLine cmd;
    cmd.Parse(text);
    EXPECT_EQ(cmd.Switches().size() + cmd.Positionals().size(), 1u);
    cmd.Parse(std::wstring(40000, L' ') + L"-");
    EXPECT_EQ(cmd.Positionals(), std::vector<std::wstring>{L"-"});
}

}  // namespace
