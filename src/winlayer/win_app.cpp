#include "win_app.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_exitCode = int(msg.wParam);
    return ExitInstance();
}

CWinApp* AfxGetApp() { return g_app; }

int AfxWinMain(HINSTANCE instance, const wchar_t* cmdLine) {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = instance;
    app->m_cmdLine = cmdLine ? cmdLine : L"";
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
