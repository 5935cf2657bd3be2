#include "orbview_app.h"

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include "app_config.h"
#include "browse_instances.h"
#include "command_line.h"
#include "companion_process.h"
#include "crash_report.h"
#include "current_picture.h"
#include "dlg_mouse_wheel_favorite2.h"
#include "folders.h"
#include "hubcore_client.h"
#include "ipc_message_mgr.h"
#include "kernel_objects.h"
#include "language.h"
#include "message_box.h"
#include "my_log.h"
#include "orbview_dlg.h"
#include "picture_opening.h"
#include "singleton.h"
#include "wic_factory.h"
#include "window_title.h"
#include "wnd_main_image_view.h"

namespace {

COrbviewApp theApp;

const wchar_t kUpdateBlockMutex[] = L"PELION_570E6FBC-027B-461C-9218-8447018C832F";
const wchar_t kUpdateGuardMutex[] = L"2D098700-B9D3-4C9A-BEE1-991CD8189F15";

CCommandLine* CommandLine() { return CommandLineInstance(); }

void ShowSkinMissingMessage() {
    // The copy of the message box inside the executable works without the skin archive.
    CMessageBox::Show(L"图片查看失败，请重新下载看图软件", nullptr, 0, L"left", 1);
}

}  // namespace

COrbviewApp& GetOrbviewApp() { return theApp; }

COrbviewApp::COrbviewApp() {
    CMyLog::Instance()->Open();
    CAppConfig::Instance();
    m_appName = GetText(L"app", L"NAME");
    EnsureFolders();
}

COrbviewApp::~COrbviewApp() = default;

bool COrbviewApp::HandOverPendingUpdate() {
    const std::wstring file = ProgramFolder() + L"config.ini";
    if (!::PathFileExistsW(file.c_str())) return false;
    wchar_t state[260] = {};
    ::GetPrivateProfileStringW(L"update", L"state", L"", state, 260, file.c_str());
    if (std::wstring(state) != L"pictaUpdate" || kernel_objects::IsMutexPresent(kUpdateBlockMutex))
        return false;
    const unsigned long guard = kernel_objects::ProbeMutex(kUpdateGuardMutex);
    if (guard == ERROR_ALREADY_EXISTS || guard == ERROR_ACCESS_DENIED) return true;
    const std::wstring args = CommandLine()->GetText() + L" --need-upgrade-privilege-now --entry=main";
    if (IsTrayRunning()) return false;
    return LaunchTray(args + L" --from=main");
}

bool COrbviewApp::SkinArchiveExists() const {
    const std::wstring folder = ProgramFolder() + L"resources";
    const DWORD attr = ::GetFileAttributesW(folder.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const DWORD zip = ::GetFileAttributesW((folder + L"\\res.zip").c_str());
    return zip != INVALID_FILE_ATTRIBUTES && !(zip & FILE_ATTRIBUTE_DIRECTORY);
}

void COrbviewApp::CreateReceivers() {
    if (CAppConfig::Instance()->onlyOneInstance) {
        if (!m_receiver) {
            m_receiver = std::make_unique<CIPCReceiver>();
            m_receiver->Create();
        }
    } else {
        m_receiver.reset();
    }
    if (!m_alwaysReceiver) {
        m_alwaysReceiver = std::make_unique<CIPCAlwaysReceiver>();
        m_alwaysReceiver->Create();
    }
}

BOOL COrbviewApp::InitInstance() {
    m_com.reset();
    m_gdiplus.reset();
    m_com = std::make_unique<FCAutoInitializeCOM>();
    m_gdiplus = std::make_unique<FCAutoInitGDIPlus>();
    CreateSharedWicFactory();

    CommandLine()->Parse(m_cmdLine);
    if (!CommandLine()->DispatchStartup()) return FALSE;
    // hubcore.dll is required from here on; loading it ends the process when it is missing.
    CAppConfig::Instance()->quickIndex = CPLibWrapper::Instance()->GetQuickIndex();
    if (HandOverPendingUpdate()) return FALSE;

    SetCrashInfo(L"pelionmain", 0, nullptr);
    InstallCrashHandler();

    INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);

    markup::CResourceManager::SetInstance(m_hInstance);
    markup::CResourceManager::SetResourcePath(ProgramFolder() + L"resources");
    markup::CResourceManager::SetResourceZip(L"res.zip");
    if (!SkinArchiveExists()) {
        ShowSkinMissingMessage();
        ::ExitProcess(static_cast<UINT>(-1));
    }
    CreateReceivers();
    ConnectPictureToTitle();
    WndMainImageView::SetWheelQuestion([](HWND) {
        if (DlgMouseWheelFavorite2::Current()) return;
        DlgMouseWheelFavorite2 question;
        question.DoModal();
    });

    COrbviewDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int COrbviewApp::ExitInstance() {
    if (CSingletonT<CCurrentPicture>::Exists()) {
        CCurrentPicture::Instance()->Close();
        CCurrentPicture::DestroyInstance();
    }
    DestroySystemCache();
    DestroyFolderImage();
    CleanTemporaryFiles();
    ReleaseSharedWicFactory();
    m_gdiplus.reset();
    m_com.reset();
    FinishUsageEvents();
    m_receiver.reset();
    m_alwaysReceiver.reset();
    CWindowTitle::DestroyInstance();
    CPLibWrapper::DestroyInstance();
    CIPCMessageMgr::DestroyInstance();
    CMyLog::DestroyInstance();
    DestroyCommandLineInstance();
    return CWinApp::ExitInstance();
}
