#pragma once
// The application object: static construction, InitInstance, ExitInstance.
#include <memory>

#include "auto_init.h"
#include "ipc_receiver.h"
#include "win_app.h"

class COrbviewApp : public CWinApp {
public:
    COrbviewApp();
    ~COrbviewApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // Hands a pending update to the tray; true when this start is to end.
    bool HandOverPendingUpdate();
    bool SkinArchiveExists() const;
    void CreateReceivers();

    std::unique_ptr<FCAutoInitGDIPlus> m_gdiplus;
    std::unique_ptr<FCAutoInitializeCOM> m_com;
    std::unique_ptr<CIPCReceiver> m_receiver;
    std::unique_ptr<CIPCAlwaysReceiver> m_alwaysReceiver;
};

COrbviewApp& GetOrbviewApp();
