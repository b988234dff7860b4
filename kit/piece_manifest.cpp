#include "kit/piece_manifest.h"

#include <cstdio>
#include <set>

#include "core/text.h"
#include "unzip/decode/crc32.h"

namespace korven::kit {
namespace {

bool AllDigits(const std::string& text, const char* digits) {
    return !text.empty() && text.find_first_not_of(digits) == std::string::npos;
}

// "1457664,0A1B2C3D,1" into the piece; false for anything else. Digits are
// bounded so that the numbers cannot overflow.
bool ParseValue(const std::string& value, ManifestPiece& piece) {
    size_t firstComma = value.find(',');
    size_t secondComma = firstComma == std::string::npos ? firstComma : value.find(',', firstComma + 1);
    if (secondComma == std::string::npos) return false;
    std::string size = value.substr(0, firstComma);
    std::string crc = value.substr(firstComma + 1, secondComma - firstComma - 1);
    std::string disk = value.substr(secondComma + 1);
    if (!AllDigits(size, "0123456789") || size.size() > 18 || crc.size() != 8 ||
        !AllDigits(crc, "0123456789ABCDEFabcdef") || !AllDigits(disk, "0123456789") || disk.size() > 9) {
        return false;
    }
    piece.size = std::stoull(size);
    piece.crc = static_cast<uint32_t>(std::stoul(crc, nullptr, 16));
    piece.disk = std::stoul(disk);
    return piece.disk > 0;
}

}  // namespace

uint32_t PieceCrc(std::string_view bytes) {
    return ~unzip::Crc32Update(unzip::kCrc32Start, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string CrcText(uint32_t crc) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
    return text;
}

std::string ManifestText(const std::vector<ManifestPiece>& pieces) {
    std::string text = std::string("\r\n[") + kManifestSection + "]\r\n";
    for (const ManifestPiece& piece : pieces) {
        text += piece.name + "=" + std::to_string(piece.size) + "," + CrcText(piece.crc) + "," +
                std::to_string(piece.disk) + "\r\n";
    }
    return text;
}

ManifestReading ReadManifest(const std::string& settings) {
    ManifestReading reading;
    const std::string section = "[" + UpperAscii(kManifestSection) + "]";
    bool inSection = false;
    std::set<std::string> seen;
    for (const std::string& raw : SplitLines(settings)) {
        std::string line = Trimmed(raw);
        if (!line.empty() && line.front() == '[') {
            inSection = UpperAscii(line) == section;
            reading.present = reading.present || inSection;
            continue;
        }
        size_t equals = line.find('=');
        if (!inSection || line.empty() || line.front() == ';' || equals == std::string::npos) continue;
        ManifestPiece piece;
        piece.name = Trimmed(line.substr(0, equals));
        if (!seen.insert(UpperAscii(piece.name)).second) continue;
        if (ParseValue(Trimmed(line.substr(equals + 1)), piece)) {
            reading.pieces.push_back(piece);
        } else {
            reading.unreadable.push_back(line);
        }
    }
    return reading;
}

}  // namespace korven::kit
