#pragma once
// A viewer started on a picture with a fresh data folder, closed after each test.
#include <gtest/gtest.h>

#include <string>

#include "pelion_driver.h"

class ViewerTest : public ::testing::Test {
protected:
    static constexpr DWORD kTimeout = 20000;

    void SetUp() override {
        driver::KillProcessesNamed(L"PelionTray.exe");
        driver::ResetDataFolder();
        ::CreateDirectoryW(driver::DataFolder().c_str(), nullptr);
    }
    void TearDown() override {
        if (m_process.Running()) {
            ::PostMessageW(m_main, WM_CLOSE, 0, 0);
            m_process.WaitExit(kTimeout);
        }
        driver::KillProcessesNamed(L"PelionTray.exe");
    }

    static std::wstring Fixture(const wchar_t* name) {
        return driver::TestBinFolder() + L"view_fixtures\\" + name;
    }

    // Opens the viewer on a picture (none for an empty path) with the given extra settings.
    HWND Open(const std::wstring& path, const std::wstring& keys = L"") {
        driver::WriteUtf16File(
            driver::DataFolder() + L"config.ini",
            L"[app]\r\nlast_position=100_100_1100_800\r\nshow_wheel_favorite=0\r\n" + keys);
        m_process = driver::Process::Start(driver::DistFolder() + L"PelionView.exe",
                                           path.empty() ? L"" : L"\"" + path + L"\"");
        m_main = m_process.WaitForWindow(driver::kMainClass, kTimeout);
        m_view = m_main ? ::GetDlgItem(m_main, 101) : nullptr;
        return m_main;
    }

    void Close() {
        ::PostMessageW(m_main, WM_CLOSE, 0, 0);
        m_process.WaitExit(kTimeout);
    }

    // The zoom percentage at the end of the caption, or -1.
    int CaptionPercent() const {
        const std::wstring t = driver::WindowTitle(m_main);
        const size_t pct = t.rfind(L'%');
        const size_t space = t.rfind(L' ', pct);
        if (pct == std::wstring::npos || space == std::wstring::npos) return -1;
        return _wtoi(t.substr(space + 1, pct - space - 1).c_str());
    }

    driver::Process m_process;
    HWND m_main = nullptr;
    HWND m_view = nullptr;
};
