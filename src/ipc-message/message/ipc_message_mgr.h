#pragma once
// The process's channel to the tray process.
#include <memory>
#include <string>

#include "channel_impl.h"

extern const wchar_t kChannelName[];
std::wstring ClientWindowName(const std::wstring& channel);
std::wstring ServerWindowName(const std::wstring& channel);

class CIPCMessageMgr {
public:
    static CIPCMessageMgr* Instance();
    static void DestroyInstance();

    void Open();
    void AddListener(IChannelListener* listener);
    void RemoveListener(IChannelListener* listener);
    // queued: hand the message to the sender thread; otherwise send on this thread.
    bool Send(const IPC::Message& message, bool queued, bool dispatchInline);
    void Close();
    CChannelImpl* Channel() { return m_channel.get(); }

private:
    std::unique_ptr<CChannelImpl> m_channel;
};
