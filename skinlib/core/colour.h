#pragma once
// Colours and the hue, saturation and brightness shift, free of Windows.
#include <cstdint>

namespace skin {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Hsv {
    double hue = 0;         // degrees, 0 up to but not including 360
    double saturation = 0;  // 0..1
    double value = 0;       // 0..1
};

Hsv ToHsv(Rgb colour);
Rgb ToRgb(const Hsv& colour);

// The shift as applied: hue in degrees wrapped into -180..179, saturation and
// brightness in percent clamped to -100..100.
struct Adjustment {
    int hue = 0;
    int saturation = 0;
    int brightness = 0;
    friend bool operator==(const Adjustment&, const Adjustment&) = default;
};

// Any values the caller passes, wrapped and clamped.
Adjustment MakeAdjustment(std::int32_t hue, std::int32_t saturation, std::int32_t brightness);

// Hue turns the colour wheel; saturation scales the colourfulness (-100 gives
// grey, +100 doubles it); brightness moves the value towards black (-100) or
// full value (+100). Greys have no hue, so a hue shift leaves them grey.
Rgb Adjust(Rgb colour, const Adjustment& adjustment);

}  // namespace skin
