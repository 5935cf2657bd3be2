#include "app_settings.h"

#include <cstdio>
#include <cwchar>

#include "text_util.h"

using textutil::ParseInt64Prefix;

std::wstring ReadLongKey(ISettingsStore& store, const std::wstring& section,
                         const std::wstring& key) {
    std::wstring text = store.Read(section, key, 256);
    if (text.size() > 248) text = store.Read(section, key, 4096);
    return text;
}

int32_t ClampMaxZoomRatio(int64_t v) {
    if (v > 31) return 32;
    if (v < 5) return 4;
    return int32_t(v);
}

int32_t ClampViewMargin(int64_t v) {
    if (v > 63) return 64;
    if (v < 1) return 0;
    return int32_t(v);
}

int32_t ClampJpegQuality(int64_t v) {
    if (v > 99) return 100;
    if (v < 1) return 0;
    return int32_t(v);
}

int32_t NormaliseWheelAction(int64_t v) {
    if (v == 99) return 99;
    return v != 0 ? 1 : 0;
}

bool ParseCanvasColor(const std::wstring& text, uint32_t& color) {
    const auto parts = textutil::Split(text, L',');
    if (parts.size() != 3) return false;
    const uint32_t r = uint32_t(textutil::ParseInt32Strict(parts[0])) & 0xFF;
    const uint32_t g = uint32_t(textutil::ParseInt32Strict(parts[1])) & 0xFF;
    const uint32_t b = uint32_t(textutil::ParseInt32Strict(parts[2])) & 0xFF;
    color = r | (g << 8) | (b << 16);
    return true;
}

std::wstring FormatCanvasColor(uint32_t color) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%d,%d,%d", int(color & 0xFF), int((color >> 8) & 0xFF),
                  int((color >> 16) & 0xFF));
    return buf;
}

namespace {

const wchar_t kApp[] = L"app";
const wchar_t kLock[] = L"lockscreen";

// Reads a short numeric key; false when it is absent.
bool ReadNumber(ISettingsStore& store, const wchar_t* section, const wchar_t* key, int64_t& v) {
    const std::wstring text = store.Read(section, key, 32);
    if (IsAbsentText(text)) return false;
    v = ParseInt64Prefix(text);
    return true;
}

void ReadBool(ISettingsStore& store, const wchar_t* key, int32_t& field) {
    int64_t v;
    if (ReadNumber(store, kApp, key, v)) field = v != 0 ? 1 : 0;
}

std::wstring Number(int32_t v) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%lld", static_cast<long long>(v));
    return buf;
}

}  // namespace

void AppSettings::LoadWheelAction(ISettingsStore& store) {
    ReadBool(store, L"show_wheel_favorite", showWheelFavorite);
    int64_t v;
    if (ReadNumber(store, kApp, L"mouse_wheel_action", v)) mouseWheelAction = NormaliseWheelAction(v);
    if (showWheelFavorite == 1) mouseWheelAction = 99;
}

void AppSettings::Load(ISettingsStore& store, const std::function<void(int64_t)>& onLockEnable,
                       bool& languageAbsent) {
    int64_t v;
    std::wstring text = ReadLongKey(store, kApp, L"last_position");
    if (!IsAbsentText(text)) lastPosition = text;
    if (ReadNumber(store, kApp, L"max_zoom_ratio", v)) maxZoomRatio = ClampMaxZoomRatio(v);
    if (ReadNumber(store, kApp, L"view_margin", v)) viewMargin = ClampViewMargin(v);
    text = ReadLongKey(store, kApp, L"canvas_back_color");
    if (!IsAbsentText(text)) ParseCanvasColor(text, canvasColor);
    ReadBool(store, L"hardware_zoom", hardwareZoom);
    ReadBool(store, L"gps_map_vendor", gpsMapVendor);
    ReadBool(store, L"toolbar_dock", toolbarDock);
    // An empty language value is a name; only a missing key is absent.
    text = ReadLongKey(store, kApp, L"language_id");
    languageAbsent = text == L"\n";
    if (!languageAbsent) languageFile = text;
    ReadBool(store, L"show_delete_confirm", showDeleteConfirm);
    LoadWheelAction(store);
    ReadBool(store, L"double_click_action", doubleClickAction);
    ReadBool(store, L"view_folder_loop", viewFolderLoop);
    ReadBool(store, L"rotate_auto_save", rotateAutoSave);
    ReadBool(store, L"long_image_mode", longImageMode);
    if (ReadNumber(store, kApp, L"save_jpeg_quality", v)) saveJpegQuality = ClampJpegQuality(v);
    ReadBool(store, L"preload_enable", preloadEnable);
    ReadBool(store, L"orientation_by_tag", orientationByTag);
    ReadBool(store, L"ignore_embedded_icc", ignoreEmbeddedIcc);
    ReadBool(store, L"only_one_instance", onlyOneInstance);
    ReadBool(store, L"set_default_viewer", setDefaultViewer);
    ReadBool(store, L"default_viewer_start_tip", defaultViewerStartTip);
    ReadBool(store, L"completely_exit", completelyExit);
    ReadBool(store, L"user_set_default_viewer", userSetDefaultViewer);
    if (ReadNumber(store, kLock, L"enable", v)) {
        lockScreenEnable = v == 1 ? 1 : 0;
        if (onLockEnable) onLockEnable(v);
    }
    if (ReadNumber(store, kLock, L"time", v)) lockScreenTime = int32_t(v);
    if (ReadNumber(store, kLock, L"default_opt_time", v)) lockScreenDefaultTime = int32_t(v);
    if (ReadNumber(store, kLock, L"user_changed_time", v)) userChangedLockTime = v != 0 ? 1 : 0;
    lockScreenEnableLoaded = lockScreenEnable;
    lockScreenTimeLoaded = lockScreenTime;
}

