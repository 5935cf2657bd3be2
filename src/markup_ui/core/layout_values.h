#pragma once
// Attribute values of layouts: rectangles, sizes, colours, flags and image strings.
// Each parser returns false on text it cannot read fully; callers then ignore the attribute.
#include <cstdint>
#include <string>

namespace markup {

struct UiRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const UiRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct UiSize {
    int cx = 0, cy = 0;
};

// Layout numbers are bounded so that arithmetic on them cannot overflow.
constexpr int kMaxLayoutNumber = 100000;

// "l,t,r,b"; fewer parts leave the rest 0 ("8,2" is a padding of 8 and 2). Blanks allowed.
bool ParseRect(const std::string& text, UiRect& out);
// "cx,cy".
bool ParseSize(const std::string& text, UiSize& out);
bool ParseInt(const std::string& text, int& out);
// "#AARRGGBB", "#RRGGBB" (opaque) or "0xAARRGGBB"; result is 0xAARRGGBB.
bool ParseColor(const std::string& text, uint32_t& out);
// "true"/"false" (also "1"/"0").
bool ParseBool(const std::string& text, bool& out);

// "file='a.png' source='0,0,24,24' dest='..' corner='..' fade='..'" or a bare file name.
struct ImageSpec {
    std::string file;
    bool hasSource = false;
    UiRect source;
    bool hasDest = false;
    UiRect dest;
    UiRect corner;
    int fade = 255;
};
bool ParseImageString(const std::string& text, ImageSpec& out);

}  // namespace markup
