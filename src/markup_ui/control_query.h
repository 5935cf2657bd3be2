#pragma once
// Lets a test harness in another process find a control of an open skin window, as a
// screen-reader-style query: WM_COPYDATA with this id and the control name (UTF-16, no
// terminator needed) returns the control's screen rectangle packed into the result, or 0
// when no visible control has that name.
#include <cstdint>

namespace markup {

constexpr uintptr_t kControlQueryId = 0x50464344;
constexpr unsigned kControlQueryMaxChars = 128;

// Four signed 16-bit screen coordinates: left, top, right, bottom from the low bits up.
inline int64_t PackScreenRect(int left, int top, int right, int bottom) {
    auto u = [](int v) { return uint64_t(uint16_t(int16_t(v))); };
    return int64_t(u(left) | (u(top) << 16) | (u(right) << 32) | (u(bottom) << 48));
}
inline void UnpackScreenRect(int64_t packed, int& left, int& top, int& right, int& bottom) {
    const uint64_t p = uint64_t(packed);
    left = int16_t(p & 0xFFFF);
    top = int16_t((p >> 16) & 0xFFFF);
    right = int16_t((p >> 32) & 0xFFFF);
    bottom = int16_t((p >> 48) & 0xFFFF);
}

}  // namespace markup
