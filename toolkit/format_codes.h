// The captions of TFmtLabel: text that carries its own formatting codes,
// cut into lines and, within a line, into runs of one look. Portable: the
// label measures and draws the runs on Windows.
//
//   "\r"   ends the line          "$" n  style: 0 none, 1 italic, 2 bold, 3 both
//   "%"    shadow on or off       "&" n  size in points
//   "~"    blinking on or off     "@" n  colour number n (0..36)
//   "\" c  c itself when c is one of the code characters, else both
//
// n is the run of decimal digits after the code; without digits, or with a
// number that means nothing, the code changes nothing.
#pragma once

#include "framework/colors.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A run's look; an unset field keeps the label's own font.
struct FmtAttributes {
    std::optional<int> styleCode;  // 0..3 as after "$"
    std::optional<int> points;
    std::optional<TColor> color;
    bool shadow = false;
    bool blink = false;
    bool operator==(const FmtAttributes&) const = default;
};

struct FmtRun {
    FmtAttributes look;
    std::string text;
};

// Every line holds at least one run, so that an empty line keeps its height.
using FmtLine = std::vector<FmtRun>;

std::vector<FmtLine> ParseFormatCodes(std::string_view caption);

// The colour of number n: the sixteen basic colours, then the system colours
// 0 to 20; nothing for a number past the table.
std::optional<TColor> FormatColor(int number);

// `text` made to show as it stands, whatever code characters it holds: a
// file name or an error text is data, never formatting ("C:\\R&D\\" keeps
// its "&").
std::string LiteralFormatText(std::string_view text);

// A font size past this many points is taken as this size: a number typed
// with too many digits must not ask for a font the size of a house.
constexpr int kLargestFormatPoints = 720;
