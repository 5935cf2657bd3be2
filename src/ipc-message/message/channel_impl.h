#pragma once
// One end of a typed channel: a message-only window that exchanges IPC::Message records with
// the peer window of the same channel name by WM_COPYDATA.
#include <windows.h>

#include <deque>
#include <map>
#include <vector>
#include <memory>
#include <set>
#include <string>

#include "channel_listener.h"
#include "critical_section.h"
#include "win_handle.h"
#include "wnd.h"

constexpr ULONG_PTR kChannelPosted = 0x8888;
constexpr ULONG_PTR kChannelInline = 0x8889;

class CChannelImpl : public CWnd {
public:
    // ownName and peerName are window class names and titles at once.
    CChannelImpl(std::wstring ownName, std::wstring peerName);
    ~CChannelImpl() override;

    bool Connect();
    bool SendImpl(const IPC::Message& message, bool dispatchInline);
    void SendQueued(const IPC::Message& message);
    void AddListener(IChannelListener* listener);
    void RemoveListener(IChannelListener* listener);
    void Close();
    HWND PeerWindow() const { return m_peer; }

    // Delivers a received record to the listeners it is addressed to.
    void Dispatch(const char* data, size_t length);

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND FindPeer() const;
    void OnMonitorTimer();
    void SenderLoop();
    static DWORD WINAPI SenderThread(void* self);
    void DropPostedRecords();
    // Records received for later dispatch, by number: the posted message carries the number,
    // never a pointer, since any process can post to this window.
    std::map<uint32_t, std::vector<char>> m_posted;
    uint32_t m_nextPosted = 0;
    bool SendTo(HWND target, const IPC::Message& message, bool dispatchInline);

    std::wstring m_ownName, m_peerName;
    HWND m_peer = nullptr;
    UINT_PTR m_timer = 0;
    bool m_closed = false;
    bool m_shuttingDown = false;

    _BaseModule::CCriticalSection m_listenerLock;
    std::set<IChannelListener*> m_listeners;

    _BaseModule::CCriticalSection m_queueLock;
    std::deque<std::unique_ptr<IPC::Message>> m_queue;
    UniqueHandle m_sender;
    UniqueHandle m_stopEvent;
    UniqueHandle m_queueEvent;
};
