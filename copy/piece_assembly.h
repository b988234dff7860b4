// Joins archive pieces into whole archives in one folder, and remembers
// which archives it began, so that a piece can only continue an archive
// whose first piece this run has written, and so that only those archives
// are removed afterwards (never a .ZIP the user keeps in that folder).
//
// A piece the kit lists is checked as it is copied (its size and CRC-32,
// from the same read that copies it). A piece that fails leaves its archive
// as it was before it, so that it can be copied again from its start.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "copy/archive_pieces.h"
#include "core/piece_manifest.h"

class PieceAssembly {
public:
    enum class Result {
        kAdded,
        kNotBegun,     // a later piece whose archive has no first piece in this run
        kCannotRead,   // the piece could not be opened or read to its end
        kCannotWrite,  // the archive could not be created, opened or written
        kWrongSize,    // the piece is longer or shorter than the kit lists it
        kWrongCrc,     // the piece's bytes are not those the kit lists
    };

    // What was read of the last piece handed to Add.
    struct ReadPiece {
        std::uint64_t size = 0;
        std::uint32_t crc = 0;
    };

    // `folder` receives the archives COMPONENT.ZIP; with or without a final "\".
    explicit PieceAssembly(std::string folder);
    PieceAssembly(const PieceAssembly&) = delete;
    PieceAssembly& operator=(const PieceAssembly&) = delete;

    // Copies `sourcePath`, which is the piece `piece`, into its archive: the
    // first piece creates (or truncates) it, every other piece is appended.
    // With `expected`, the piece must have that size and CRC.
    Result Add(const std::string& sourcePath, const PieceName& piece, const ExpectedPiece* expected = nullptr);
    const ReadPiece& LastRead() const { return lastRead_; }

    // Where the archive of a component is assembled.
    std::string ArchivePath(const std::string& component) const;
    // Archives begun in this run, full paths, in the order they were begun.
    const std::vector<std::string>& Archives() const { return archives_; }
    // Deletes the archives begun in this run; answers those that stayed.
    std::vector<std::string> RemoveArchives();

private:
    bool Begun(const std::string& archive) const;

    std::string folder_;
    std::vector<std::string> archives_;
    std::map<std::string, std::uint64_t> lengths_;  // of each archive, after its last whole piece
    ReadPiece lastRead_;
};
