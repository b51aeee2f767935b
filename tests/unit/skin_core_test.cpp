#include <gtest/gtest.h>

#include <limits>

#include "core/colour.h"
#include "core/palette.h"

namespace skin {
namespace {

constexpr Rgb kSkyBlue{0x5B, 0x9B, 0xD5};

TEST(ColourConversion, RoundTripsEveryChannelCombinationItSamples) {
    for (int r = 0; r < 256; r += 5) {
        for (int g = 0; g < 256; g += 3) {
            for (int b = 0; b < 256; b += 7) {
                const Rgb colour{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                 static_cast<std::uint8_t>(b)};
                ASSERT_EQ(ToRgb(ToHsv(colour)), colour) << r << "," << g << "," << b;
            }
        }
    }
}

TEST(ColourConversion, PlacesPrimariesOnTheWheel) {
    EXPECT_DOUBLE_EQ(ToHsv({255, 0, 0}).hue, 0.0);
    EXPECT_DOUBLE_EQ(ToHsv({0, 255, 0}).hue, 120.0);
    EXPECT_DOUBLE_EQ(ToHsv({0, 0, 255}).hue, 240.0);
    EXPECT_DOUBLE_EQ(ToHsv({255, 0, 255}).hue, 300.0);
    EXPECT_EQ(ToRgb({360.0, 1.0, 1.0}), (Rgb{255, 0, 0}));
    EXPECT_EQ(ToRgb({-120.0, 1.0, 1.0}), (Rgb{0, 0, 255}));
}

TEST(MakeAdjustment, WrapsHueAndClampsThePercentages) {
    EXPECT_EQ(MakeAdjustment(55, 0, 0), (Adjustment{55, 0, 0}));
    EXPECT_EQ(MakeAdjustment(180, 0, 0).hue, -180);
    EXPECT_EQ(MakeAdjustment(-180, 0, 0).hue, -180);
    EXPECT_EQ(MakeAdjustment(190, 0, 0).hue, -170);
    EXPECT_EQ(MakeAdjustment(-190, 0, 0).hue, 170);
    EXPECT_EQ(MakeAdjustment(720 + 30, 0, 0).hue, 30);
    EXPECT_EQ(MakeAdjustment(std::numeric_limits<std::int32_t>::max(), 0, 0).hue, 127);  // 5965232 turns + 127
    EXPECT_EQ(MakeAdjustment(std::numeric_limits<std::int32_t>::min(), 0, 0).hue, -128);
    EXPECT_EQ(MakeAdjustment(0, 101, -101), (Adjustment{0, 100, -100}));
    EXPECT_EQ(MakeAdjustment(0, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()),
              (Adjustment{0, -100, 100}));
}

TEST(Adjust, TurnsTheHueBothWaysAroundTheWheel) {
    EXPECT_EQ(Adjust(Rgb{255, 0, 0}, {120, 0, 0}), (Rgb{0, 255, 0}));
    EXPECT_EQ(Adjust(Rgb{255, 0, 0}, {-120, 0, 0}), (Rgb{0, 0, 255}));
    EXPECT_EQ(Adjust(Rgb{0, 0, 255}, {-180, 0, 0}), (Rgb{255, 255, 0}));
    // A shift of 180 arrives as -180 and lands on the same colour.
    EXPECT_EQ(Adjust(kSkyBlue, MakeAdjustment(180, 0, 0)), Adjust(kSkyBlue, MakeAdjustment(-180, 0, 0)));
    EXPECT_EQ(Adjust(kSkyBlue, MakeAdjustment(400, 0, 0)), Adjust(kSkyBlue, MakeAdjustment(40, 0, 0)));
    EXPECT_NE(Adjust(kSkyBlue, {-120, 0, 0}), kSkyBlue);
}

TEST(Adjust, LeavesGreysGreyUnderAnyHueShift) {
    for (const Rgb grey : {Rgb{0, 0, 0}, Rgb{128, 128, 128}, Rgb{240, 240, 240}, Rgb{255, 255, 255}}) {
        for (const int hue : {-180, -120, -1, 55, 179}) {
            EXPECT_EQ(Adjust(grey, {hue, 0, 0}), grey) << int{grey.red} << " by " << hue;
            EXPECT_EQ(Adjust(grey, {hue, 100, 0}), grey) << int{grey.red} << " by " << hue << " saturated";
        }
    }
}

TEST(Adjust, SaturationRunsFromGreyToDoubleAndNoFurther) {
    constexpr Rgb kPastel{0xA0, 0xB0, 0xC0};
    const Hsv original = ToHsv(kSkyBlue);
    const Hsv washed = ToHsv(Adjust(kSkyBlue, {0, -100, 0}));
    EXPECT_EQ(washed.saturation, 0.0);
    EXPECT_NEAR(washed.value, original.value, 1 / 255.0);
    EXPECT_NEAR(ToHsv(Adjust(kSkyBlue, {0, -50, 0})).saturation, original.saturation / 2, 0.01);
    EXPECT_NEAR(ToHsv(Adjust(kPastel, {0, 100, 0})).saturation, ToHsv(kPastel).saturation * 2, 0.01);
    EXPECT_EQ(ToHsv(Adjust(kSkyBlue, {0, 100, 0})).saturation, 1.0);
    EXPECT_EQ(Adjust(Rgb{255, 0, 0}, {0, 100, 0}), (Rgb{255, 0, 0}));
    // Clamped before use: beyond 100 is the same as 100.
    EXPECT_EQ(Adjust(kSkyBlue, MakeAdjustment(0, 1000, 0)), Adjust(kSkyBlue, {0, 100, 0}));
}

TEST(Adjust, BrightnessRunsFromBlackToFullValue) {
    EXPECT_EQ(Adjust(kSkyBlue, {0, 0, -100}), (Rgb{0, 0, 0}));
    EXPECT_EQ(Adjust(Rgb{128, 128, 128}, {0, 0, 100}), (Rgb{255, 255, 255}));
    EXPECT_NEAR(ToHsv(Adjust(kSkyBlue, {0, 0, 100})).value, 1.0, 1e-9);
    EXPECT_EQ(Adjust(Rgb{200, 200, 200}, {0, 0, -50}), (Rgb{100, 100, 100}));
    EXPECT_EQ(Adjust(Rgb{0, 0, 0}, {0, 0, 50}), (Rgb{128, 128, 128}));
    EXPECT_EQ(Adjust(kSkyBlue, MakeAdjustment(0, 0, -250)), (Rgb{0, 0, 0}));
}

TEST(ParseColour, AcceptsOnlySixHexDigitsAfterAHash) {
    EXPECT_EQ(ParseColour("#1a2B3c"), (Rgb{0x1A, 0x2B, 0x3C}));
    EXPECT_EQ(ParseColour("#FFFFFF"), (Rgb{255, 255, 255}));
    for (const char* bad : {"", "#", "1A2B3C", "#1A2B3", "#1A2B3C4", "#GG0000", "#-10000", "#+10000", "# 10000",
                            "#0x1000", "red"}) {
        EXPECT_FALSE(ParseColour(bad)) << bad;
    }
}

TEST(ParseSkin, SetsTheNamedEntriesAndKeepsTheOthers) {
    const Palette base = BuiltInPalette();
    const Palette parsed = ParseSkin("window = #102030\r\nHIGHLIGHT-TEXT=#405060\r\n", base);
    Palette expected = base;
    expected.window = {0x10, 0x20, 0x30};
    expected.highlightText = {0x40, 0x50, 0x60};
    EXPECT_EQ(parsed, expected);
    EXPECT_EQ(ParseSkin("", base), base);
}

TEST(ParseSkin, ReadsEveryKey) {
    std::string text;
    Palette expected{};
    std::uint8_t blue = 1;
    for (const auto& [key, member] : kPaletteKeys) {
        text += std::string(key) + " = #00000" + std::to_string(blue) + "\n";
        (expected.*member).blue = blue++;
    }
    EXPECT_EQ(ParseSkin(text, BuiltInPalette()), expected);
}

TEST(ParseSkin, SkipsCommentsBlanksAndWhatItCannotRead) {
    const Palette base = BuiltInPalette();
    const std::string text =
        "\xEF\xBB\xBF; a light skin\n"
        "# window = #000001\n"
        "\n"
        "   \t \r\n"
        "frame = #00FF00   ; the frame ; green\n"
        "text = #12345\n"         // too short
        "face = 112233\n"         // no hash
        "menu #445566\n"          // no equals sign
        "= #778899\n"             // no key
        "border = #AABBCC\n"      // unknown key
        "light = #ABCDEF = #1\n"  // two values
        "field = #FEDCBA\n"
        "field = nonsense\n";     // a bad value does not undo a good one
    Palette expected = base;
    expected.frame = {0, 255, 0};
    expected.field = {0xFE, 0xDC, 0xBA};
    EXPECT_EQ(ParseSkin(text, base), expected);
}

TEST(ParseSkin, ReadsTheLastLineWithoutALineEnd) {
    EXPECT_EQ(ParseSkin("text = #010203", BuiltInPalette()).text, (Rgb{1, 2, 3}));
    EXPECT_EQ(ParseSkin("text = #010203\rwindow = #040506", BuiltInPalette()).text, BuiltInPalette().text);
}

TEST(AdjustPalette, ShiftsEveryEntry) {
    Palette palette{};
    for (const auto& [key, member] : kPaletteKeys) palette.*member = kSkyBlue;
    const Palette shifted = Adjust(palette, {-120, 20, -10});
    for (const auto& [key, member] : kPaletteKeys) {
        EXPECT_EQ(shifted.*member, Adjust(kSkyBlue, {-120, 20, -10})) << key;
    }
    EXPECT_EQ(Adjust(palette, {}), palette);
}

}  // namespace
}  // namespace skin