void AppSettings::Save(ISettingsStore& store) const {
    store.Write(kApp, L"last_position", lastPosition);
    store.Write(kApp, L"max_zoom_ratio", Number(maxZoomRatio));
    store.Write(kApp, L"view_margin", Number(viewMargin));
    store.Write(kApp, L"canvas_back_color", FormatCanvasColor(canvasColor));
    store.Write(kApp, L"hardware_zoom", Number(hardwareZoom));
    store.Write(kApp, L"gps_map_vendor", Number(gpsMapVendor));
    store.Write(kApp, L"toolbar_dock", Number(toolbarDock));
    store.Write(kApp, L"language_id", languageFile);
    store.Write(kApp, L"show_delete_confirm", Number(showDeleteConfirm));
    store.Write(kApp, L"mouse_wheel_action", Number(mouseWheelAction));
    store.Write(kApp, L"show_wheel_favorite", Number(showWheelFavorite));
    store.Write(kApp, L"double_click_action", Number(doubleClickAction));
    store.Write(kApp, L"view_folder_loop", Number(viewFolderLoop));
    store.Write(kApp, L"rotate_auto_save", Number(rotateAutoSave));
    store.Write(kApp, L"long_image_mode", Number(longImageMode));
    store.Write(kApp, L"save_jpeg_quality", Number(saveJpegQuality));
    store.Write(kApp, L"preload_enable", Number(preloadEnable));
    store.Write(kApp, L"preload_thread", Number(3));
    store.Write(kApp, L"orientation_by_tag", Number(orientationByTag));
    store.Write(kApp, L"ignore_embedded_icc", Number(ignoreEmbeddedIcc));
    store.Write(kApp, L"only_one_instance", Number(onlyOneInstance));
    store.Write(kApp, L"set_default_viewer", Number(setDefaultViewer));
    store.Write(kApp, L"default_viewer_start_tip", Number(defaultViewerStartTip));
    store.Write(kApp, L"completely_exit", Number(completelyExit));
    store.Write(kApp, L"user_set_default_viewer", Number(userSetDefaultViewer));

    // The lock-screen section belongs to the tray; write it only once the user has touched it.
    int64_t changedSetting = 0;
    const bool touched = (ReadNumber(store, kLock, L"user_changed_setting", changedSetting) &&
                          changedSetting != 0) ||
                         lockScreenEnable != lockScreenEnableLoaded ||
                         lockScreenTime != lockScreenTimeLoaded;
    if (!touched) return;
    store.Write(kLock, L"enable", Number(lockScreenEnable));
    store.Write(kLock, L"time", Number(lockScreenTime));
    store.Write(kLock, L"user_changed_time", Number(userChangedLockTime));
    store.Write(kLock, L"user_changed_setting", Number(1));
    store.Write(kLock, L"default_opt_time", Number(lockScreenDefaultTime));
}

std::wstring FormatPositionText(const RectI& r) {
    wchar_t buf[96];
    std::swprintf(buf, 96, L"%d_%d_%d_%d", r.left, r.top, r.right, r.bottom);
    return buf;
}

std::wstring DefaultPositionText(const RectI& work) {
    const int dx = work.Width() / 6;
    const int dy = work.Height() / 10;
    return FormatPositionText({work.left + dx, work.top + dy, work.right - dx, work.bottom - dy});
}

bool ParsePositionText(const std::wstring& text, RectI& rect) {
    const auto parts = textutil::Split(text, L'_');
    if (parts.size() != 4) return false;
    rect.left = textutil::ParseInt32Strict(parts[0]);
    rect.top = textutil::ParseInt32Strict(parts[1]);
    rect.right = textutil::ParseInt32Strict(parts[2]);
    rect.bottom = textutil::ParseInt32Strict(parts[3]);
    return true;
}

RectI FitIntoWorkArea(RectI r, const RectI& work) {
    // 64-bit arithmetic: stored numbers may be anything an int holds.
    int64_t left = r.left, top = r.top;
    int64_t width = int64_t(r.right) - r.left, height = int64_t(r.bottom) - r.top;
    if (width > work.Width()) width = work.Width();
    if (height > work.Height()) height = work.Height();
    if (left + width > work.right) left = int64_t(work.right) - width;
    else if (left < 0) left = 0;
    if (top + height > work.bottom) top = int64_t(work.bottom) - height;
    else if (top < 0) top = 0;
    return {int(left), int(top), int(left + width), int(top + height)};
}
