// Test host for the skin boxes: shows one box on request, the way the viewer's commands will,
// and ends with an exit code that tells the test what the box returned.
//   skin_box_host <kind> [--owner | --owner-minimised] [--linger] [--skin <folder>] [args]
//   kinds: msgbox <style> <align> <embedded> <text> [button text], deltip, wheel,
//          convert <file name>, big, badlayout
// Exit code: the result code in the low byte; for convert the chosen index + 1, for deltip
// show_delete_confirm, shifted left by 8.
#include <windows.h>

#include <string>
#include <vector>

#include "app_config.h"
#include "auto_init.h"
#include "convert_msg_box.h"
#include "dlg_delete_confirm2.h"
#include "dlg_mouse_wheel_favorite2.h"
#include "folders.h"
#include "message_box.h"
#include "my_log.h"
#include "win_app.h"
#include "wnd.h"

namespace {

// A dialog whose layout is larger than any work area.
class BigDialog : public CDlgBase {
public:
    const wchar_t* GetWindowClassName() const override { return L"BigTestDialog"; }
    std::wstring GetSkinFile() override { return L"big.xml"; }
    bool LoadLayout(std::string& xml) override {
        xml = "<Window size=\"4000,3000\"><VerticalLayout bkcolor=\"#FFEEEEEE\">"
              "<Button name=\"cls\" height=\"40\" text=\"x\"/></VerticalLayout></Window>";
        return true;
    }
    void OnClick(markup::TNotifyUI& msg) override {
        if (msg.pSender->GetName() == L"cls") Close(kDlgDecline);
    }
};

// A box whose layout is missing from the archive.
class BadLayoutBox : public CDlgBase {
public:
    const wchar_t* GetWindowClassName() const override { return L"BadLayoutBox"; }
    std::wstring GetSkinFile() override { return L"no-such-layout.xml"; }
};

class OwnerWindow : public CWnd {
protected:
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg == WM_DESTROY) ::PostQuitMessage(0);
        result = 0;
        return false;
    }
};

class HostApp : public CWinApp {
public:
    BOOL InitInstance() override;

private:
    int RunBox(const std::vector<std::wstring>& args);
    OwnerWindow m_owner;
};

HostApp theApp;

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

int HostApp::RunBox(const std::vector<std::wstring>& a) {
    const std::wstring kind = a.empty() ? L"" : a[0];
    const HWND owner = m_owner.GetSafeHwnd();
    auto arg = [&](size_t i) { return i < a.size() ? a[i] : std::wstring(); };
    if (kind == L"msgbox") {
        const UINT style = UINT(_wtoi(arg(1).c_str()));
        if (a.size() > 5) return int(CMessageBox::ShowWithButtonText(arg(4), owner, arg(5)));
        return int(CMessageBox::Show(arg(4), owner, style, arg(2), _wtoi(arg(3).c_str())));
    }
    if (kind == L"deltip") {
        DlgDeleteConfirm2 dlg;
        const UINT r = dlg.DoModal();
        return int(r | (UINT(CAppConfig::Instance()->showDeleteConfirm) << 8));
    }
    if (kind == L"wheel") {
        DlgMouseWheelFavorite2 dlg;
        if (DlgMouseWheelFavorite2::Current() != &dlg) return 99;
        return int(dlg.DoModal());
    }
    if (kind == L"convert") {
        CConvertMsgBox box(owner, arg(1), {L"JPG", L"PNG", L"BMP", L"TIFF", L"WEBP"});
        const UINT r = box.Show();
        return int(r | (UINT(box.SelectedIndex() + 1) << 8));
    }
    if (kind == L"big") {
        BigDialog dlg;
        return int(dlg.DoModal());
    }
    if (kind == L"badlayout") {
        BadLayoutBox dlg;
        return int(dlg.DoModal());
    }
    return 100;
}

BOOL HostApp::InitInstance() {
    // The log as the viewer keeps it (written only while its marker file exists).
    CMyLog::Instance()->Open();
    EnsureFolders();
    FCAutoInitializeCOM com;
    FCAutoInitGDIPlus gdiplus;
    markup::CResourceManager::SetInstance(m_hInstance);
    std::wstring skin = ExeFolder() + L"..\\dist\\resources";

    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    bool wantOwner = false, minimised = false, linger = false;
    for (int i = 1; argv && i < argc; ++i) {
        const std::wstring s = argv[i];
        if (s == L"--owner") wantOwner = true;
        else if (s == L"--owner-minimised") wantOwner = minimised = true;
        else if (s == L"--linger") linger = true;
        else if (s == L"--skin" && i + 1 < argc) skin = argv[++i];
        else args.push_back(s);
    }
    if (argv) ::LocalFree(argv);
    markup::CResourceManager::SetResourcePath(skin);
    markup::CResourceManager::SetResourceZip(L"res.zip");

    if (wantOwner) {
        CWnd::RegisterClass(L"SkinHostOwner", CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        m_owner.CreateEx(0, L"SkinHostOwner", L"owner", WS_OVERLAPPEDWINDOW, 100, 100, 800, 600,
                         nullptr, nullptr);
        ::ShowWindow(m_owner.GetSafeHwnd(), minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
        m_pMainWnd = &m_owner;
    }
    m_exitCode = RunBox(args);
    if (linger && m_owner.GetSafeHwnd()) {
        // The test looks at the owner after the box and closes it.
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_pMainWnd = nullptr;
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
    return AfxWinMain(instance, cmdLine);
}
