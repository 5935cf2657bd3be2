#include "ipc_message_mgr.h"

#include "singleton.h"

const wchar_t kChannelName[] = L"PlIPC-be3d8fcf43482b49";

std::wstring ClientWindowName(const std::wstring& channel) {
    return (L"Pelion.Client.MsgClass." + channel).substr(0, 259);
}

std::wstring ServerWindowName(const std::wstring& channel) {
    return (L"Pelion.Server.MsgClass." + channel).substr(0, 259);
}

CIPCMessageMgr* CIPCMessageMgr::Instance() { return CSingletonT<CIPCMessageMgr>::Instance(); }
void CIPCMessageMgr::DestroyInstance() { CSingletonT<CIPCMessageMgr>::DestroyInstance(); }

void CIPCMessageMgr::Open() {
    if (m_channel) return;
    IPC::Message::SetProcessId(::GetCurrentProcessId());
    m_channel = std::make_unique<CChannelImpl>(ClientWindowName(kChannelName),
                                               ServerWindowName(kChannelName));
    m_channel->Connect();
}

void CIPCMessageMgr::AddListener(IChannelListener* listener) {
    if (m_channel) m_channel->AddListener(listener);
}

void CIPCMessageMgr::RemoveListener(IChannelListener* listener) {
    if (m_channel) m_channel->RemoveListener(listener);
}

bool CIPCMessageMgr::Send(const IPC::Message& message, bool queued, bool dispatchInline) {
    if (!m_channel) return false;
    if (queued) {
        m_channel->SendQueued(message);
        return true;
    }
    return m_channel->SendImpl(message, dispatchInline);
}

void CIPCMessageMgr::Close() {
    if (m_channel) m_channel->Close();
}
