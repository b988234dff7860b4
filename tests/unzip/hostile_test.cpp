// The installer extracts with administrator rights: archives made to attack
// it, and damaged ones, from the corpus's hostile set. Nothing may land
// anywhere but its own place in the target folder, no member may produce
// more than it declares, and damage is never passed over as success.
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include <gtest/gtest.h>

#include "hostile_archives.h"
#include "test_support.h"
#include "unzip/member_path.h"
#include "unzip/quill_unzip.h"
#include "zip_builder.h"

namespace korven::unzip::test {
namespace {

namespace fs = std::filesystem;
using Step = std::pair<int32_t, int32_t>;  // status, first argument

struct Outcome {
    int32_t result = 0;
    DirectoryFindings findings;
    std::vector<Step> steps;                  // without the -1001 blocks
    std::map<std::string, int64_t> bytesOut;  // block bytes reported per target name
    std::vector<std::string> asked;           // names the question was asked about
};

// Extracts a hostile archive into scratch/target through the component.
Outcome ExtractInto(const ScratchFolder& scratch, const std::string& file, std::optional<bool> answer = {}) {
    Outcome outcome;
    fs::create_directories(scratch.Native() / "target");
    QuestionFunc question;
    if (answer) {
        question = [&outcome, answer](const ReportRecord& record) {
            outcome.asked.push_back(record.name);
            return *answer;
        };
    }
    auto report = [&outcome](int32_t argument, const ReportRecord& record) {
        if (record.status == kReportBlockWritten && record.method != kSkippedMethod) {
            outcome.bytesOut[record.name] += argument;
        } else {
            outcome.steps.emplace_back(record.status, argument);
        }
    };
    outcome.result =
        ExtractArchive(HostilePath(file), scratch.Path("target"), "*.*", report, question, &outcome.findings);
    return outcome;
}

std::vector<Step> LastTwo(const Outcome& outcome) {
    if (outcome.steps.size() < 2) return outcome.steps;
    return {outcome.steps.end() - 2, outcome.steps.end()};
}

// Every file and folder under `folder`, relative, with "/".
std::set<std::string> Tree(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.insert(fs::relative(entry.path(), folder).generic_string());
    }
    return names;
}

const std::set<std::string> kOnlyGood = {"GOOD.TXT"};
const std::vector<Step> kFailedWith2 = {{kReportMemberFailed, kCannotWrite}, {kReportArchiveEnd, kReportArchiveEnd}};
const std::vector<Step> kFailedWith1 = {{kReportMemberFailed, kCrcMismatch}, {kReportArchiveEnd, kReportArchiveEnd}};

TEST(HostileCorpus, EveryArchiveIsWhatItsRecipeMakes) {
    for (const HostileArchive& archive : HostileArchives()) {
        EXPECT_TRUE(ReadWholeFile(HostilePath(archive.file)) == archive.bytes)
            << archive.file << ": remake data/hostile with make_hostile_archives";
    }
}

TEST(UnsafeNames, AreRefusedBeforeTheOverwriteQuestionWhateverItWouldAnswer) {
    for (bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        ScratchFolder scratch;
        WriteWholeFile(scratch.Path("victim.txt"), "precious");
        Outcome outcome = ExtractInto(scratch, "climb_question.zip", answer);
        EXPECT_EQ(outcome.result, 1);
        EXPECT_TRUE(outcome.asked.empty()) << outcome.asked.front();
        EXPECT_EQ(LastTwo(outcome), kFailedWith2);
        EXPECT_EQ(ReadWholeFile(scratch.Path("victim.txt")), "precious");
        EXPECT_EQ(Tree(scratch.Native() / "target"), kOnlyGood);
    }
}

TEST(UnsafeNames, AreRefusedWhateverTheMethodOrEncryptionWouldSay) {
    ScratchFolder scratch;
    Outcome outcome = ExtractInto(scratch, "climb_encrypted.zip");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(LastTwo(outcome), kFailedWith2);
}

TEST(UnsafeNames, ANulByteOrNoNameAtAllIsRefused) {
    for (const char* file : {"name_nul_inside.zip", "name_nul_first.zip", "name_empty.zip"}) {
        SCOPED_TRACE(file);
        ScratchFolder scratch;
        Outcome outcome = ExtractInto(scratch, file);
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(LastTwo(outcome), kFailedWith2);
        EXPECT_EQ(Tree(scratch.Native() / "target"), kOnlyGood);
    }
}

TEST(UnsafeNames, A4096CharacterNameIsNeverWrittenUnderACutOne) {
    ScratchFolder scratch;
    Outcome outcome = ExtractInto(scratch, "name_4096.zip");
    EXPECT_EQ(outcome.result, 1) << "no path of this length can be written, not even its folders";
    EXPECT_EQ(LastTwo(outcome), kFailedWith2);
    EXPECT_EQ(Tree(scratch.Native() / "target"), kOnlyGood);
}

TEST(UnsafeNames, ALongNameIsWrittenWholeOrFailsNeverTurningIntoAFolder) {
    ScratchFolder scratch;
    Outcome outcome = ExtractInto(scratch, "name_cut_on_separator.zip");
    const std::string whole = std::string(200, 'd') + "\\" + std::string(57, 'e') + "\\data.txt";
    if (outcome.result == 3) {
        EXPECT_EQ(ReadWholeFile(scratch.Path("target") + "\\" + whole), "data");
    } else {
        EXPECT_EQ(outcome.result, 1) << "a path the file system cannot hold fails its member";
        EXPECT_EQ(LastTwo(outcome), kFailedWith2);
    }
}

TEST(UnsafeNames, WindowsDevicesStreamsAndTrimmedNamesAreRefused) {
    for (const WindowsNameCase& name : WindowsNameCases()) {
        SCOPED_TRACE(name.storedName);
        ScratchFolder scratch;
        Outcome outcome = ExtractInto(scratch, name.file);
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(LastTwo(outcome), kFailedWith2);
        EXPECT_EQ(Tree(scratch.Native() / "target"), kOnlyGood);
    }
}

TEST(UnsafeNames, NamesThatOnlyLookLikeDevicesAreFine) {
    for (const char* name : {"CONSOLE.TXT", "NULL", "AUXILIAR.DAT", "COM10", "LPT", "PRN2.TXT", "A.B.C", "./SUB/X",
                             "SUB/.HIDDEN", "DIR/"}) {
        EXPECT_TRUE(IsSafeMemberName(name)) << name;
    }
}

TEST(LinksInTheTarget, AFolderLinkIsNotWrittenThrough) {
    ScratchFolder scratch;
    fs::create_directories(scratch.Native() / "outside");
    fs::create_directories(scratch.Native() / "target");
    ASSERT_TRUE(MakeFolderLink((scratch.Native() / "target" / "LINKED").string(), scratch.Path("outside")));
    Outcome outcome = ExtractInto(scratch, "through_folder_link.zip");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(LastTwo(outcome), kFailedWith2);
    EXPECT_TRUE(fs::is_empty(scratch.Native() / "outside"));
}

#ifndef _WIN32
// Wine shows a host link to a file as a plain file, where Windows shows a
// reparse point: this one runs where the platform tells links apart.
TEST(LinksInTheTarget, AFileLinkIsNotWrittenThroughNorADanglingOneFollowed) {
    for (const char* pointsAt : {"victim.txt", "new.txt"}) {
        SCOPED_TRACE(pointsAt);
        ScratchFolder scratch;
        fs::create_directories(scratch.Native() / "outside");
        fs::create_directories(scratch.Native() / "target");
        WriteWholeFile(scratch.Path("outside/victim.txt"), "precious");
        fs::create_symlink(scratch.Native() / "outside" / pointsAt, scratch.Native() / "target" / "OUT.TXT");
        Outcome outcome = ExtractInto(scratch, "onto_file_link.zip");
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(LastTwo(outcome), kFailedWith2);
        EXPECT_EQ(Tree(scratch.Native() / "outside"), std::set<std::string>{"victim.txt"});
        EXPECT_EQ(ReadWholeFile(scratch.Path("outside/victim.txt")), "precious");
    }
}
#endif

TEST(BoundedOutput, DataPastTheDeclaredSizeIsDamageCutThereAndRemoved) {
    for (const char* file : {"overrun_stored.zip", "overrun_deflated.zip", "overrun_streamed.zip"}) {
        SCOPED_TRACE(file);
        ScratchFolder scratch;
        Outcome outcome = ExtractInto(scratch, file);
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(LastTwo(outcome), kFailedWith1);
        EXPECT_EQ(Tree(scratch.Native() / "target"), kOnlyGood);
        const std::string big = scratch.Path("target") + "\\BIG.DAT";
        EXPECT_LE(outcome.bytesOut[big], kOverrunDeclared);
    }
}

TEST(BoundedOutput, MembersSharingTheirDataAreRefusedBeforeAnyIsWritten) {
    for (const char* file : {"overlap_same_header.zip", "overlap_nested.zip"}) {
        SCOPED_TRACE(file);
        ScratchFolder scratch;
        Outcome outcome = ExtractInto(scratch, file);
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(LastTwo(outcome), kFailedWith1);
        EXPECT_EQ(Tree(scratch.Native() / "target"), kOnlyGood);
        int64_t written = 0;
        for (const auto& [name, bytes] : outcome.bytesOut) written += bytes;
        EXPECT_EQ(written, 4) << "GOOD.TXT alone";
    }
}

TEST(DamagedArchives, AnUnreadableDirectoryIsToldApartFromAnEmptyArchive) {
    for (const char* file : {"truncated_by_1.zip", "truncated_in_directory.zip", "bad_directory_offset.zip"}) {
        SCOPED_TRACE(file);
        ScratchFolder scratch;
        Outcome outcome = ExtractInto(scratch, file);
        EXPECT_EQ(outcome.result, 0) << "the count stays what callers know";
        EXPECT_EQ(outcome.findings.state, DirectoryState::kUnreadable);
        EXPECT_EQ(outcome.findings.matching, 0);
    }
    ScratchFolder scratch;
    ZipBuilder().Preamble(std::string("PK\x03\x04", 4) + std::string(60, '\0')).WriteTo(scratch.Path("none.zip"));
    TQuillUnzip unzip;
    unzip.SetFileName(scratch.Path("none.zip"));
    unzip.SetDirectoryName(scratch.Path("target"));
    EXPECT_EQ(unzip.Extract(), 0);
    EXPECT_EQ(unzip.Directory(), DirectoryState::kWhole);
    EXPECT_EQ(unzip.MatchingMembers(), 0);
}

TEST(DamagedArchives, ADirectoryCutShortKeepsTheMembersBeforeTheDamage) {
    ScratchFolder scratch;
    TQuillUnzip unzip;
    unzip.SetFileName(HostilePath("cut_directory.zip"));
    unzip.SetDirectoryName(scratch.Path("target"));
    EXPECT_EQ(unzip.Extract(), 1);
    EXPECT_EQ(unzip.Directory(), DirectoryState::kCutShort);
    EXPECT_EQ(unzip.MatchingMembers(), 1);
    unzip.SetReportProc([](int32_t, const ReportRecord&) {});
    EXPECT_EQ(unzip.ListContents(), 1);
    EXPECT_EQ(unzip.Directory(), DirectoryState::kCutShort);
}

TEST(DamagedArchives, AMemberLeftUnreportedShowsInTheMatchingCount) {
    ScratchFolder scratch;
    TQuillUnzip unzip;
    unzip.SetFileName(HostilePath("deflate_too_many_codes.zip"));
    unzip.SetDirectoryName(scratch.Path("target"));
    EXPECT_EQ(unzip.Extract(), 1) << "the deflate decoder's 1 ends the walk";
    EXPECT_EQ(unzip.MatchingMembers(), 3);
    EXPECT_EQ(unzip.Directory(), DirectoryState::kWhole);
    unzip.SetFileSpecs("*.TXT");
    EXPECT_EQ(unzip.Extract(), 2);
    EXPECT_EQ(unzip.MatchingMembers(), 2);
}

}  // namespace
}  // namespace korven::unzip::test
