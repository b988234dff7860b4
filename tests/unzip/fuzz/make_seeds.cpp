// Cuts the fuzz target's seed corpus out of the test corpus (and its
// hostile set): every archive small enough is a seed as it is, and up to four small members of every
// archive become one-member archives of their own, so that each method and
// header variant of the corpus reaches the fuzzer within its input size.
//
//   make_seeds CORPUS_FOLDER SEED_FOLDER
// (scripts/fuzz --reseed builds and runs it.)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "unzip/byte_order.h"
#include "unzip/zip_engine.h"

namespace {

namespace fs = std::filesystem;
using namespace korven::unzip;

constexpr size_t kWholeArchiveLimit = 65536;
constexpr uint32_t kMemberLimit = 16384;
constexpr int kMembersPerArchive = 4;

void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The member's local header, name, extra field, data and descriptor, then a
// directory of one entry and the end record.
std::string OneMemberArchive(const std::string& archive, const DirectoryCursor& entry) {
    uint32_t offset = static_cast<uint32_t>(entry.localHeaderOffset);
    if (offset + 30 > archive.size()) return {};
    const uint8_t* header = reinterpret_cast<const uint8_t*>(archive.data()) + offset;
    uint32_t nameLength = ReadLe16(header + 26);
    uint32_t span = 30 + nameLength + ReadLe16(header + 28) + static_cast<uint32_t>(entry.compressedSize) +
                    ((entry.flags & 0x8) ? 16 : 0);
    if (offset + span > archive.size()) return {};
    std::string out = archive.substr(offset, span);
    std::string name = archive.substr(offset + 30, nameLength);
    uint32_t directory = static_cast<uint32_t>(out.size());
    Put32(out, 0x02014B50);
    Put16(out, 20);
    Put16(out, 20);
    Put16(out, entry.flags);
    Put16(out, entry.method);
    Put32(out, entry.dateTime);
    Put32(out, entry.crc32);
    Put32(out, static_cast<uint32_t>(entry.compressedSize));
    Put32(out, static_cast<uint32_t>(entry.uncompressedSize));
    Put16(out, nameLength);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, entry.attributes);
    Put32(out, 0);
    out += name;
    uint32_t directorySize = static_cast<uint32_t>(out.size()) - directory;
    Put32(out, 0x06054B50);
    Put32(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, directorySize);
    Put32(out, directory);
    Put16(out, 0);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds CORPUS_FOLDER SEED_FOLDER\n");
        return 2;
    }
    const fs::path corpus = argv[1], seeds = argv[2];
    fs::create_directories(seeds);
    int written = 0;
    // The hostile set sits in a folder of its own and seeds whole archives.
    std::vector<fs::directory_entry> files{fs::directory_iterator(corpus), fs::directory_iterator()};
    if (fs::is_directory(corpus / "hostile")) {
        files.insert(files.end(), fs::directory_iterator(corpus / "hostile"), fs::directory_iterator());
    }
    for (const auto& file : files) {
        std::string extension = file.path().extension().string();
        if (extension != ".zip" && extension != ".ZIP") continue;
        const bool hostile = file.path().parent_path().filename() == "hostile";
        const std::string stem = (hostile ? "hostile-" : "") + file.path().stem().string();
        const std::string archive = ReadAll(file.path());
        if (archive.size() <= kWholeArchiveLimit) {
            WriteAll(seeds / (stem + ".zip"), archive);
            ++written;
        }
        int taken = 0;
        DirectoryCursor cursor;
        for (int walk = OpenDirectory(file.path().string(), cursor); walk == kOk && taken < kMembersPerArchive;
             walk = NextDirectoryEntry(cursor)) {
            if (cursor.compressedSize <= 0 || static_cast<uint32_t>(cursor.compressedSize) > kMemberLimit) continue;
            std::string seed = OneMemberArchive(archive, cursor);
            if (seed.empty()) continue;
            WriteAll(seeds / (stem + "-" + std::to_string(taken++) + ".zip"), seed);
            ++written;
        }
        CloseDirectory(cursor);
    }
    std::printf("%d seeds in %s\n", written, seeds.c_str());
    return 0;
}
