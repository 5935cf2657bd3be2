#pragma once
// A channel record: 16-byte header (payload size, routing id, type, flags) and a payload.
#include "pickle.h"

namespace IPC {

class Message : public Pickle {
public:
    static constexpr int kHeaderSize = 16;

    Message();
    Message(int32_t routingId, uint32_t type, uint32_t priority);
    // Wraps received bytes without copying; malformed bytes give an empty message.
    Message(const char* data, size_t length);
    Message(const Message&) = default;
    Message& operator=(const Message&) = default;

    int32_t routing_id() const { return int32_t(HeaderField(1)); }
    uint32_t type() const { return HeaderField(2); }
    uint32_t flags() const { return HeaderField(3); }
    uint32_t priority() const { return flags() & 0xFF; }
    uint32_t sequence() const { return (flags() >> 8) & 0x3FFF; }
    uint32_t sender_pid_bits() const { return flags() >> 22; }

    // The process id whose low 10 bits go into every new message's flags.
    static void SetProcessId(uint32_t pid);
};

// Flags word from its parts.
uint32_t ComposeFlags(uint32_t pid, uint32_t sequence, uint32_t priority);

}  // namespace IPC
