#include "unzip/member_path.h"

#include <vector>

#include "unzip/platform.h"

namespace korven::unzip {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::vector<std::string> SplitPieces(const std::string& path) {
    std::vector<std::string> pieces(1);
    for (char c : path) {
        if (IsSeparator(c)) {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

// Windows drops trailing dots and spaces from a path piece, so ". ." and
// "..." may end up meaning the parent folder.
bool ClimbsUp(const std::string& piece) {
    int dots = 0;
    for (char c : piece) {
        if (c == '.') {
            ++dots;
        } else if (c != ' ') {
            return false;
        }
    }
    return dots >= 2;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows takes these for devices whatever follows the first dot, and after
// trimming blanks: "con", "Nul.txt", "COM1.log.gz", "AUX .c". Besides the
// digits 1-9, the ANSI superscripts one, two and three also name ports.
bool NamesDevice(const std::string& piece) {
    std::string base;
    for (char c : piece.substr(0, piece.find('.'))) base += Upper(c);
    while (!base.empty() && base.back() == ' ') base.pop_back();
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$") {
        return true;
    }
    if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0)) return false;
    const char digit = base[3];
    return (digit >= '1' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
}

// "name." and "name " are written as "name" by Windows. A lone "." stays
// harmless: it names the folder it stands in.
bool LosesItsEnd(const std::string& piece) {
    return piece != "." && !piece.empty() && (piece.back() == '.' || piece.back() == ' ');
}

}  // namespace

bool IsSafeMemberName(const std::string& storedName) {
    if (storedName.empty() || storedName.find('\0') != std::string::npos) return false;
    if (IsSeparator(storedName.front())) return false;
    if (storedName.find(':') != std::string::npos) return false;
    for (const std::string& piece : SplitPieces(storedName)) {
        if (ClimbsUp(piece) || NamesDevice(piece) || LosesItsEnd(piece)) return false;
    }
    return true;
}

platform::PathKind WhatIsAtMemberPath(const std::string& targetFolder, const std::string& storedName) {
    std::string path = targetFolder;
    platform::PathKind kind = platform::PathKind::kFolder;  // the target folder, by the caller's word
    for (const std::string& piece : SplitPieces(storedName)) {
        if (piece.empty()) continue;
        path += piece;
        kind = platform::KindOfPath(path);
        // Below nothing, nothing exists either; below a link, anything may.
        if (kind == platform::PathKind::kLink || kind == platform::PathKind::kNothing) return kind;
        path += '\\';
    }
    return kind;
}

void CreateFolderPath(const std::string& outputPath) {
    std::vector<std::string> pieces = SplitPieces(outputPath);
    pieces.pop_back();  // the file name, or nothing after a final separator
    std::string folder;
    size_t first = 0;
    if (!pieces.empty() && pieces.front().empty()) {
        folder = "\\";
        first = 1;
    } else if (!pieces.empty()) {
        if (std::string root = platform::DriveRoot(pieces.front()); !root.empty()) {
            folder = root;
            first = 1;
        }
    }
    for (size_t i = first; i < pieces.size(); ++i) {
        if (pieces[i].empty()) continue;
        folder += pieces[i];
        if (!platform::MakeFolder(folder)) return;
        folder += '\\';
    }
}

}  // namespace korven::unzip
