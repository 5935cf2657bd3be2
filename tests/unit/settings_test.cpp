#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "app_settings.h"

namespace {

// In-memory store that behaves like a profile read with a fixed buffer and records writes.
class MemoryStore : public ISettingsStore {
public:
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
    std::vector<std::pair<std::wstring, std::wstring>> writes;

    std::wstring Read(const std::wstring& section, const std::wstring& key,
                      size_t bufferChars) override {
        auto it = values.find({section, key});
        if (it == values.end()) return L"\n";
        return it->second.substr(0, bufferChars - 1);
    }
    void Write(const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override {
        values[{section, key}] = value;
        writes.push_back({section, key});
    }
};

AppSettings LoadFrom(MemoryStore& store) {
    AppSettings s;
    bool languageAbsent = false;
    s.Load(store, nullptr, languageAbsent);
    return s;
}

struct ClampCase {
    const wchar_t* key;
    const wchar_t* stored;
    int32_t AppSettings::*field;
    int32_t expected;
};

TEST(SettingsTest, StoredTextLoadsAsClampedValue) {
    const ClampCase cases[] = {
        {L"max_zoom_ratio", L"2", &AppSettings::maxZoomRatio, 4},
        {L"max_zoom_ratio", L"5", &AppSettings::maxZoomRatio, 5},
        {L"max_zoom_ratio", L"32", &AppSettings::maxZoomRatio, 32},
        {L"max_zoom_ratio", L"100", &AppSettings::maxZoomRatio, 32},
        {L"max_zoom_ratio", L"abc", &AppSettings::maxZoomRatio, 4},
        {L"max_zoom_ratio", L"99999999999999999999999", &AppSettings::maxZoomRatio, 32},
        {L"max_zoom_ratio", L"-7", &AppSettings::maxZoomRatio, 4},
        {L"view_margin", L"0", &AppSettings::viewMargin, 0},
        {L"view_margin", L"63", &AppSettings::viewMargin, 63},
        {L"view_margin", L"64000", &AppSettings::viewMargin, 64},
        {L"view_margin", L"-1", &AppSettings::viewMargin, 0},
        {L"save_jpeg_quality", L"101", &AppSettings::saveJpegQuality, 100},
        {L"save_jpeg_quality", L"55abc", &AppSettings::saveJpegQuality, 55},
        {L"save_jpeg_quality", L"x", &AppSettings::saveJpegQuality, 0},
        {L"hardware_zoom", L"7", &AppSettings::hardwareZoom, 1},
        {L"toolbar_dock", L"0", &AppSettings::toolbarDock, 0},
        {L"toolbar_dock", L"", &AppSettings::toolbarDock, 1},
        {L"only_one_instance", L"  12", &AppSettings::onlyOneInstance, 1},
    };
    for (const ClampCase& c : cases) {
        MemoryStore store;
        store.values[{L"app", c.key}] = c.stored;
        EXPECT_EQ(LoadFrom(store).*c.field, c.expected) << c.key << "=" << c.stored;
    }
}

TEST(SettingsTest, WheelActionRules) {
    struct Case {
        const wchar_t* favorite;
        const wchar_t* action;
        int32_t expected;
    };
    const Case cases[] = {
        {L"0", L"5", 1}, {L"0", L"0", 0}, {L"0", L"99", 99}, {L"1", L"0", 99}, {L"0", L"-3", 1},
    };
    for (const Case& c : cases) {
        MemoryStore store;
        store.values[{L"app", L"show_wheel_favorite"}] = c.favorite;
        store.values[{L"app", L"mouse_wheel_action"}] = c.action;
        EXPECT_EQ(LoadFrom(store).mouseWheelAction, c.expected) << c.favorite << "/" << c.action;
    }
}

TEST(SettingsTest, LockScreenEnableIsOnOnlyForOne) {
    struct Case {
        const wchar_t* stored;
        int32_t expected;
        int64_t logged;
    };
    for (const Case& c : {Case{L"1", 1, 1}, Case{L"2", 0, 2}, Case{L"0", 0, 0}}) {
        MemoryStore store;
        store.values[{L"lockscreen", L"enable"}] = c.stored;
        int64_t logged = -1;
        AppSettings s;
        bool absent;
        s.Load(store, [&](int64_t v) { logged = v; }, absent);
        EXPECT_EQ(s.lockScreenEnable, c.expected);
        EXPECT_EQ(logged, c.logged);
    }
}

TEST(SettingsTest, CanvasColourNeedsExactlyThreeParts) {
    struct Case {
        const wchar_t* text;
        uint32_t expected;
    };
    const Case cases[] = {
        {L"255,0,0", 0x0000FF}, {L"0,0,255", 0xFF0000}, {L"1,2", 0xFFFFFF},
        {L"1,2,3,4", 0xFFFFFF}, {L"256,-1,x", 0x00FF00}, {L"", 0xFFFFFF},
    };
    for (const Case& c : cases) {
        MemoryStore store;
        store.values[{L"app", L"canvas_back_color"}] = c.text;
        EXPECT_EQ(LoadFrom(store).canvasColor, c.expected) << c.text;
    }
}

TEST(SettingsTest, LongTextsAreReadWhole) {
    MemoryStore store;
    const std::wstring longPosition = std::wstring(300, L'1');
    store.values[{L"app", L"last_position"}] = longPosition;
    store.values[{L"app", L"max_zoom_ratio"}] = std::wstring(10240, L'9');
    const AppSettings s = LoadFrom(store);
    EXPECT_EQ(s.lastPosition, longPosition);
    EXPECT_EQ(s.maxZoomRatio, 32);
}

TEST(SettingsTest, LanguageIdAbsentOnlyWhenMissing) {
    MemoryStore store;
    bool absent = false;
    AppSettings s;
    s.Load(store, nullptr, absent);
    EXPECT_TRUE(absent);
    store.values[{L"app", L"language_id"}] = L"";
    s.Load(store, nullptr, absent);
    EXPECT_FALSE(absent);
    EXPECT_EQ(s.languageFile, L"");
}

TEST(SettingsTest, SaveWritesKeysInOrderAndLockScreenOnlyWhenTouched) {
    MemoryStore store;
    AppSettings s = LoadFrom(store);
    s.Save(store);
    const std::vector<std::wstring> expectedApp = {
        L"last_position",       L"max_zoom_ratio",   L"view_margin",
        L"canvas_back_color",   L"hardware_zoom",    L"gps_map_vendor",
        L"toolbar_dock",        L"language_id",      L"show_delete_confirm",
        L"mouse_wheel_action",  L"show_wheel_favorite", L"double_click_action",
        L"view_folder_loop",    L"rotate_auto_save", L"long_image_mode",
        L"save_jpeg_quality",   L"preload_enable",   L"preload_thread",
        L"orientation_by_tag",  L"ignore_embedded_icc", L"only_one_instance",
        L"set_default_viewer",  L"default_viewer_start_tip", L"completely_exit",
        L"user_set_default_viewer"};
    ASSERT_EQ(store.writes.size(), expectedApp.size());
    for (size_t i = 0; i < expectedApp.size(); ++i) {
        EXPECT_EQ(store.writes[i].first, L"app");
        EXPECT_EQ(store.writes[i].second, expectedApp[i]);
    }
    EXPECT_EQ((store.values[{L"app", L"canvas_back_color"}]), L"255,255,255");
    EXPECT_EQ((store.values[{L"app", L"preload_thread"}]), L"3");

    // A changed lock-screen time writes the section, in its own order.
    store.writes.clear();
    s.lockScreenTime = 300;
    s.Save(store);
    std::vector<std::wstring> lockKeys;
    for (const auto& w : store.writes)
        if (w.first == L"lockscreen") lockKeys.push_back(w.second);
    EXPECT_EQ(lockKeys, (std::vector<std::wstring>{L"enable", L"time", L"user_changed_time",
                                                   L"user_changed_setting",
                                                   L"default_opt_time"}));

    // Once the file says the user changed it, later saves keep writing it.
    MemoryStore marked;
    marked.values[{L"lockscreen", L"user_changed_setting"}] = L"1";
    AppSettings fresh = LoadFrom(marked);
    marked.writes.clear();
    fresh.Save(marked);
    EXPECT_EQ(marked.writes.back().first, L"lockscreen");
}

TEST(SettingsTest, NegativeNumbersAreWrittenSignExtended) {
    MemoryStore store;
    AppSettings s;
    s.lockScreenTime = -5;
    s.lockScreenTimeLoaded = 0;
    s.Save(store);
    EXPECT_EQ((store.values[{L"lockscreen", L"time"}]), L"-5");
}

struct FitCase {
    const wchar_t* text;
    bool parses;
    RectI fitted;
    bool maximised;
};

TEST(SettingsTest, PositionTextIsFittedIntoTheWorkArea) {
    const RectI work{0, 0, 1920, 1040};
    const FitCase cases[] = {
        {L"100_80_1000_700", true, {100, 80, 1000, 700}, false},
        {L"MAX", false, {}, true},
        {L"0_0_600_400", true, {0, 0, 600, 400}, true},
        {L"1500_900_2500_1700", true, {920, 240, 1920, 1040}, false},
        {L"-300_-20_700_600", true, {0, 0, 1000, 620}, false},
        {L"0_0_5000_5000", true, {0, 0, 1920, 1040}, false},
        {L"1_2_3", false, {}, true},
        {L"a_b_c_d", true, {0, 0, 0, 0}, true},
        {L"-2147483648_0_2147483647_900", true, {0, 0, 1920, 900}, false},
    };
    for (const FitCase& c : cases) {
        RectI r;
        ASSERT_EQ(ParsePositionText(c.text, r), c.parses) << c.text;
        if (!c.parses) continue;
        const RectI fitted = FitIntoWorkArea(r, work);
        EXPECT_EQ(fitted, c.fitted) << c.text;
        EXPECT_EQ(IsTooSmallToRestore(fitted), c.maximised) << c.text;
    }
    EXPECT_EQ(DefaultPositionText({0, 0, 1920, 1040}), L"320_104_1600_936");
    EXPECT_EQ(FormatPositionText({1, -2, 3, 4}), L"1_-2_3_4");
}

}  // namespace
