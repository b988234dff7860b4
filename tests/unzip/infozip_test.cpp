// Archives made during the test by Info-ZIP zip (stored, deflate levels 1
// and 9, nested folders, an empty folder, more than 2000 members so that the
// directory passes 64000 bytes, a comment longer than the end-record search
// window) extract byte-identical to their input. `unzip -t` vouches for each
// archive first, so that a failure here is ours. The shared corpus extracts
// to what Info-ZIP unzip writes. Host only: Info-ZIP is a native tool.
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "test_support.h"
#include "unzip/quill_unzip.h"

namespace korven::unzip::test {
namespace {

namespace fs = std::filesystem;

int Shell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The input tree, made once for all tests of the suite.
class InfoZipArchives : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() {
        source_ = new ScratchFolder();
        const fs::path root = source_->Native() / "tree";
        fs::create_directories(root / "docs" / "manual" / "chapters");
        fs::create_directories(root / "empty folder");
        fs::create_directories(root / "bin");
        std::string text;
        for (int line = 0; text.size() < 300000; ++line)
            text += "Linia " + std::to_string(line) + ": contabilitate, facturi, clienti si furnizori.\n";
        WriteWholeFile((root / "docs" / "readme.txt").string(), text);
        WriteWholeFile((root / "docs" / "manual" / "chapters" / "ch1.txt").string(), text.substr(1000, 70000));
        WriteWholeFile((root / "bin" / "program.bin").string(), PseudoRandomBytes(500000, 21));
        std::string noise(200000, '\0');
        uint32_t state = 99;
        for (char& c : noise) {
            state = state * 1664525u + 1013904223u;
            c = static_cast<char>(state >> 24);
        }
        WriteWholeFile((root / "bin" / "noise.dat").string(), noise);
        WriteWholeFile((root / "zero length.txt").string(), "");
        for (int group = 0; group < 21; ++group) {
            fs::path folder = root / "many" / ("group_" + std::to_string(group));
            fs::create_directories(folder);
            for (int i = 0; i < 100; ++i) {
                std::string name = "entry_with_a_rather_long_descriptive_name_" + std::to_string(i) + ".txt";
                WriteWholeFile((folder / name).string(),
                               "group " + std::to_string(group) + " entry " + std::to_string(i));
            }
        }
    }
    static void TearDownTestSuite() {
        delete source_;
        source_ = nullptr;
    }

    static fs::path Tree() { return source_->Native() / "tree"; }

    // Every file and folder of the input exists alike under `extracted`.
    static void ExpectSameTree(const fs::path& extracted) {
        size_t files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(Tree())) {
            fs::path copy = extracted / fs::relative(entry.path(), Tree());
            if (entry.is_directory()) {
                EXPECT_TRUE(fs::is_directory(copy)) << copy;
                continue;
            }
            ++files;
            ASSERT_TRUE(fs::is_regular_file(copy)) << copy;
            EXPECT_TRUE(ReadWholeFile(entry.path().string()) == ReadWholeFile(copy.string())) << copy;
        }
        EXPECT_GT(files, 2000u);
    }

    static ScratchFolder* source_;
};
ScratchFolder* InfoZipArchives::source_ = nullptr;

TEST_P(InfoZipArchives, ExtractByteIdenticalToTheInput) {
    ScratchFolder scratch;
    const fs::path archive = scratch.Native() / "kit.zip";
    ASSERT_EQ(Shell("cd " + Quoted(Tree()) + " && zip -q -r " + GetParam() + " " + Quoted(archive) + " ."), 0);
    ASSERT_EQ(Shell("unzip -tqq " + Quoted(archive) + " >/dev/null"), 0);

    DirectoryCursor cursor;
    ASSERT_EQ(OpenDirectory(archive.string(), cursor), kOk);
    EXPECT_TRUE(cursor.IsWindowed()) << "more than 64000 bytes of directory";
    CloseDirectory(cursor);

    int32_t failures = 0;
    int32_t count = ExtractArchive(
        archive.string(), scratch.Path("out"), "*.*",
        [&failures](int32_t, const ReportRecord& record) {
            if (record.status == kReportMemberFailed || record.status == kReportStopped) ++failures;
        },
        nullptr);
    EXPECT_EQ(failures, 0);
    EXPECT_GT(count, 2100);
    ExpectSameTree(scratch.Native() / "out");
}

