#include "browse_test_env.h"

#include <gtest/gtest.h>

#include <memory>

#include "auto_init.h"
#include "browse_instances.h"
#include "browse_messages.h"
#include "current_picture.h"
#include "wic_factory.h"

namespace {

// COM, GDI+ and the imaging factory for the whole program; the process-wide objects go before
// them, as at the application's exit.
class BrowseEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        m_com = std::make_unique<FCAutoInitializeCOM>();
        m_gdiplus = std::make_unique<FCAutoInitGDIPlus>();
        CreateSharedWicFactory();
    }
    void TearDown() override {
        DestroySystemCache();
        DestroyFolderImage();
        CCurrentPicture::DestroyInstance();
        ReleaseSharedWicFactory();
        m_gdiplus.reset();
        m_com.reset();
    }

private:
    std::unique_ptr<FCAutoInitializeCOM> m_com;
    std::unique_ptr<FCAutoInitGDIPlus> m_gdiplus;
};

::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new BrowseEnvironment);

}  // namespace

TempFolder::TempFolder() {
    static int serial = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base(temp, n);
    while (!base.empty() && base.back() == L'\\') base.pop_back();
    for (;;) {
        m_path = base + L"\\pelion_browse_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                 std::to_wstring(++serial);
        if (::CreateDirectoryW(m_path.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() { RemoveAll(); }

void TempFolder::AddFile(const std::wstring& name) const {
    HANDLE file = ::CreateFileW((*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create a test file";
    ::CloseHandle(file);
}

void TempFolder::AddFolder(const std::wstring& name) const {
    ::CreateDirectoryW((*this / name).c_str(), nullptr);
}

void TempFolder::Delete(const std::wstring& name) const { ::DeleteFileW((*this / name).c_str()); }

void TempFolder::RemoveAll() const { driver::DeleteTree(m_path); }

std::wstring TestBinFile(const wchar_t* relative) { return driver::TestBinFolder() + relative; }

LRESULT NotifyCounter::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgFolderListChanged) {
        ++listChanged;
        return 0;
    }
    if (msg == kMsgPreloadWarmedUp) {
        ++warmedUp;
        return 0;
    }
    return FCMessageWindow::OnMessage(msg, wParam, lParam);
}
