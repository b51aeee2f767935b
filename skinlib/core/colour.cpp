#include "core/colour.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

std::uint8_t ToChannel(double unit) { return static_cast<std::uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0)); }

int Clamp100(std::int32_t percent) { return std::clamp<std::int32_t>(percent, -100, 100); }

int WrapDegrees(std::int32_t degrees) {
    // 64 bits, so the full 32-bit range survives the offset.
    const std::int64_t turned = (static_cast<std::int64_t>(degrees) + 180) % 360;
    return static_cast<int>((turned + 360) % 360 - 180);
}

// Moves a 0..1 quantity towards 0 for negative percentages and towards 1 for positive ones.
double Towards(double unit, int percent) {
    const double share = percent / 100.0;
    return share < 0 ? unit * (1.0 + share) : unit + (1.0 - unit) * share;
}

}  // namespace

Hsv ToHsv(Rgb colour) {
    const int r = colour.red, g = colour.green, b = colour.blue;
    const int high = std::max({r, g, b});
    const int range = high - std::min({r, g, b});
    Hsv hsv{0.0, high == 0 ? 0.0 : static_cast<double>(range) / high, high / 255.0};
    if (range == 0) return hsv;
    // The sector is chosen on the integer channels: a double in an x87 register
    // need not equal its own copy in memory, which once took pure red for magenta.
    double sector;
    if (high == r) {
        sector = static_cast<double>(g - b) / range + (g < b ? 6 : 0);
    } else if (high == g) {
        sector = static_cast<double>(b - r) / range + 2;
    } else {
        sector = static_cast<double>(r - g) / range + 4;
    }
    hsv.hue = sector * 60.0;
    return hsv;
}

Rgb ToRgb(const Hsv& colour) {
    const double hue = std::fmod(std::fmod(colour.hue, 360.0) + 360.0, 360.0) / 60.0;
    const double v = colour.value;
    const double chroma = v * colour.saturation;
    const double rising = chroma * (1.0 - std::fabs(std::fmod(hue, 2.0) - 1.0));
    const double low = v - chroma;
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hue)) {
        case 0: r = chroma, g = rising; break;
        case 1: r = rising, g = chroma; break;
        case 2: g = chroma, b = rising; break;
        case 3: g = rising, b = chroma; break;
        case 4: r = rising, b = chroma; break;
        default: r = chroma, b = rising; break;
    }
    return {ToChannel(r + low), ToChannel(g + low), ToChannel(b + low)};
}

Adjustment MakeAdjustment(std::int32_t hue, std::int32_t saturation, std::int32_t brightness) {
    return {WrapDegrees(hue), Clamp100(saturation), Clamp100(brightness)};
}

Rgb Adjust(Rgb colour, const Adjustment& adjustment) {
    if (adjustment == Adjustment{}) return colour;
    Hsv hsv = ToHsv(colour);
    hsv.hue += adjustment.hue;
    hsv.saturation = std::min(1.0, hsv.saturation * (1.0 + adjustment.saturation / 100.0));
    hsv.value = Towards(hsv.value, adjustment.brightness);
    return ToRgb(hsv);
}

}  // namespace skin
