#include "effect_math.h"

namespace {
// i / 255.0 for every byte: the same values as the division, without its cost per pixel.
struct UnitTable {
    double v[256];
    UnitTable() {
        for (int i = 0; i < 256; ++i) v[i] = i / 255.0;
    }
};
const UnitTable kUnit;

double Unit(int32_t i) { return i >= 0 && i <= 255 ? kUnit.v[i] : i / 255.0; }

int Nearest(double v) {
    if (v < 0) v = 0;
    if (v > 255) v = 255;
    return int(v + 0.5);
}

double HueToChannel(double p, double q, double t) {
    if (t < 0) t += 6;
    if (t > 6) t -= 6;
    if (t < 1) return p + (q - p) * t;
    if (t < 3) return q;
    if (t < 4) return p + (q - p) * (4 - t);
    return p;
}

uint8_t ToByte(double v) {
    v *= 255.0;
    if (v < 0) v = 0;
    if (v > 255) v = 255;
    return uint8_t(v + 0.5);
}
}  // namespace

int BrightnessContrastValue(int value, int brightness, int contrast) {
    const double v = ((contrast + 100) / 100.0) * (value - 128) + (brightness + 128) + 0.5;
    const int r = int(v);  // truncation toward zero
    if (r >= 255) return 255;
    if (r <= 0) return 0;
    return r;
}

void AdjustHueSaturation(uint8_t& red, uint8_t& green, uint8_t& blue, const int32_t hueMap[6][256],
                         const int32_t satMap[6][256]) {
    const double r = kUnit.v[red], g = kUnit.v[green], b = kUnit.v[blue];
    double mx = r > g ? r : g;
    mx = mx > b ? mx : b;
    double mn = r < g ? r : g;
    mn = mn < b ? mn : b;
    const double l = (mx + mn) / 2;
    double h = 0, s = 0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        double t;
        if (r == mx) t = (g - b) / d;
        else if (g == mx) t = (b - r) / d + 2;
        else t = (r - g) / d + 4;
        h = t / 6;
        if (h < 0) h += 1;
    }
    const double hh = h * 255;
    int sector = 0;
    if (hh < 21) sector = 0;
    else if (hh < 64) sector = 1;
    else if (hh < 106) sector = 2;
    else if (hh < 149) sector = 3;
    else if (hh < 192) sector = 4;
    else if (hh < 234) sector = 5;
    const double nh = Unit(hueMap[sector][Nearest(hh)]);
    const double ns = Unit(satMap[sector][Nearest(s * 255)]);
    if (ns == 0) {
        red = green = blue = ToByte(l);
        return;
    }
    const double q = l > 0.5 ? l + ns - l * ns : (ns + 1) * l;
    const double p = 2 * l - q;
    red = ToByte(HueToChannel(p, q, 6 * nh + 2));
    green = ToByte(HueToChannel(p, q, 6 * nh));
    blue = ToByte(HueToChannel(p, q, 6 * nh - 2));
}

int32_t SaturateBoost(int i) {
    if (i * 306 >= 65025) return 255;
    const int v = i * 306 / 255;
    return v < 0 ? 0 : v;
}
