#include "pickle.h"

#include <cstring>
#include <limits>

namespace {
constexpr size_t kGrain = 64;
// Payloads stay far below this; it keeps every size within 32 bits.
constexpr size_t kMaxPayload = 64u * 1024 * 1024;

size_t RoundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }

uint32_t LoadU32(const char* p) {
    const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

void StoreU32(char* p, uint32_t v) {
    p[0] = char(v & 0xFF);
    p[1] = char((v >> 8) & 0xFF);
    p[2] = char((v >> 16) & 0xFF);
    p[3] = char((v >> 24) & 0xFF);
}
}  // namespace

Pickle::Pickle() : Pickle(4) {}

Pickle::Pickle(int headerSize) {
    m_headerSize = headerSize >= 4 ? RoundUp(size_t(headerSize), 4) : 4;
    m_owned.assign(RoundUp(m_headerSize, kGrain), 0);
}

Pickle::Pickle(const char* data, size_t length) {
    size_t header = 0;
    if (data && IsValidBuffer(data, length, header)) {
        m_view = data;
        m_borrowed = true;
        m_headerSize = header;
    } else {
        m_headerSize = 4;
        m_owned.assign(kGrain, 0);
    }
}

Pickle::Pickle(const Pickle& other) : m_headerSize(other.m_headerSize) {
    const size_t used = other.size();
    m_owned.assign(RoundUp(used, kGrain), 0);
    std::memcpy(m_owned.data(), other.data(), used);
}

Pickle& Pickle::operator=(const Pickle& other) {
    if (this != &other) {
        Pickle copy(other);
        m_owned.swap(copy.m_owned);
        m_view = nullptr;
        m_borrowed = false;
        m_headerSize = copy.m_headerSize;
    }
    return *this;
}

bool Pickle::IsValidBuffer(const char* data, size_t length, size_t& headerSize) {
    if (!data || length < 4) return false;
    const uint32_t payload = LoadU32(data);
    if (payload > length) return false;
    headerSize = length - payload;
    return headerSize != 0 && headerSize % 4 == 0 && headerSize <= length;
}

uint32_t Pickle::PayloadSize() const { return LoadU32(data()); }

uint32_t Pickle::HeaderField(size_t index) const {
    if ((index + 1) * 4 > m_headerSize) return 0;
    return LoadU32(data() + index * 4);
}

void Pickle::SetHeaderField(size_t index, uint32_t value) {
    if (m_borrowed || (index + 1) * 4 > m_headerSize) return;
    StoreU32(m_owned.data() + index * 4, value);
}

bool Pickle::Reserve(size_t needed) {
    if (needed <= m_owned.size()) return true;
    size_t capacity = m_owned.size() * 2;
    if (capacity < needed) capacity = needed;
    m_owned.resize(RoundUp(capacity, kGrain), 0);
    return true;
}

bool Pickle::AppendPadded(const void* data, size_t length) {
    if (m_borrowed) return false;
    const size_t payload = PayloadSize();
    const size_t padded = RoundUp(length, 4);
    if (padded < length || payload + padded > kMaxPayload) return false;
    const size_t end = m_headerSize + payload;
    Reserve(end + padded);
    if (length) std::memcpy(m_owned.data() + end, data, length);
    std::memset(m_owned.data() + end + length, 0, padded - length);
    StoreU32(m_owned.data(), uint32_t(payload + padded));
    return true;
}

bool Pickle::WriteInt(int32_t value) {
    char bytes[4];
    StoreU32(bytes, uint32_t(value));
    return AppendPadded(bytes, 4);
}

bool Pickle::WriteString(const std::string& value) {
    if (value.size() > kMaxPayload) return false;
    return WriteInt(int32_t(value.size())) && AppendPadded(value.data(), value.size());
}

bool Pickle::WriteBytes(const void* data, size_t length) { return AppendPadded(data, length); }

bool Pickle::ReadInt(PickleIterator& it, int32_t& value) const {
    const size_t payload = PayloadSize();
    if (it.m_offset > payload || payload - it.m_offset < 4) return false;
    value = int32_t(LoadU32(Payload() + it.m_offset));
    it.m_offset += 4;
    return true;
}

bool Pickle::ReadString(PickleIterator& it, std::string& value) const {
    PickleIterator probe = it;
    int32_t length = 0;
    if (!ReadInt(probe, length) || length < 0) return false;
    const size_t payload = PayloadSize();
    const size_t padded = RoundUp(size_t(length), 4);
    if (probe.m_offset > payload || payload - probe.m_offset < padded) return false;
    value.assign(Payload() + probe.m_offset, size_t(length));
    it.m_offset = probe.m_offset + padded;
    return true;
}
