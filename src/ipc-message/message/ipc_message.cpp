#include "ipc_message.h"

#include <atomic>

namespace IPC {

namespace {
std::atomic<uint32_t> g_sequence{0};
std::atomic<uint32_t> g_pid{0};

// Messages with a header shorter than their own fields read as empty.
const char* CheckedData(const char* data, size_t length) {
    size_t header = 0;
    if (!Pickle::IsValidBuffer(data, length, header) || header < size_t(Message::kHeaderSize))
        return nullptr;
    return data;
}
}  // namespace

uint32_t ComposeFlags(uint32_t pid, uint32_t sequence, uint32_t priority) {
    return ((pid & 0x3FF) << 22) | ((sequence & 0x3FFF) << 8) | (priority & 0xFF);
}

void Message::SetProcessId(uint32_t pid) { g_pid = pid; }

Message::Message() : Pickle(kHeaderSize) {}

Message::Message(int32_t routingId, uint32_t type, uint32_t priority) : Pickle(kHeaderSize) {
    SetHeaderField(1, uint32_t(routingId));
    SetHeaderField(2, type);
    const uint32_t sequence = (g_sequence.fetch_add(1) + 1) % (1u << 14);
    SetHeaderField(3, ComposeFlags(g_pid.load(), sequence, priority));
}

Message::Message(const char* data, size_t length) : Pickle(CheckedData(data, length), length) {}

}  // namespace IPC
