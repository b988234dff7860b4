// Writes the hostile archives of the corpus into a folder:
//   make_hostile_archives tests/unzip/data/hostile
#include <cstdio>
#include <filesystem>

#include "hostile_archives.h"
#include "test_support.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_hostile_archives FOLDER\n", stderr);
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    for (const auto& archive : korven::unzip::test::HostileArchives()) {
        korven::unzip::test::WriteWholeFile((std::filesystem::path(argv[1]) / archive.file).string(), archive.bytes);
    }
    return 0;
}
