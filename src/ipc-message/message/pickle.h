#pragma once
// Growable byte buffer: a header whose first field is the payload size, then 4-byte aligned
// items. A pickle made over received bytes only borrows them and is read-only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class PickleIterator {
public:
    explicit PickleIterator(size_t offset = 0) : m_offset(offset) {}

private:
    friend class Pickle;
    size_t m_offset;
};

class Pickle {
public:
    Pickle();
    explicit Pickle(int headerSize);
    // Borrows data; an invalid buffer gives an empty pickle.
    Pickle(const char* data, size_t length);
    Pickle(const Pickle& other);
    Pickle& operator=(const Pickle& other);
    virtual ~Pickle() = default;

    bool WriteInt(int32_t value);
    bool WriteString(const std::string& value);
    bool WriteBytes(const void* data, size_t length);

    PickleIterator Begin() const { return PickleIterator(0); }
    bool ReadInt(PickleIterator& it, int32_t& value) const;
    bool ReadString(PickleIterator& it, std::string& value) const;

    const char* data() const { return m_borrowed ? m_view : m_owned.data(); }
    size_t size() const { return m_headerSize + PayloadSize(); }
    size_t HeaderSize() const { return m_headerSize; }
    uint32_t PayloadSize() const;
    const char* Payload() const { return data() + m_headerSize; }
    bool IsBorrowed() const { return m_borrowed; }
    size_t Capacity() const { return m_owned.size(); }

    // Whether received bytes form a pickle: at least 4 bytes, the header (length minus payload
    // size) a non-zero multiple of 4 that fits in the length.
    static bool IsValidBuffer(const char* data, size_t length, size_t& headerSize);

protected:
    uint32_t HeaderField(size_t index) const;
    void SetHeaderField(size_t index, uint32_t value);

private:
    bool Reserve(size_t needed);
    bool AppendPadded(const void* data, size_t length);

    std::vector<char> m_owned;
    const char* m_view = nullptr;
    bool m_borrowed = false;
    size_t m_headerSize = 4;
};
