#include "toolkit/theme_colors.h"

#include <gtest/gtest.h>

TEST(ThemeColors, ButtonFaceBecomesTheFixedGrey) {
    EXPECT_EQ(MapThemeColor(static_cast<TColor>(0x8000000F)), 0x00C8D0D4);
    EXPECT_EQ(MapThemeColor(0x00C8D0D4), 0x00C8D0D4);
}

TEST(ThemeColors, SchemeGreysAndUnknownColoursStay) {
    EXPECT_EQ(MapThemeColor(0x00CFCFCF), 0x00CFCFCF);
    EXPECT_EQ(MapThemeColor(0x009C9C9D), 0x009C9C9D);
    EXPECT_EQ(MapThemeColor(0x004D3004), 0x004D3004);
    // Other system colours are not part of the scheme.
    EXPECT_EQ(MapThemeColor(static_cast<TColor>(0x80000010)), static_cast<TColor>(0x80000010));
}
