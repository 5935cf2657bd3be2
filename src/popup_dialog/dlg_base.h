#pragma once
// Base of the modal skin dialogs.
#include "use_zip_resource_dui_wnd.h"

// Result codes the callers test.
enum DlgResult : UINT {
    kDlgConfirm = 1,
    kDlgDecline = 2,
    kDlgYes = 6,
    kDlgNo = 7,
    kDlgClosed = 8,
};

class CDlgBase : public CUseZipResourceDuiWnd {
public:
    // Creates the window owned by the application's main window, centres it and runs it
    // modally; returns the result code.
    UINT DoModal();
    // The application's main window, or null when there is none.
    static HWND MainWindow();
};
