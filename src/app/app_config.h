#pragma once
// The one in-memory copy of the user's settings, loaded from config.ini in the data folder.
#include <windows.h>

#include "app_settings.h"
#include "ini_file_store.h"
#include "win_handle.h"

class CAppConfig : public AppSettings {
public:
    static CAppConfig* Instance();

    CAppConfig();
    void Load();
    void Save();
    void ReloadWheelAction();
    int ReadCaptureHotkey();
    void RestorePosition(HWND wnd);
    void StorePosition(HWND wnd);

    HBRUSH BackgroundBrush() const { return static_cast<HBRUSH>(m_brush.get()); }
    const std::wstring& FilePath() const { return m_store.Path(); }

    // Run-time only: 1 while the actual-size command means actual size, 0 while it means fit.
    int actualSizeFlag = 1;

private:
    CIniFileStore m_store;
    UniqueGdiObject m_brush;
};
