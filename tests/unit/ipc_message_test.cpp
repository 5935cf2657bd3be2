#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ipc_message.h"

namespace {

uint32_t U32(const char* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

TEST(IpcMessageTest, WireFormat) {
    IPC::Message::SetProcessId(0x12345);
    IPC::Message m(7, 4, 2);
    ASSERT_TRUE(m.WriteString("hello"));
    ASSERT_TRUE(m.WriteInt(-2));
    ASSERT_EQ(m.size(), 16u + 12u + 4u);
    const char* d = m.data();
    EXPECT_EQ(U32(d + 0), 16u);
    EXPECT_EQ(U32(d + 4), 7u);
    EXPECT_EQ(U32(d + 8), 4u);
    EXPECT_EQ(U32(d + 12) >> 22, 0x345u);
    EXPECT_EQ(U32(d + 12) & 0xFF, 2u);
    EXPECT_EQ(U32(d + 16), 5u);
    EXPECT_EQ(std::string(d + 20, 8), std::string("hello\0\0\0", 8));
    EXPECT_EQ(U32(d + 28), 0xFFFFFFFEu);

    // Reading back through a borrowed view.
    const IPC::Message view(m.data(), m.size());
    EXPECT_TRUE(view.IsBorrowed());
    PickleIterator it = view.Begin();
    std::string s;
    int32_t i = 0;
    ASSERT_TRUE(view.ReadString(it, s));
    ASSERT_TRUE(view.ReadInt(it, i));
    EXPECT_EQ(s, "hello");
    EXPECT_EQ(i, -2);
    EXPECT_FALSE(view.ReadInt(it, i));
    // A borrowed view is read-only.
    IPC::Message borrowed(m.data(), m.size());
    EXPECT_FALSE(borrowed.WriteInt(1));
    EXPECT_EQ(borrowed.size(), m.size());
}

TEST(IpcMessageTest, SequenceAdvancesAndWraps) {
    IPC::Message a(1, 2, 2), b(1, 2, 2);
    EXPECT_EQ((a.sequence() + 1) % (1u << 14), b.sequence());
    EXPECT_EQ(IPC::ComposeFlags(0xFFFFFFFF, 0x4000, 0x1FF), (0x3FFu << 22) | 0xFFu);
    EXPECT_EQ(IPC::ComposeFlags(1, 0x3FFF, 3), (1u << 22) | (0x3FFFu << 8) | 3u);
}

TEST(IpcMessageTest, CapacityGrowsInSixtyFourByteSteps) {
    Pickle p;
    EXPECT_EQ(p.Capacity(), 64u);
    std::string big(100, 'x');
    p.WriteBytes(big.data(), big.size());
    EXPECT_EQ(p.Capacity(), 128u);  // max(2 * 64, 104) rounded up
    p.WriteBytes(big.data(), big.size());
    EXPECT_EQ(p.Capacity(), 256u);  // max(2 * 128, 204) rounded up
    const Pickle copy(p);
    EXPECT_EQ(copy.Capacity(), 256u);  // 204 used, rounded up
    EXPECT_EQ(copy.PayloadSize(), 200u);
}

struct BufferCase {
    std::string bytes;
    bool valid;
};

TEST(IpcMessageTest, ReceivedBuffersAreChecked) {
    auto le = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const BufferCase cases[] = {
        {"", false},
        {"abc", false},
        {le(0), true},                                  // header 4, empty payload
        {le(4) + "abcd", true},                         // header 4, payload 4
        {le(8) + "abcd", false},                        // no room left for a header
        {le(9) + "abcd", false},                        // claims more than it holds
        {le(3) + "abcdef", false},                      // header 7: not a multiple of 4
        {le(0xFFFFFFFF) + std::string(12, 'x'), false}, // absurd claim
        {le(4) + std::string(12, '\0') + "data", true},
    };
    for (const BufferCase& c : cases) {
        size_t header = 0;
        EXPECT_EQ(Pickle::IsValidBuffer(c.bytes.data(), c.bytes.size(), header), c.valid)
            << c.bytes.size();
    }
}

TEST(IpcMessageTest, MalformedRecordsReadAsEmptyMessages) {
    auto le = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const std::string shortHeader = le(4) + le(2) + "abcd";  // valid pickle, header of 8
    const std::string lying = le(100) + le(0) + le(2) + le(0);
    for (const std::string& bytes : {shortHeader, lying, std::string("xy")}) {
        const IPC::Message m(bytes.data(), bytes.size());
        EXPECT_EQ(m.type(), 0u);
        EXPECT_EQ(m.routing_id(), 0);
        EXPECT_EQ(m.PayloadSize(), 0u);
        PickleIterator it = m.Begin();
        int32_t v;
        EXPECT_FALSE(m.ReadInt(it, v));
    }
    // A string whose length runs past the payload is refused.
    const std::string lyingString = le(8) + le(1) + le(2) + le(0) + le(1000) + "abcd";
    const IPC::Message m(lyingString.data(), lyingString.size());
    PickleIterator it = m.Begin();
    std::string s;
    EXPECT_FALSE(m.ReadString(it, s));
}

}  // namespace
