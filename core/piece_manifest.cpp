#include "core/piece_manifest.h"

#include <limits>
#include <optional>

#include "core/text.h"

namespace {

// A decimal number of the given range, every character a digit, nothing
// overflowing.
std::optional<std::uint64_t> Decimal(const std::string& text, std::uint64_t largest) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (largest - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// Exactly eight hexadecimal digits, either case.
std::optional<std::uint32_t> Crc(const std::string& text) {
    if (text.size() != 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else
            return std::nullopt;
        value = value << 4 | digit;
    }
    return value;
}

}  // namespace

bool PieceManifest::Add(const std::string& line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    const std::string name = UpperAscii(Trimmed(line.substr(0, equals)));
    const std::string value = line.substr(equals + 1);
    const std::size_t first = value.find(',');
    const std::size_t second = first == std::string::npos ? first : value.find(',', first + 1);
    if (name.empty() || second == std::string::npos) return false;

    const auto size = Decimal(Trimmed(value.substr(0, first)), std::numeric_limits<std::uint64_t>::max());
    const auto crc = Crc(Trimmed(value.substr(first + 1, second - first - 1)));
    const auto disk = Decimal(Trimmed(value.substr(second + 1)), std::numeric_limits<std::uint32_t>::max());
    if (!size || !crc || !disk || *disk == 0) return false;
    pieces_[name] = {*size, *crc, static_cast<std::uint32_t>(*disk)};
    return true;
}

const ExpectedPiece* PieceManifest::Find(const std::string& file) const {
    const auto found = pieces_.find(UpperAscii(file));
    return found == pieces_.end() ? nullptr : &found->second;
}
