// The engine's version text, the extraction gauge and the words for an
// archive that did not come out whole.
#include "copy/engine_version.h"
#include "copy/extraction_check.h"
#include "copy/extraction_gauge.h"

#include <gtest/gtest.h>

namespace {

using korven::unzip::DirectoryState;

TEST(ParseEngineVersion, TakesTheWholeNumberBeforeTheSeparator) {
    EXPECT_EQ(ParseEngineVersion("4.0"), 4u);
    EXPECT_EQ(ParseEngineVersion("4.51"), 4u);
    EXPECT_EQ(ParseEngineVersion("4.9"), 4u);
    EXPECT_EQ(ParseEngineVersion("3.99"), 3u);
    EXPECT_EQ(ParseEngineVersion("5.01"), 5u);
    EXPECT_EQ(ParseEngineVersion("3,5"), 3u);
    EXPECT_EQ(ParseEngineVersion("12"), 12u);
    EXPECT_EQ(ParseEngineVersion(""), 0u);
}

TEST(ParseEngineVersion, SkipsBlanksAndCountsOnlyLeadingDigits) {
    EXPECT_EQ(ParseEngineVersion(" 4.0"), 4u);
    EXPECT_EQ(ParseEngineVersion("   "), 0u);
    EXPECT_EQ(ParseEngineVersion("v5"), 0u);
    EXPECT_EQ(ParseEngineVersion("4a.0"), 4u);
    EXPECT_EQ(ParseEngineVersion("4294967295"), 4294967295u);
    EXPECT_EQ(ParseEngineVersion("4294967296"), 4294967295u) << "stays at the largest";
    EXPECT_EQ(ParseEngineVersion(std::string(300, '9') + ".0"), 4294967295u);
}

TEST(ExtractionPercent, RoundsHalfToEvenWithinZeroAndHundred) {
    EXPECT_EQ(ExtractionPercent(0, 0), 0) << "nothing expected";
    EXPECT_EQ(ExtractionPercent(500, 0), 0) << "nothing expected";
    EXPECT_EQ(ExtractionPercent(1, 8), 12);  // 12.5
    EXPECT_EQ(ExtractionPercent(3, 8), 38);  // 37.5
    EXPECT_EQ(ExtractionPercent(1, 3), 33);
    EXPECT_EQ(ExtractionPercent(2, 3), 67);
    EXPECT_EQ(ExtractionPercent(1000, 1000), 100);
    EXPECT_EQ(ExtractionPercent(3000, 1000), 100) << "more written than expected";
    EXPECT_EQ(ExtractionPercent(-10, 1000), 0);
}

TEST(ExtractionProgress, CountsOnlyTheWrittenBlocks) {
    korven::unzip::ReportRecord record{};
    ExtractionProgress progress;
    progress.Start(0);
    record.status = korven::unzip::kReportBlockWritten;
    progress.Report(4096, record);
    EXPECT_EQ(progress.Percent(), 0) << "zero expected bytes";

    progress.Start(8000);
    progress.Report(1000, record);
    record.status = korven::unzip::kReportMemberDone;
    progress.Report(korven::unzip::kReportMemberDone, record);
    record.status = korven::unzip::kReportArchiveEnd;
    progress.Report(korven::unzip::kReportArchiveEnd, record);
    EXPECT_EQ(progress.Percent(), 12);
}

TEST(ExtractionShortfall, TellsEveryWayAnArchiveFallsShort) {
    EXPECT_FALSE(ExtractionShortfall(5, DirectoryState::kWhole, 5));
    EXPECT_FALSE(ExtractionShortfall(0, DirectoryState::kWhole, 0)) << "an archive without members is whole";
    EXPECT_EQ(*ExtractionShortfall(korven::unzip::kNotZipArchive, DirectoryState::kUnreadable, 0),
              "arhiva lipseste sau nu este o arhiva ZIP");
    EXPECT_EQ(*ExtractionShortfall(0, DirectoryState::kUnreadable, 0), "directorul arhivei nu poate fi citit");
    EXPECT_EQ(*ExtractionShortfall(2, DirectoryState::kCutShort, 2),
              "directorul arhivei este deteriorat; au fost decompresate 2 din 2 fisiere");
    EXPECT_EQ(*ExtractionShortfall(2, DirectoryState::kWhole, 3),
              "unele fisiere sunt deteriorate; au fost decompresate 2 din 3 fisiere");
    EXPECT_EQ(*ExtractionShortfall(korven::unzip::kStopped, DirectoryState::kWhole, 3),
              "decompresia s-a oprit inainte de sfarsitul arhivei");
}

}  // namespace
