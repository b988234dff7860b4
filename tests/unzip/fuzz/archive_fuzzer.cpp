// libFuzzer target: a whole archive in; open it, walk its directory and
// extract every member into a scratch folder, then the same through the
// unzip component. Besides the sanitizers' own checks it verifies that
// nothing was written outside the scratch folder.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "unzip/member_path.h"
#include "unzip/quill_unzip.h"

namespace {

namespace fs = std::filesystem;
using namespace korven::unzip;

// A deflate member can expand a thousandfold: extracting only the first
// few members keeps one input within seconds and megabytes.
constexpr int kMaxMembers = 8;

// top/a/b holds the archive and the output folder; a name climbing out of
// the output would land in b, a or top, which are checked after each input.
struct Scratch {
    Scratch()
        : top(fs::temp_directory_path() / ("korven-fuzz-" + std::to_string(::getpid()))),
          root(top / "a" / "b"),
          archive((root / "archive.zip").string()),
          out((root / "out").string()) {
        fs::remove_all(top);
        fs::create_directories(out);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(top, ignored);
    }
    fs::path top, root;
    std::string archive, out;
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

void ExpectOnly(const fs::path& folder, const std::set<std::string>& allowed) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!allowed.count(entry.path().filename().string())) {
            std::fprintf(stderr, "written outside the output folder: %s\n", entry.path().c_str());
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Scratch& scratch = TheScratch();
    {
        std::ofstream file(scratch.archive, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    int members = 0;
    DirectoryCursor cursor;
    for (int walk = OpenDirectory(scratch.archive, cursor); walk == kOk && members < kMaxMembers;
         walk = NextDirectoryEntry(cursor), ++members) {
        if (!IsSafeMemberName(cursor.name)) continue;
        ExtractMember(scratch.archive, scratch.out + "\\" + cursor.name,
                      static_cast<uint32_t>(cursor.localHeaderOffset), 0, 0);
    }
    CloseDirectory(cursor);

    if (members < kMaxMembers) {
        ExtractArchive(
            scratch.archive, scratch.out, "*.*", [](int32_t, const ReportRecord&) {},
            [](const ReportRecord&) { return true; });
        ListArchive(scratch.archive, "*.TXT", [](int32_t, const ReportRecord&) {});
        int32_t compressed = 0;
        ArchiveContentSize(scratch.archive, compressed);
    }

    ExpectOnly(scratch.top, {"a"});
    ExpectOnly(scratch.top / "a", {"b"});
    ExpectOnly(scratch.root, {"archive.zip", "out"});
    fs::remove_all(scratch.out);
    fs::create_directories(scratch.out);
    return 0;
}