INSTANTIATE_TEST_SUITE_P(Levels, InfoZipArchives, ::testing::Values("-0", "-1", "-9"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             return "Level" + param.param.substr(1);
                         });

TEST_F(InfoZipArchives, ALongArchiveCommentIsSearchedPast) {
    ScratchFolder scratch;
    const fs::path archive = scratch.Native() / "commented.zip";
    ASSERT_EQ(Shell("cd " + Quoted(Tree()) + " && zip -q -r -6 " + Quoted(archive) + " docs bin"), 0);
    WriteWholeFile(scratch.Path("comment.txt"), std::string(6000, 'K') + "\n");
    ASSERT_EQ(Shell("zip -q -z " + Quoted(archive) + " < " + Quoted(scratch.Native() / "comment.txt")), 0);
    ASSERT_EQ(Shell("unzip -tqq " + Quoted(archive) + " >/dev/null"), 0);
    const std::string bytes = ReadWholeFile(archive.string());
    ASSERT_EQ(bytes.substr(bytes.size() - 4100, 100), std::string(100, 'K')) << "the comment ends the file";

    // Three folders and five files.
    EXPECT_EQ(ExtractArchive(archive.string(), scratch.Path("out"), "*.*", nullptr, nullptr), 8);
    EXPECT_TRUE(ReadWholeFile((Tree() / "bin" / "noise.dat").string()) ==
                ReadWholeFile(scratch.Path("out/bin/noise.dat")));
    EXPECT_TRUE(ReadWholeFile((Tree() / "docs" / "readme.txt").string()) ==
                ReadWholeFile(scratch.Path("out/docs/readme.txt")));
}

// The shared corpus (archives of PKZIP for DOS, hwzip, 7-Zip, Info-ZIP and
// others): the component writes exactly the files Info-ZIP unzip writes, byte
// for byte. Where a member's method is refused, the component's walk ends
// there; what it wrote before must still match, and an archive of methods
// it decodes must come out whole.
class CorpusAgainstInfoZip : public ::testing::TestWithParam<std::string> {
protected:
    static std::set<fs::path> FilesUnder(const fs::path& root) {
        std::set<fs::path> files;
        if (!fs::exists(root)) return files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), root));
        }
        return files;
    }
    static bool EveryMemberIsDecodable(const std::string& archive) {
        for (const ManifestRow& row : ReadManifest()) {
            if (row.archive != archive) continue;
            // Only a deflated member's end can be found when its sizes follow it.
            const bool decodable =
                row.method == 8 || ((row.method == 0 || row.method == 1 || row.method == 6) && !(row.flags & 0x0008));
            if (!decodable || (row.flags & 0x0001)) return false;
        }
        return true;
    }
};

TEST_P(CorpusAgainstInfoZip, TheSameFilesAndBytesAsUnzip) {
    ScratchFolder scratch;
    const std::string archive = CorpusPath(GetParam());
    // Info-ZIP goes on past what it cannot do; a wrong password skips the
    // encrypted members instead of asking for one.
    Shell("unzip -qq -o -P wrong " + Quoted(archive) + " -d " + Quoted(scratch.Native() / "infozip") +
          " </dev/null >/dev/null 2>&1");
    const int32_t count = ExtractArchive(archive, scratch.Path("ours"), "*.*", nullptr, nullptr);

    const std::set<fs::path> theirs = FilesUnder(scratch.Native() / "infozip");
    const std::set<fs::path> ours = FilesUnder(scratch.Native() / "ours");
    for (const fs::path& file : ours) {
        ASSERT_TRUE(theirs.count(file)) << file << " was written by the component only";
        EXPECT_TRUE(ReadWholeFile((scratch.Native() / "ours" / file).string()) ==
                    ReadWholeFile((scratch.Native() / "infozip" / file).string()))
            << file;
    }
    if (EveryMemberIsDecodable(GetParam())) {
        EXPECT_EQ(ours, theirs);
        EXPECT_GT(count, 0);
    }
}

std::vector<std::string> CorpusArchives() {
    std::set<std::string> names;
    for (const ManifestRow& row : ReadManifest()) names.insert(row.archive);
    return {names.begin(), names.end()};
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusAgainstInfoZip, ::testing::ValuesIn(CorpusArchives()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace korven::unzip::test
