// Which files of an installation disk are pieces of the archives to
// assemble, and in which order they are joined. A piece is named after its
// component, a dot and a number: EXE.1 begins the archive EXE.ZIP, EXE.2,
// EXE.3 ... follow it. Names compare without regard to case.
//
// Portable text rules only: reading the disk and joining the files is
// kit_assembly's and piece_assembly's work.
#pragma once

#include <string>
#include <vector>

#include "core/settings.h"

// A piece's name taken apart: "exe.10" is component "EXE", extension "10".
struct PieceName {
    std::string file;       // as found on the disk
    std::string component;  // before the first ".", upper-cased
    std::string extension;  // after the first "."

    // Only the extension "1" itself creates the archive; "01" does not.
    bool BeginsArchive() const { return extension == "1"; }
};

PieceName SplitPieceName(const std::string& file);

// True when the name has an extension ending in a digit and its part before
// the first "." is the name of a component in `selected`.
bool IsArchivePiece(const std::string& file, TCompSet selected);

// The pieces of one disk in the order they are joined: by component, then by
// the number of their extension (EXE.9 before EXE.10); extensions that are
// not plain numbers come after the numbered ones, in text order.
std::vector<PieceName> OrderPieces(const std::vector<std::string>& files, TCompSet selected);
