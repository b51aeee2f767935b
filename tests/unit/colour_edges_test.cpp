// Built into the native suite and into the Windows test program, so the colour
// core is checked as the skin library ships it, on every build.
#include <gtest/gtest.h>

#include <array>

#include "core/colour.h"

namespace skin {
namespace {

// Which channels stand high at each sixth of the wheel, from 0° on.
constexpr std::array<std::array<bool, 3>, 6> kEdges{{
    {true, false, false}, {true, true, false}, {false, true, false},
    {false, true, true}, {false, false, true}, {true, false, true},
}};

Rgb AtEdge(int sixth, std::uint8_t high, std::uint8_t low) {
    const auto& lit = kEdges[sixth % 6];
    return {lit[0] ? high : low, lit[1] ? high : low, lit[2] ? high : low};
}

// Channels such as 0xF0 are not exact in binary, which is where a wider
// register once gave a different hue than memory did.
TEST(ColourEdges, HueAndThirdTurnsAreExactAtEverySectorEdge) {
    struct Shade { std::uint8_t high, low; };
    for (const Shade shade : {Shade{0xFF, 0x00}, Shade{0xF0, 0xC8}, Shade{0x9B, 0x21}, Shade{0x01, 0x00}}) {
        for (int sixth = 0; sixth < 6; ++sixth) {
            const Rgb colour = AtEdge(sixth, shade.high, shade.low);
            SCOPED_TRACE(::testing::Message() << std::hex << int{shade.high} << "/" << int{shade.low} << " at "
                                              << std::dec << sixth * 60);
            EXPECT_EQ(ToHsv(colour).hue, sixth * 60.0);
            EXPECT_EQ(ToRgb(ToHsv(colour)), colour);
            EXPECT_EQ(Adjust(colour, {120, 0, 0}), AtEdge(sixth + 2, shade.high, shade.low));
            EXPECT_EQ(Adjust(colour, {-120, 0, 0}), AtEdge(sixth + 4, shade.high, shade.low));
        }
    }
}

}  // namespace
}  // namespace skin
