#pragma once
#include "ipc_message.h"

class IChannelListener {
public:
    virtual ~IChannelListener() = default;
    virtual int OnMessageReceived(const IPC::Message& message) = 0;
    virtual int32_t GetRoutingId() = 0;
};

class IChannelListener2 : public IChannelListener {
public:
    virtual void OnChannelError(bool shuttingDown) = 0;
};
