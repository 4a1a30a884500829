// The layout's 96-DPI lengths and the stock font at the DPI a window is shown at.
#include "app/windowing/dpi_scale.h"

#include <gtest/gtest.h>

using namespace windowing;

TEST(ScaleToDpi, RoundsToTheNearestPixelWithHalvesAwayFromZero)
{
    const struct {
        int length, dpi, scaled;
    } cases[] = {
        {283, 96, 283}, {86, 96, 86},    {8, 96, 8},       {0, 144, 0},
        {283, 120, 354},  // 353.75
        {86, 120, 108},   // 107.5: the half goes up
        {9, 120, 11},     // 11.25
        {1, 120, 1},      // 1.25
        {283, 144, 425},  // 424.5
        {86, 144, 129},   {9, 144, 14},   // 13.5
        {283, 192, 566},  {86, 192, 172}, {-41, 144, -62},  // -61.5: away from zero, not up to -61
        {-11, 120, -14},  // -13.75
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleToDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi << " DPI";
}

TEST(ScaleBounds, ScalesPositionsAndSizesOfTheButtons)
{
    const struct {
        Bounds layout;
        int dpi;
        Bounds scaled;
    } cases[] = {
        {{8, 8, 80, 32}, 96, {8, 8, 80, 32}},
        {{96, 9, 80, 32}, 96, {96, 9, 80, 32}},
        {{184, 8, 80, 32}, 120, {230, 10, 100, 40}},
        {{96, 9, 80, 32}, 120, {120, 11, 100, 40}},
        {{96, 9, 80, 32}, 144, {144, 14, 120, 48}},
        {{184, 8, 80, 32}, 144, {276, 12, 120, 48}},
        {{184, 8, 80, 32}, 192, {368, 16, 160, 64}},
        {{50, 50, 283, 86}, 144, {75, 75, 425, 129}},
    };
    for (const auto& c : cases) {
        const Bounds scaled = ScaleBounds(c.layout, c.dpi);
        SCOPED_TRACE(testing::Message() << c.layout.left << "," << c.layout.top << " at " << c.dpi << " DPI");
        EXPECT_EQ(scaled.left, c.scaled.left);
        EXPECT_EQ(scaled.top, c.scaled.top);
        EXPECT_EQ(scaled.width, c.scaled.width);
        EXPECT_EQ(scaled.height, c.scaled.height);
    }
}

TEST(FontHeightAtDpi, ScalesFromTheDpiTheFontWasMadeFor)
{
    const struct {
        int height, fromDpi, toDpi, scaled;
    } cases[] = {
        {-11, 96, 96, -11},  {-12, 96, 144, -18}, {-11, 96, 144, -17},  // -16.5
        {-11, 96, 120, -14},                                            // -13.75
        {-18, 144, 96, -12}, {-18, 144, 288, -36}, {-12, 96, 192, -24}, {16, 96, 144, 24},
        {-11, 0, 144, -11},  // no DPI to scale from: the height stays
    };
    for (const auto& c : cases)
        EXPECT_EQ(FontHeightAtDpi(c.height, c.fromDpi, c.toDpi), c.scaled)
            << c.height << " from " << c.fromDpi << " to " << c.toDpi << " DPI";
}
