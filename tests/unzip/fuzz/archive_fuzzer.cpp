// libFuzzer target: a whole archive in; open it, walk its directory and
// extract every member into a scratch folder, then the same through the
// unzip component. Besides the sanitizers' own checks it fails when
// anything appears outside the scratch folder, and when a member writes
// more bytes than the directory declares for it.
#include <unistd.h>

#include <algorithm>
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

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

// A member extracted whole holds no more than its declared size.
void ExpectWithinDeclared(const std::string& output, uint32_t declared) {
    std::error_code failed;
    const auto size = fs::file_size(output, failed);
    if (!failed && size > declared) {
        Fail("member larger than declared: " + output + ", " + std::to_string(size) + " > " + std::to_string(declared));
    }
}

// The component's block reports, summed per member, stay within what the
// directory declares for that member (the record's size while it runs).
class WrittenPerMember {
public:
    void operator()(int32_t argument, const ReportRecord& record) {
        if (record.status == kReportMemberStart) written_ = 0;
        if (record.status != kReportBlockWritten || record.method == kSkippedMethod) return;
        written_ += static_cast<uint32_t>(argument);
        if (written_ > static_cast<uint32_t>(record.uncompressedSize)) {
            Fail(std::string("more written than declared: ") + record.name);
        }
    }

private:
    uint64_t written_ = 0;
};

void ExpectOnly(const fs::path& folder, const std::set<std::string>& allowed) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!allowed.count(entry.path().filename().string())) {
            Fail("written outside the output folder: " + entry.path().string());
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
        const std::string output = scratch.out + "/" + cursor.name;
        const auto declared = static_cast<uint32_t>(cursor.uncompressedSize);
        if (ExtractMember(scratch.archive, output, static_cast<uint32_t>(cursor.localHeaderOffset), 0, 0, declared) ==
            kOk) {
            std::string native = output;
            std::replace(native.begin(), native.end(), '\\', '/');
            ExpectWithinDeclared(native, declared);
        }
    }
    CloseDirectory(cursor);

    if (members < kMaxMembers) {
        WrittenPerMember written;
        ExtractArchive(
            scratch.archive, scratch.out, "*.*",
            [&written](int32_t argument, const ReportRecord& record) { written(argument, record); },
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
