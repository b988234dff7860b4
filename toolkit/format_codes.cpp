#include "toolkit/format_codes.h"

#include <algorithm>
#include <array>
#include <climits>

namespace {

constexpr std::array<TColor, 16> kBasicColors = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                                                 clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                                                 clBlue,  clFuchsia, clAqua,   clWhite};
constexpr int kSystemColorCount = 21;  // numbers 16 to 36

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCodeCharacter(char c) { return c == '$' || c == '%' || c == '&' || c == '@' || c == '~'; }

// Builds the lines; a code that changes the look of a run that already
// holds text starts a new run.
class Builder {
public:
    Builder() { lines_.emplace_back(1); }

    FmtAttributes& Look() {
        if (!Current().text.empty()) {
            FmtAttributes look = Current().look;
            Line().push_back({look, {}});
        }
        return Current().look;
    }
    void Add(char c) { Current().text += c; }
    void NewLine() {
        FmtAttributes look = Current().look;
        DropEmptyTail();
        lines_.push_back({{look, {}}});
    }
    std::vector<FmtLine> Finish() {
        DropEmptyTail();
        return std::move(lines_);
    }

private:
    FmtLine& Line() { return lines_.back(); }
    FmtRun& Current() { return Line().back(); }
    // A code at the end of a line leaves an empty run that would only add
    // its font's height; the line's only run stays.
    void DropEmptyTail() {
        if (Line().size() > 1 && Current().text.empty()) Line().pop_back();
    }
    std::vector<FmtLine> lines_;
};

// The digits at `pos`, saturating at INT_MAX; pos moves past them. Nothing
// when there are none.
std::optional<int> ReadNumber(std::string_view text, size_t& pos) {
    if (pos >= text.size() || !IsDigit(text[pos])) return std::nullopt;
    int value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        int digit = text[pos] - '0';
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return value;
}

}  // namespace

std::optional<TColor> FormatColor(int number) {
    if (number < 0) return std::nullopt;
    if (number < static_cast<int>(kBasicColors.size())) return kBasicColors[static_cast<size_t>(number)];
    if (number < static_cast<int>(kBasicColors.size()) + kSystemColorCount)
        return SystemColor(number - static_cast<int>(kBasicColors.size()));
    return std::nullopt;
}

std::vector<FmtLine> ParseFormatCodes(std::string_view caption) {
    Builder build;
    size_t pos = 0;
    while (pos < caption.size()) {
        char c = caption[pos++];
        switch (c) {
        case '\r': build.NewLine(); break;
        case '%': {
            FmtAttributes& look = build.Look();
            look.shadow = !look.shadow;
            break;
        }
        case '~': {
            FmtAttributes& look = build.Look();
            look.blink = !look.blink;
            break;
        }
        case '$':
            if (auto n = ReadNumber(caption, pos); n && *n <= 3) build.Look().styleCode = *n;
            break;
        case '&':
            if (auto n = ReadNumber(caption, pos); n && *n > 0)
                build.Look().points = std::min(*n, kLargestFormatPoints);
            break;
        case '@':
            if (auto n = ReadNumber(caption, pos))
                if (auto color = FormatColor(*n)) build.Look().color = *color;
            break;
        case '\\':
            if (pos < caption.size() && IsCodeCharacter(caption[pos]))
                build.Add(caption[pos++]);
            else
                build.Add('\\');
            break;
        default: build.Add(c); break;
        }
    }
    return build.Finish();
}

std::string LiteralFormatText(std::string_view text) {
    std::string literal;
    literal.reserve(text.size());
    for (char c : text) {
        // A backslash before a code character shows that character; a
        // backslash of the text before one stays text, since "\\" is not an
        // escape of its own and the next backslash starts the escape.
        if (std::string_view("$%&@~").find(c) != std::string_view::npos) literal += '\\';
        literal += c;
    }
    return literal;
}
