// The unzip component: what TQuillUnzip and the archive operations report,
// in which order, and what they leave on disk.
#include <gtest/gtest.h>

#include "test_support.h"
#include "unzip/quill_unzip.h"
#include "zip_builder.h"

namespace korven::unzip::test {
namespace {

struct Report {
    int32_t status;
    int32_t argument;
    std::string name;
    int16_t method;
    int32_t uncompressedSize;
    int32_t compressedSize;
    uint8_t saving;
    bool operator==(const Report&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Report& r) {
    return out << "{" << r.status << ", " << r.argument << ", " << r.name << "}";
}

class ReportLog {
public:
    ReportProc Proc() {
        return [this](int32_t argument, const ReportRecord& record) {
            reports.push_back({record.status, argument, record.name, record.method, record.uncompressedSize,
                               record.compressedSize, record.saving});
        };
    }
    // The reports without the -1001 blocks, as (status, argument).
    std::vector<std::pair<int32_t, int32_t>> Steps() const {
        std::vector<std::pair<int32_t, int32_t>> steps;
        for (const Report& r : reports) {
            if (r.status != kReportBlockWritten || r.method == kSkippedMethod) steps.emplace_back(r.status, r.argument);
        }
        return steps;
    }
    std::vector<Report> reports;
};

std::string TenMembersWithABadThird(const ScratchFolder& scratch) {
    ZipBuilder builder;
    for (int i = 1; i <= 10; ++i) {
        BuiltMember member = DeflatedMember("M" + std::to_string(i) + ".TXT", "member " + std::to_string(i));
        if (i == 3) member.crc32 ^= 0xFF;
        builder.Add(member);
    }
    builder.WriteTo(scratch.Path("ten.zip"));
    return scratch.Path("ten.zip");
}

TEST(UnzipComponent, MissingNamesGiveMinus500AndReportNothing) {
    ScratchFolder scratch;
    ReportLog log;
    TQuillUnzip unzip;
    unzip.SetReportProc(log.Proc());
    unzip.SetFileName(scratch.Path("kit.zip"));
    EXPECT_EQ(unzip.Extract(), kMissingArgument);
    unzip.SetFileName("");
    unzip.SetDirectoryName(scratch.Path());
    EXPECT_EQ(unzip.Extract(), kMissingArgument);
    EXPECT_EQ(unzip.ListContents(), kMissingArgument);
    TQuillUnzip silent;
    silent.SetFileName(scratch.Path("kit.zip"));
    EXPECT_EQ(silent.ListContents(), kMissingArgument) << "listing needs a report callback";
    EXPECT_TRUE(log.reports.empty());
}

TEST(UnzipComponent, AnythingButAnArchiveGivesMinus12BeforeAnyReport) {
    ScratchFolder scratch;
    WriteWholeFile(scratch.Path("notes.zip"), "plain text");
    ReportLog log;
    EXPECT_EQ(ExtractArchive(scratch.Path("notes.zip"), scratch.Path(), "*.*", log.Proc(), nullptr), kNotZipArchive);
    EXPECT_EQ(ExtractArchive(scratch.Path("missing.zip"), scratch.Path(), "*.*", log.Proc(), nullptr), kNotZipArchive);
    EXPECT_EQ(ListArchive(scratch.Path("missing.zip"), "*.*", log.Proc()), kNotZipArchive);
    EXPECT_TRUE(log.reports.empty());
}

TEST(UnzipComponent, AnExtractionReportsEveryStepInOrder) {
    ScratchFolder scratch;
    const std::string big = PseudoRandomBytes(40000, 11);
    ZipBuilder builder;
    builder.Add(StoredMember("README.TXT", "read me")).Add(DeflatedMember("DATA/BIG.DAT", big));
    builder.WriteTo(scratch.Path("kit.zip"));
    const int32_t bigCompressed = static_cast<int32_t>(DeflateFixed(big).size());

    for (std::string folder : {scratch.Path("out"), scratch.Path("out") + "\\"}) {
        SCOPED_TRACE(folder);
        ReportLog log;
        TQuillUnzip unzip;
        unzip.SetFileName(scratch.Path("kit.zip"));
        unzip.SetDirectoryName(folder);
        unzip.SetReportProc(log.Proc());
        ASSERT_EQ(unzip.Extract(), 2);

        const std::string target = scratch.Path("out") + "\\";
        const std::vector<std::pair<int32_t, int32_t>> steps = {{-1004, -1004}, {-1000, -1000}, {-1001, 7},
                                                                {-1002, -1002}, {-1000, -1000}, {-1001, 32768},
                                                                {-1001, 7232},  {-1002, -1002}, {-1005, -1005}};
        std::vector<std::pair<int32_t, int32_t>> all;
        for (const Report& r : log.reports) all.emplace_back(r.status, r.argument);
        EXPECT_EQ(all, steps);
        EXPECT_EQ(log.reports[0].name, scratch.Path("kit.zip"));
        EXPECT_EQ(log.reports[0].uncompressedSize, 7 + 40000);
        EXPECT_EQ(log.reports[0].compressedSize, 7 + bigCompressed);
        EXPECT_EQ(log.reports[1].name, target + "README.TXT");
        EXPECT_EQ(log.reports[4].name, target + "DATA\\BIG.DAT");
        EXPECT_EQ(log.reports[4].method, 8);
        EXPECT_EQ(log.reports.back().name, scratch.Path("kit.zip"));
        EXPECT_EQ(log.reports.back().uncompressedSize, 7 + 40000);
        EXPECT_EQ(ReadWholeFile(target + "README.TXT"), "read me");
        EXPECT_TRUE(ReadWholeFile(target + "DATA\\BIG.DAT") == big);
    }
}

TEST(UnzipComponent, TheSavingIsRoundedHalfToEven) {
    ScratchFolder scratch;
    BuiltMember eighth = StoredMember("E", std::string(800, 'e'));
    eighth.data = std::string(100, 'x');  // 12.5 % -> 12 -> saving 88
    BuiltMember threeEighths = StoredMember("T", std::string(800, 't'));
    threeEighths.data = std::string(300, 'x');  // 37.5 % -> 38 -> saving 62
    ZipBuilder().Add(eighth).Add(threeEighths).Add(StoredMember("Z", "")).WriteTo(scratch.Path("s.zip"));
    ReportLog log;
    ASSERT_EQ(ListArchive(scratch.Path("s.zip"), "*.*", log.Proc()), 3);
    EXPECT_EQ(log.reports[0].saving, 88);
    EXPECT_EQ(log.reports[1].saving, 62);
    EXPECT_EQ(log.reports[2].saving, 0);
}

TEST(UnzipComponent, TheQuestionDecidesOverExistingFiles) {
    ScratchFolder scratch;
    ZipBuilder builder;
    builder.Add(StoredMember("KEEP.TXT", "new keep")).Add(StoredMember("SWAP.TXT", "new swap"));
    builder.Add(StoredMember("FRESH.TXT", "fresh"));
    builder.WriteTo(scratch.Path("kit.zip"));
    WriteWholeFile(scratch.Path("KEEP.TXT"), "old keep");
    WriteWholeFile(scratch.Path("SWAP.TXT"), "old swap");

    std::vector<std::string> asked;
    ReportLog log;
    int32_t count = ExtractArchive(scratch.Path("kit.zip"), scratch.Path(), "*.*", log.Proc(),
                                   [&asked](const ReportRecord& record) {
                                       asked.push_back(record.name);
                                       return std::string(record.name).find("SWAP") != std::string::npos;
                                   });
    EXPECT_EQ(count, 3) << "a skipped member counts as done";
    EXPECT_EQ(asked, (std::vector<std::string>{scratch.Path() + "\\KEEP.TXT", scratch.Path() + "\\SWAP.TXT"}));
    EXPECT_EQ(ReadWholeFile(scratch.Path("KEEP.TXT")), "old keep");
    EXPECT_EQ(ReadWholeFile(scratch.Path("SWAP.TXT")), "new swap");
    EXPECT_EQ(ReadWholeFile(scratch.Path("FRESH.TXT")), "fresh");
    ASSERT_GE(log.reports.size(), 4u);
    EXPECT_EQ(log.reports[2], (Report{-1001, 8, scratch.Path() + "\\KEEP.TXT", 9, 8, 8, 0}));
    EXPECT_EQ(log.reports[3].status, -1002);
}

TEST(UnzipComponent, ACrcErrorInTheThirdOfTenKeepsTheFirstTwo) {
    ScratchFolder scratch;
    const std::string archive = TenMembersWithABadThird(scratch);
    std::filesystem::create_directories(scratch.Native() / "out");
    ReportLog log;
    EXPECT_EQ(ExtractArchive(archive, scratch.Path("out"), "*.*", log.Proc(), nullptr), 2);
    EXPECT_TRUE(platform::FileExists(scratch.Path("out\\M1.TXT")));
    EXPECT_TRUE(platform::FileExists(scratch.Path("out\\M2.TXT")));
    EXPECT_FALSE(platform::FileExists(scratch.Path("out\\M3.TXT")));
    EXPECT_FALSE(platform::FileExists(scratch.Path("out\\M4.TXT")));
    const auto steps = log.Steps();
    std::vector<std::pair<int32_t, int32_t>> tail(steps.end() - 3, steps.end());
    EXPECT_EQ(tail, (std::vector<std::pair<int32_t, int32_t>>{{-1000, -1000}, {-1003, -1}, {-1005, -1005}}));
}

TEST(UnzipComponent, EscapeStopsTheArchiveWithMinus100) {
    ScratchFolder scratch;
    ZipBuilder builder;
    builder.Add(StoredMember("SMALL.TXT", "small")).Add(StoredMember("BIG.DAT", PseudoRandomBytes(200000, 12)));
    builder.Add(StoredMember("LAST.TXT", "last"));
    builder.WriteTo(scratch.Path("kit.zip"));
    FakeHost host;
    ReportLog log;
    ReportProc proc = log.Proc();
    int32_t result = ExtractArchive(
        scratch.Path("kit.zip"), scratch.Path(), "*.*",
        [&](int32_t argument, const ReportRecord& record) {
            // The user presses Escape once the big member starts.
            if (record.status == kReportMemberStart && std::string(record.name).find("BIG") != std::string::npos)
                host.heldKey = kEscapeKey;
            proc(argument, record);
        },
        nullptr);
    EXPECT_EQ(result, kStopped);
    EXPECT_TRUE(platform::FileExists(scratch.Path("SMALL.TXT")));
    EXPECT_FALSE(platform::FileExists(scratch.Path("BIG.DAT")));
    EXPECT_FALSE(platform::FileExists(scratch.Path("LAST.TXT")));
    EXPECT_EQ(log.Steps().back(), (std::pair<int32_t, int32_t>{-100, -100}));
}

TEST(UnzipComponent, AnExtractionStartedFromACallbackEndsWithMinus100) {
    ScratchFolder scratch;
    ZipBuilder().Add(StoredMember("ONE.TXT", "one")).Add(StoredMember("TWO.TXT", "two")).WriteTo(scratch.Path("a.zip"));
    std::filesystem::create_directories(scratch.Native() / "nested");
    std::vector<int32_t> nested;
    ReportLog log;
    ReportProc proc = log.Proc();
    int32_t result = ExtractArchive(
        scratch.Path("a.zip"), scratch.Path(), "*.*",
        [&](int32_t argument, const ReportRecord& record) {
            if (record.status == kReportBlockWritten && nested.empty())
                nested.push_back(
                    ExtractArchive(scratch.Path("a.zip"), scratch.Path("nested"), "*.*", nullptr, nullptr));
            proc(argument, record);
        },
        nullptr);
    EXPECT_EQ(nested, std::vector<int32_t>{kStopped});
    EXPECT_EQ(result, 2) << "the outer extraction goes on, its callback intact";
    EXPECT_EQ(log.Steps().back(), (std::pair<int32_t, int32_t>{-1005, -1005}));
}

TEST(UnzipComponent, AnArchiveWithoutEntriesReportsStartAndEnd) {
    ScratchFolder scratch;
    ZipBuilder().Preamble(std::string("PK\x03\x04", 4) + std::string(60, '\0')).WriteTo(scratch.Path("none.zip"));
    ReportLog log;
    EXPECT_EQ(ExtractArchive(scratch.Path("none.zip"), scratch.Path(), "*.*", log.Proc(), nullptr), 0);
    EXPECT_EQ(log.Steps(), (std::vector<std::pair<int32_t, int32_t>>{{-1004, -1004}, {-1005, -1005}}));
}

TEST(UnzipComponent, NamesThatLeaveTheTargetFolderFailWithMinus2) {
    for (std::string name : {"../evil.txt", "..\\evil.txt", "SUB/../../evil.txt", "/evil.txt", "\\evil.txt",
                             "C:evil.txt", "C:/evil.txt", ". ./evil.txt"}) {
        SCOPED_TRACE(name);
        ScratchFolder scratch;
        ZipBuilder builder;
        builder.Add(StoredMember("GOOD.TXT", "good")).Add(StoredMember(name, "evil"));
        builder.Add(StoredMember("AFTER.TXT", "after"));
        builder.WriteTo(scratch.Path("bad.zip"));
        std::filesystem::create_directories(scratch.Native() / "target");
        ReportLog log;
        EXPECT_EQ(ExtractArchive(scratch.Path("bad.zip"), scratch.Path("target"), "*.*", log.Proc(), nullptr), 1);
        EXPECT_TRUE(platform::FileExists(scratch.Path("target\\GOOD.TXT")));
        EXPECT_FALSE(platform::FileExists(scratch.Path("target\\AFTER.TXT")));
        EXPECT_FALSE(platform::FileExists(scratch.Path("evil.txt")));
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::temp_directory_path() / "evil.txt"));
        const auto steps = log.Steps();
        std::vector<std::pair<int32_t, int32_t>> tail(steps.end() - 2, steps.end());
        EXPECT_EQ(tail, (std::vector<std::pair<int32_t, int32_t>>{{-1003, -2}, {-1005, -1005}}));
    }
}

TEST(UnzipComponent, ThePatternChoosesMembersAndTotals) {
    ScratchFolder scratch;
    ZipBuilder builder;
    builder.Add(StoredMember("DATA/CLIENTI.DBF", "12345")).Add(StoredMember("PROGRAM.EXE", "123"));
    builder.Add(StoredMember("data/facturi.dbf", "1234567"));
    builder.WriteTo(scratch.Path("kit.zip"));
    ReportLog log;
    EXPECT_EQ(ExtractArchive(scratch.Path("kit.zip"), scratch.Path(), "*.DBF", log.Proc(), nullptr), 2);
    EXPECT_FALSE(platform::FileExists(scratch.Path("PROGRAM.EXE")));
    EXPECT_EQ(log.reports.back().uncompressedSize, 12);
    EXPECT_EQ(log.reports.front().uncompressedSize, 15) << "the start report counts every member";
}

TEST(UnzipComponent, ListingReportsStoredNamesAndTheCount) {
    ScratchFolder scratch;
    ZipBuilder builder;
    builder.Add(StoredMember("DIR/A.TXT", "aa")).Add(DeflatedMember("B.TXT", std::string(100, 'b')));
    builder.WriteTo(scratch.Path("kit.zip"));
    ReportLog log;
    TQuillUnzip unzip;
    unzip.SetFileName(scratch.Path("kit.zip"));
    unzip.SetReportProc(log.Proc());
    ASSERT_EQ(unzip.ListContents(), 2);
    ASSERT_EQ(log.reports.size(), 3u);
    EXPECT_EQ(log.reports[0].name, "DIR\\A.TXT");
    EXPECT_EQ(log.reports[0].status, 0);
    EXPECT_EQ(log.reports[0].argument, 0);
    EXPECT_EQ(log.reports[1].method, 8);
    EXPECT_EQ(log.reports[2].status, -1005);
    EXPECT_EQ(log.reports[2].argument, 2);
    EXPECT_EQ(log.reports[2].uncompressedSize, 102);
    EXPECT_FALSE(platform::FileExists(scratch.Path("B.TXT")));
}

TEST(UnzipComponent, ContentSizeSumsEveryMemberOrCountsTheFile) {
    ScratchFolder scratch;
    ZipBuilder()
        .Add(StoredMember("A", "12345"))
        .Add(DeflatedMember("B", std::string(1000, 'b')))
        .WriteTo(scratch.Path("kit.zip"));
    WriteWholeFile(scratch.Path("plain.txt"), std::string(321, 'p'));
    TQuillUnzip unzip;
    unzip.SetFileName(scratch.Path("kit.zip"));
    unzip.SetFileSpecs("A");
    EXPECT_EQ(unzip.ContentSize(), 1005) << "whatever the pattern";
    EXPECT_EQ(unzip.CompressedTotal(), 5 + static_cast<int32_t>(DeflateFixed(std::string(1000, 'b')).size()));
    int32_t compressed = -1;
    EXPECT_EQ(ArchiveContentSize(scratch.Path("plain.txt"), compressed), 321);
    EXPECT_EQ(compressed, 321);
    EXPECT_EQ(ArchiveContentSize(scratch.Path("missing.zip"), compressed), 0);
    EXPECT_EQ(compressed, 0);
}

TEST(FileSpecs, PatternsMatchAsTheInstallerUsesThem) {
    EXPECT_TRUE(MatchesFileSpec("", "ANY\\NAME.TXT"));
    EXPECT_TRUE(MatchesFileSpec("*.*", "NAME"));
    EXPECT_TRUE(MatchesFileSpec("*.DBF", "DATA\\CLIENTI.DBF"));
    EXPECT_TRUE(MatchesFileSpec("*.dbf", "data\\clienti.dbf"));
    EXPECT_FALSE(MatchesFileSpec("*.DBF", "A.B.DBF")) << "the text after the first dot is B.DBF";
    EXPECT_FALSE(MatchesFileSpec("*.DBF", "NEW.DIR\\X.DBF"));
    EXPECT_FALSE(MatchesFileSpec("*.DBF", "NODOT"));
    EXPECT_TRUE(MatchesFileSpec("PROG*", "PROGRAM.EXE"));
    EXPECT_TRUE(MatchesFileSpec("ABC.*", "ABCD.TXT"));
    EXPECT_TRUE(MatchesFileSpec("*", "X.Y"));
    EXPECT_FALSE(MatchesFileSpec("PROG*", "PRO.EXE"));
    EXPECT_FALSE(MatchesFileSpec("PROG*", "XPROGRAM"));
    EXPECT_TRUE(MatchesFileSpec("korven.exe", "KORVEN.EXE"));
    EXPECT_FALSE(MatchesFileSpec("KORVEN.EXE", "BIN\\KORVEN.EXE"));
    EXPECT_FALSE(MatchesFileSpec("K?RVEN.EXE", "KORVEN.EXE")) << "? has no meaning inside a pattern";
}

}  // namespace
}  // namespace korven::unzip::test
