// The kit's list of its pieces, from the settings file's section "Piese":
// for each piece its size, its CRC-32 and the disk that carries it, one line
// each, as the kit builder writes them:
//
//   EXE.2=1457664,0A1B2C3D,2
//
// The copy pages check every piece against it while they copy it. A kit
// without the section has an empty list, and its pieces are joined as they
// come. Portable: text rules only.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct ExpectedPiece {
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    std::uint32_t disk = 0;
};

class PieceManifest {
public:
    // Takes one "name=size,crc,disk" line of the section. False, and the
    // piece stays unchecked, when the line is not understood.
    bool Add(const std::string& line);

    // The piece of that file name (names compare without regard to case), or
    // nullptr when the list does not name it.
    const ExpectedPiece* Find(const std::string& file) const;
    bool Empty() const { return pieces_.empty(); }

private:
    std::map<std::string, ExpectedPiece> pieces_;  // by upper-case name
};
