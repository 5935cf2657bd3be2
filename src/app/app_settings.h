#pragma once
// The user's settings as plain values, with the rules for reading and writing them.
#include <cstdint>
#include <functional>
#include <string>

#include "settings_store.h"

struct RectI {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const RectI& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct AppSettings {
    std::wstring lastPosition;
    int32_t maxZoomRatio = 8;
    int32_t viewMargin = 24;
    uint32_t canvasColor = 0xFFFFFF;  // red in the low byte
    int32_t hardwareZoom = 0;
    int32_t gpsMapVendor = 0;
    int32_t toolbarDock = 1;
    std::wstring languageFile;
    int32_t showDeleteConfirm = 1;
    int32_t mouseWheelAction = 99;
    int32_t showWheelFavorite = 1;
    int32_t doubleClickAction = 0;
    int32_t viewFolderLoop = 0;
    int32_t rotateAutoSave = 0;
    int32_t longImageMode = 0;
    int32_t saveJpegQuality = 80;
    int32_t preloadEnable = 1;
    int32_t orientationByTag = 0;
    int32_t ignoreEmbeddedIcc = 0;
    int32_t onlyOneInstance = 0;
    int32_t completelyExit = 0;
    int32_t quickIndex = 1;
    int32_t setDefaultViewer = 0;
    int32_t defaultViewerStartTip = 1;
    int32_t userSetDefaultViewer = 0;
    int32_t lockScreenEnable = 0;
    int32_t lockScreenTime = 210;
    int32_t lockScreenDefaultTime = 210;
    int32_t userChangedLockTime = 0;
    int32_t lockScreenEnableLoaded = 0;
    int32_t lockScreenTimeLoaded = 210;
    int32_t enhanceMode = 0;
    int32_t uiFlag1 = 0;
    int32_t uiFlag2 = 1;

    // Reads every stored key; absent keys keep their fields. onLockEnable gets the raw
    // lock-screen value read, for the log. languageAbsent tells whether language_id was missing.
    void Load(ISettingsStore& store, const std::function<void(int64_t)>& onLockEnable,
              bool& languageAbsent);
    void LoadWheelAction(ISettingsStore& store);
    void Save(ISettingsStore& store) const;
};

// Clamping rules for the stored numbers.
int32_t ClampMaxZoomRatio(int64_t v);
int32_t ClampViewMargin(int64_t v);
int32_t ClampJpegQuality(int64_t v);
int32_t NormaliseWheelAction(int64_t v);
// "r,g,b" to a colour; false unless there are exactly three parts.
bool ParseCanvasColor(const std::wstring& text, uint32_t& color);
std::wstring FormatCanvasColor(uint32_t color);

// Window placement text: "MAX" or "left_top_right_bottom".
std::wstring DefaultPositionText(const RectI& workArea);
bool ParsePositionText(const std::wstring& text, RectI& rect);
RectI FitIntoWorkArea(RectI rect, const RectI& workArea);
// A restored rectangle this small is shown maximised instead.
inline bool IsTooSmallToRestore(const RectI& r) { return r.Width() < 700 || r.Height() < 500; }
std::wstring FormatPositionText(const RectI& r);
