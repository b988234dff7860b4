// Joins archive pieces into whole archives in one folder, and remembers
// which archives it began, so that a piece can only continue an archive
// whose first piece this run has written, and so that only those archives
// are removed afterwards (never a .ZIP the user keeps in that folder).
//
// Portable: plain C files, paths written the Windows way.
#pragma once

#include <string>
#include <vector>

#include "copy/archive_pieces.h"

class PieceAssembly {
public:
    enum class Result {
        kAdded,
        kNotBegun,     // a later piece whose archive has no first piece in this run
        kCannotRead,   // the piece could not be opened or read to its end
        kCannotWrite,  // the archive could not be created, opened or written
    };

    // `folder` receives the archives COMPONENT.ZIP; with or without a final "\".
    explicit PieceAssembly(std::string folder);
    PieceAssembly(const PieceAssembly&) = delete;
    PieceAssembly& operator=(const PieceAssembly&) = delete;

    // Copies `sourcePath`, which is the piece `piece`, into its archive: the
    // first piece creates (or truncates) it, every other piece is appended.
    Result Add(const std::string& sourcePath, const PieceName& piece);

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
};
