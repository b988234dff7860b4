#include "copy/piece_assembly.h"

#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

#include "unzip/decode/crc32.h"

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

// Gives the archive back its length before the piece that failed; false
// when it could not, and the archive is lost.
bool CutBack(File file, std::uint64_t length) {
    return std::fflush(file.get()) == 0 && _chsize_s(_fileno(file.get()), static_cast<long long>(length)) == 0 &&
           CloseWritten(std::move(file));
}

}  // namespace

PieceAssembly::PieceAssembly(std::string folder) : folder_(std::move(folder)) {
    if (!folder_.empty() && folder_.back() != '\\') folder_ += '\\';
}

std::string PieceAssembly::ArchivePath(const std::string& component) const { return folder_ + component + ".ZIP"; }

bool PieceAssembly::Begun(const std::string& archive) const {
    return std::find(archives_.begin(), archives_.end(), archive) != archives_.end();
}

PieceAssembly::Result PieceAssembly::Add(const std::string& sourcePath, const PieceName& piece,
                                         const ExpectedPiece* expected) {
    lastRead_ = {};
    const std::string archive = ArchivePath(piece.component);
    if (!piece.BeginsArchive() && !Begun(archive)) return Result::kNotBegun;

    File source(std::fopen(sourcePath.c_str(), "rb"));
    if (!source) return Result::kCannotRead;
    File target(std::fopen(archive.c_str(), piece.BeginsArchive() ? "wb" : "ab"));
    if (!target) return Result::kCannotWrite;
    // Created or truncated: whatever happens next, it is ours to remove.
    if (piece.BeginsArchive()) {
        if (!Begun(archive)) archives_.push_back(archive);
        lengths_[archive] = 0;
    }
    const std::uint64_t before = lengths_[archive];
    // A piece that failed is taken out again, so that the next try begins
    // where it began; an archive that cannot be cut back cannot be written.
    const auto failed = [&](Result result) {
        return CutBack(std::move(target), before) ? result : Result::kCannotWrite;
    };

    std::uint32_t crc = korven::unzip::kCrc32Start;
    std::uint64_t size = 0;
    std::unique_ptr<char[]> block(new char[kBlockSize]);
    for (;;) {
        const size_t read = std::fread(block.get(), 1, kBlockSize, source.get());
        crc = korven::unzip::Crc32Update(crc, reinterpret_cast<const std::uint8_t*>(block.get()), read);
        size += read;
        if (read > 0 && std::fwrite(block.get(), 1, read, target.get()) != read) return failed(Result::kCannotWrite);
        if (read < kBlockSize) break;
    }
    lastRead_ = {size, ~crc};
    if (std::ferror(source.get())) return failed(Result::kCannotRead);
    if (expected != nullptr && size != expected->size) return failed(Result::kWrongSize);
    if (expected != nullptr && lastRead_.crc != expected->crc) return failed(Result::kWrongCrc);
    if (!CloseWritten(std::move(target))) return Result::kCannotWrite;
    lengths_[archive] = before + size;
    return Result::kAdded;
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
