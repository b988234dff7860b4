#include "copy/piece_assembly.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

// The size of the disk reads the kit has always been copied with.
constexpr size_t kBlockSize = 25000;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Closes the archive, which may still hold unwritten bytes: a failure there
// is a failed write.
bool CloseWritten(File file) { return std::fclose(file.release()) == 0; }

}  // namespace

PieceAssembly::PieceAssembly(std::string folder) : folder_(std::move(folder)) {
    if (!folder_.empty() && folder_.back() != '\\') folder_ += '\\';
}

std::string PieceAssembly::ArchivePath(const std::string& component) const { return folder_ + component + ".ZIP"; }

bool PieceAssembly::Begun(const std::string& archive) const {
    return std::find(archives_.begin(), archives_.end(), archive) != archives_.end();
}

PieceAssembly::Result PieceAssembly::Add(const std::string& sourcePath, const PieceName& piece) {
    const std::string archive = ArchivePath(piece.component);
    if (!piece.BeginsArchive() && !Begun(archive)) return Result::kNotBegun;

    File source(std::fopen(sourcePath.c_str(), "rb"));
    if (!source) return Result::kCannotRead;
    File target(std::fopen(archive.c_str(), piece.BeginsArchive() ? "wb" : "ab"));
    if (!target) return Result::kCannotWrite;
    // Created or truncated: whatever happens next, it is ours to remove.
    if (piece.BeginsArchive() && !Begun(archive)) archives_.push_back(archive);

    std::unique_ptr<char[]> block(new char[kBlockSize]);
    for (;;) {
        const size_t read = std::fread(block.get(), 1, kBlockSize, source.get());
        if (read > 0 && std::fwrite(block.get(), 1, read, target.get()) != read) return Result::kCannotWrite;
        if (read < kBlockSize) break;
    }
    if (std::ferror(source.get())) return Result::kCannotRead;
    return CloseWritten(std::move(target)) ? Result::kAdded : Result::kCannotWrite;
}

std::vector<std::string> PieceAssembly::RemoveArchives() {
    std::vector<std::string> kept;
    for (const std::string& archive : archives_) {
        // One that is gone already needs no removing.
        if (std::remove(archive.c_str()) != 0 && errno != ENOENT) kept.push_back(archive);
    }
    archives_ = kept;
    return kept;
}
