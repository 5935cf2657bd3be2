#pragma once
// Thin application base: one object per process, InitInstance / ExitInstance around the run.
#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns FALSE to skip the message loop and go straight to ExitInstance.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return m_exitCode; }
    virtual int Run();

    HINSTANCE m_hInstance = nullptr;
    // The command line after the program name.
    std::wstring m_cmdLine;
    std::wstring m_appName;
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;
};

CWinApp* AfxGetApp();

// The process entry calls this; it drives the application object.
int AfxWinMain(HINSTANCE instance, const wchar_t* cmdLine);
