#include "copy/archive_pieces.h"

#include <algorithm>
#include <tuple>

#include "core/text.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(const std::string& text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

// A number of any length compares by its significant digits: fewer digits
// is smaller, equal lengths compare as text. Nothing overflows.
std::string SignificantDigits(const std::string& digits) {
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string() : digits.substr(first);
}

bool ExtensionBefore(const std::string& a, const std::string& b) {
    const bool numberA = AllDigits(a), numberB = AllDigits(b);
    if (numberA != numberB) return numberA;
    if (numberA) {
        const std::string da = SignificantDigits(a), db = SignificantDigits(b);
        if (da.size() != db.size()) return da.size() < db.size();
        if (da != db) return da < db;
    }
    // Same number ("01" and "1"), or no number: text order, so the result
    // does not depend on how the disk listed them.
    return UpperAscii(a) < UpperAscii(b);
}

bool SelectedComponent(const std::string& component, TCompSet selected) {
    for (int row = 0; row < ComponentCount; ++row) {
        if (InSet(selected, row) && component == Components[row].CompName) return true;
    }
    return false;
}

}  // namespace

PieceName SplitPieceName(const std::string& file) {
    const size_t dot = file.find('.');
    if (dot == std::string::npos) return {file, UpperAscii(file), ""};
    return {file, UpperAscii(file.substr(0, dot)), file.substr(dot + 1)};
}

bool IsArchivePiece(const std::string& file, TCompSet selected) {
    const PieceName piece = SplitPieceName(file);
    return !piece.extension.empty() && IsDigit(piece.extension.back()) && SelectedComponent(piece.component, selected);
}

std::vector<PieceName> OrderPieces(const std::vector<std::string>& files, TCompSet selected) {
    std::vector<PieceName> pieces;
    for (const std::string& file : files) {
        if (IsArchivePiece(file, selected)) pieces.push_back(SplitPieceName(file));
    }
    std::sort(pieces.begin(), pieces.end(), [](const PieceName& a, const PieceName& b) {
        if (a.component != b.component) return a.component < b.component;
        return ExtensionBefore(a.extension, b.extension);
    });
    return pieces;
}
