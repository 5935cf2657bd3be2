#include "channel_impl.h"

#include <vector>

namespace {
constexpr UINT_PTR kMonitorTimer = 100;
constexpr UINT kMsgPosted = WM_USER + 100;
constexpr UINT kMsgDestroy = WM_USER + 101;
// Received records larger than this are dropped; the viewer's messages are a few bytes.
constexpr DWORD kMaxRecord = 1024 * 1024;
}  // namespace

CChannelImpl::CChannelImpl(std::wstring ownName, std::wstring peerName)
    : m_ownName(ownName.substr(0, 259)), m_peerName(peerName.substr(0, 259)) {}

CChannelImpl::~CChannelImpl() { Close(); }

HWND CChannelImpl::FindPeer() const {
    HWND peer = ::FindWindowW(m_peerName.c_str(), m_peerName.c_str());
    if (!peer) peer = ::FindWindowExW(HWND_MESSAGE, nullptr, m_peerName.c_str(), m_peerName.c_str());
    return peer;
}

bool CChannelImpl::Connect() {
    if (m_hWnd) return true;
    m_peer = FindPeer();
    if (!RegisterClass(m_ownName.c_str(), 0)) return false;
    return CreateEx(0, m_ownName.c_str(), m_ownName.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

bool CChannelImpl::SendTo(HWND target, const IPC::Message& message, bool dispatchInline) {
    COPYDATASTRUCT cds = {};
    cds.dwData = dispatchInline ? kChannelInline : kChannelPosted;
    cds.cbData = DWORD(message.size());
    cds.lpData = const_cast<char*>(message.data());
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hWnd),
                                 reinterpret_cast<LPARAM>(&cds), SMTO_NOTIMEOUTIFNOTHUNG, 5000,
                                 &result) != 0;
}

bool CChannelImpl::SendImpl(const IPC::Message& message, bool dispatchInline) {
    HWND peer = m_peer;
    if (!::IsWindow(peer)) peer = m_peer = FindPeer();
    if (::IsWindow(peer)) SendTo(peer, message, dispatchInline);
    // Broadcasts reach this side's listeners too.
    if (message.routing_id() == 0 && m_hWnd) SendTo(m_hWnd, message, dispatchInline);
    return peer != nullptr;
}

void CChannelImpl::SendQueued(const IPC::Message& message) {
    _BaseModule::CAutoLocker lock(m_queueLock);
    if (m_closed) return;
    m_queue.push_back(std::make_unique<IPC::Message>(message));
    if (!m_sender) {
        m_stopEvent.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        m_queueEvent.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        if (!m_stopEvent || !m_queueEvent) return;
        m_sender.reset(::CreateThread(nullptr, 0, &CChannelImpl::SenderThread, this, 0, nullptr));
    }
    ::SetEvent(m_queueEvent.get());
}

DWORD WINAPI CChannelImpl::SenderThread(void* self) {
    static_cast<CChannelImpl*>(self)->SenderLoop();
    return 0;
}

void CChannelImpl::SenderLoop() {
    HANDLE events[2] = {m_stopEvent.get(), m_queueEvent.get()};
    for (;;) {
        const DWORD r = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
        if (r != WAIT_OBJECT_0 + 1) return;
        std::unique_ptr<IPC::Message> next;
        {
            _BaseModule::CAutoLocker lock(m_queueLock);
            if (m_queue.empty()) continue;
            next = std::move(m_queue.front());
            m_queue.pop_front();
            if (!m_queue.empty()) ::SetEvent(m_queueEvent.get());
        }
        if (next->type() != 0) SendImpl(*next, false);
    }
}

void CChannelImpl::AddListener(IChannelListener* listener) {
    _BaseModule::CAutoLocker lock(m_listenerLock);
    if (listener) m_listeners.insert(listener);
}

void CChannelImpl::RemoveListener(IChannelListener* listener) {
    _BaseModule::CAutoLocker lock(m_listenerLock);
    m_listeners.erase(listener);
}

void CChannelImpl::Dispatch(const char* data, size_t length) {
    std::set<IChannelListener*> listeners;
    {
        _BaseModule::CAutoLocker lock(m_listenerLock);
        listeners = m_listeners;
    }
    const IPC::Message message(data, length);
    if (message.HeaderSize() < size_t(IPC::Message::kHeaderSize)) return;  // malformed
    for (IChannelListener* l : listeners) {
        if (message.routing_id() == 0 || l->GetRoutingId() == message.routing_id())
            l->OnMessageReceived(message);
    }
}

void CChannelImpl::OnMonitorTimer() {
    if (!m_peer) {
        m_peer = FindPeer();
        return;
    }
    if (::IsWindow(m_peer)) return;
    ::KillTimer(m_hWnd, kMonitorTimer);
    m_timer = 0;
    if (m_stopEvent) ::SetEvent(m_stopEvent.get());
    std::set<IChannelListener*> listeners;
    {
        _BaseModule::CAutoLocker lock(m_listenerLock);
        listeners = m_listeners;
    }
    for (IChannelListener* l : listeners)
        if (auto* l2 = dynamic_cast<IChannelListener2*>(l)) l2->OnChannelError(m_shuttingDown);
}

bool CChannelImpl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_CREATE:
        m_timer = ::SetTimer(m_hWnd, kMonitorTimer, 1000, nullptr);
        result = 0;
        return true;
    case WM_QUERYENDSESSION:
        m_shuttingDown = true;
        result = TRUE;
        return true;
    case WM_COPYDATA: {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        result = TRUE;
        if (!cds || !cds->lpData || cds->cbData == 0 || cds->cbData > kMaxRecord) return true;
        if (cds->dwData == kChannelPosted) {
            if (m_posted.size() >= 1024) return true;  // a flood is dropped, not queued
            const uint32_t id = ++m_nextPosted;
            const char* bytes = static_cast<const char*>(cds->lpData);
            m_posted[id].assign(bytes, bytes + cds->cbData);
            if (!::PostMessageW(m_hWnd, kMsgPosted, WPARAM(id), 0)) m_posted.erase(id);
        } else if (cds->dwData == kChannelInline) {
            Dispatch(static_cast<const char*>(cds->lpData), cds->cbData);
        }
        return true;
    }
    case WM_TIMER:
        if (wParam == kMonitorTimer) OnMonitorTimer();
        result = 0;
        return true;
    case kMsgPosted: {
        auto it = m_posted.find(uint32_t(wParam));
        if (it != m_posted.end()) {
            const std::vector<char> record = std::move(it->second);
            m_posted.erase(it);
            Dispatch(record.data(), record.size());
        }
        result = 0;
        return true;
    }
    case WM_DESTROY:
        DropPostedRecords();
        return false;
    case kMsgDestroy:
        ::DestroyWindow(m_hWnd);
        result = 0;
        return true;
    default:
        return false;
    }
}

void CChannelImpl::Close() {
    if (m_closed) return;
    m_closed = true;
    if (m_hWnd && m_timer) ::KillTimer(m_hWnd, kMonitorTimer);
    m_timer = 0;
    if (m_sender) {
        ::SetEvent(m_stopEvent.get());
        ::WaitForSingleObject(m_sender.get(), 10000);
        m_sender.reset();
    }
    m_stopEvent.reset();
    m_queueEvent.reset();
    if (m_hWnd && ::IsWindow(m_hWnd)) ::SendMessageW(m_hWnd, kMsgDestroy, 0, 0);
}

void CChannelImpl::DropPostedRecords() { m_posted.clear(); }
