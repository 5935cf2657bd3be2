#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app_settings.h"
#include "ini_file_store.h"

namespace {

std::wstring TempIni(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + name;
    ::DeleteFileW(path.c_str());
    return path;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
}

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    WriteBytes(path, bytes);
}

AppSettings LoadFile(const std::wstring& path) {
    CIniFileStore store(path);
    AppSettings s;
    bool absent = false;
    s.Load(store, nullptr, absent);
    return s;
}

TEST(IniConfigTest, HostileFilesLoadDefaultsOrClampedValues) {
    const std::wstring path = TempIni(L"pelion_hostile.ini");
    std::string text = "garbage without sections\n\x01\x02\xff\xfe\n[app]\n";
    text += "max_zoom_ratio=" + std::string(10240, '7') + "\n";
    text += "view_margin=-99999999999999999999\n";
    text += "save_jpeg_quality=12abc\n";
    text += "canvas_back_color=1,2\n";
    text += "last_position=" + std::string(10240, '5') + "\n";
    text += "[lockscreen]\nenable=2\ntime=-40\n";
    WriteBytes(path, text);
    const AppSettings s = LoadFile(path);
    EXPECT_EQ(s.maxZoomRatio, 32);
    EXPECT_EQ(s.viewMargin, 0);
    EXPECT_EQ(s.saveJpegQuality, 12);
    EXPECT_EQ(s.canvasColor, 0xFFFFFFu);
    EXPECT_EQ(s.lockScreenEnable, 0);
    EXPECT_EQ(s.lockScreenTime, -40);
    EXPECT_LE(s.lastPosition.size(), 4095u);
    EXPECT_GT(s.lastPosition.size(), 248u);
    EXPECT_EQ(s.toolbarDock, 1);  // missing key keeps the default
    ::DeleteFileW(path.c_str());
}

TEST(IniConfigTest, MissingFileGivesDefaults) {
    const AppSettings s = LoadFile(TempIni(L"pelion_missing.ini"));
    const AppSettings defaults;
    EXPECT_EQ(s.maxZoomRatio, defaults.maxZoomRatio);
    EXPECT_EQ(s.mouseWheelAction, 99);
    EXPECT_EQ(s.canvasColor, defaults.canvasColor);
    EXPECT_TRUE(s.lastPosition.empty());
}

TEST(IniConfigTest, Utf16FileWithChineseRoundTrips) {
    const std::wstring path = TempIni(L"pelion_utf16.ini");
    WriteUtf16(path, L"[app]\r\nlast_position=MAX\r\nlanguage_id=中文.ini\r\nview_margin=12\r\n");
    AppSettings s = LoadFile(path);
    EXPECT_EQ(s.lastPosition, L"MAX");
    EXPECT_EQ(s.languageFile, L"中文.ini");
    EXPECT_EQ(s.viewMargin, 12);

    s.lastPosition = L"位置_1_2_3";
    CIniFileStore store(path);
    s.Save(store);
    const AppSettings again = LoadFile(path);
    EXPECT_EQ(again.lastPosition, L"位置_1_2_3");
    EXPECT_EQ(again.languageFile, L"中文.ini");
    ::DeleteFileW(path.c_str());
}

TEST(IniConfigTest, NewFileIsCreatedAsUtf16SoChineseSurvives) {
    const std::wstring path = TempIni(L"pelion_new.ini");
    CIniFileStore store(path);
    store.CreateUnicodeFileIfMissing();
    AppSettings s;
    s.languageFile = L"简体.ini";
    s.Save(store);
    EXPECT_EQ(LoadFile(path).languageFile, L"简体.ini");
    // A second call leaves the existing file alone.
    store.CreateUnicodeFileIfMissing();
    EXPECT_EQ(LoadFile(path).languageFile, L"简体.ini");
    ::DeleteFileW(path.c_str());
}

}  // namespace
