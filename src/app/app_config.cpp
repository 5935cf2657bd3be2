#include "app_config.h"

#include "folders.h"
#include "language.h"
#include "my_log.h"
#include "singleton.h"
#include "text_util.h"

CAppConfig* CAppConfig::Instance() { return CSingletonT<CAppConfig>::Instance(); }

CAppConfig::CAppConfig() : m_store(DataFolder() + L"config.ini") {
    Load();
}

void CAppConfig::Load() {
    PLOG_INFO << L"CAppConfig:" << m_store.Path();
    bool languageAbsent = true;
    AppSettings::Load(
        m_store, [](int64_t v) { PLOG_INFO << L"CAppConfig enable:" << v; }, languageAbsent);
    AdoptLanguageFile(languageAbsent ? ChooseLanguageFile() : languageFile);
    languageFile = LanguageFileName();
    m_brush.reset(::CreateSolidBrush(canvasColor));
}

void CAppConfig::Save() {
    m_store.CreateUnicodeFileIfMissing();
    AppSettings::Save(m_store);
}

void CAppConfig::ReloadWheelAction() { AppSettings::LoadWheelAction(m_store); }

int CAppConfig::ReadCaptureHotkey() {
    const std::wstring text = m_store.Read(L"Default", L"sniptool_hotkey", 32);
    return IsAbsentText(text) ? 0 : int(textutil::ParseInt64Prefix(text));
}

namespace {
RectI WorkArea() {
    RECT r = {0, 0, 1024, 768};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}
}  // namespace

void CAppConfig::RestorePosition(HWND wnd) {
    const RectI work = WorkArea();
    if (lastPosition.empty()) lastPosition = DefaultPositionText(work);
    RectI rect;
    if (!ParsePositionText(lastPosition, rect)) {
        ::ShowWindow(wnd, SW_SHOWMAXIMIZED);
        return;
    }
    rect = FitIntoWorkArea(rect, work);
    if (IsTooSmallToRestore(rect)) {
        ::ShowWindow(wnd, SW_SHOWMAXIMIZED);
        return;
    }
    ::SetWindowPos(wnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOACTIVATE | SWP_NOZORDER);
}

void CAppConfig::StorePosition(HWND wnd) {
    if (::IsZoomed(wnd)) {
        lastPosition = L"MAX";
        return;
    }
    RECT r;
    if (::IsIconic(wnd)) {
        // A minimised window's rectangle is off screen; keep the one it will come back to.
        WINDOWPLACEMENT wp = {sizeof(wp)};
        if (!::GetWindowPlacement(wnd, &wp)) return;
        r = wp.rcNormalPosition;
    } else if (!::GetWindowRect(wnd, &r)) {
        return;
    }
    lastPosition = FormatPositionText({r.left, r.top, r.right, r.bottom});
}
