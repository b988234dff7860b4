#include "toolkit/theme_colors.h"

#include <array>
#include <utility>

TColor MapThemeColor(TColor color) {
    // The six greys and the button face of the toolkit's palette map to
    // themselves; only the system button face changes.
    static constexpr std::array<std::pair<TColor, TColor>, 8> kScheme{{
        {0x009C9C9D, 0x009C9C9D},
        {0x00A9A9A9, 0x00A9A9A9},
        {0x00B6B6B6, 0x00B6B6B6},
        {0x00CFCFCF, 0x00CFCFCF},
        {0x00DFDFDF, 0x00DFDFDF},
        {0x00EFEFEF, 0x00EFEFEF},
        {clBtnFace, kThemeButtonFace},
        {kThemeButtonFace, kThemeButtonFace},
    }};
    for (const auto& [key, result] : kScheme)
        if (key == color) return result;
    return color;
}
