#include "copy/engine_version.h"

#include <limits>

std::uint32_t ParseEngineVersion(std::string_view text) {
    constexpr std::uint32_t kLargest = std::numeric_limits<std::uint32_t>::max();
    size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) return 0;
    std::uint32_t value = 0;
    // Digits stop at the separator as at anything else that is not a digit.
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const std::uint32_t digit = static_cast<std::uint32_t>(text[at] - '0');
        if (value > (kLargest - digit) / 10) return kLargest;
        value = value * 10 + digit;
    }
    return value;
}
