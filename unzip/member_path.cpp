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

}  // namespace

bool IsSafeMemberName(const std::string& storedName) {
    if (!storedName.empty() && IsSeparator(storedName.front())) return false;
    if (storedName.find(':') != std::string::npos) return false;
    for (const std::string& piece : SplitPieces(storedName)) {
        if (ClimbsUp(piece)) return false;
    }
    return true;
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
