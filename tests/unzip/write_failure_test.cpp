// A write that fails part-way through a member, made real by the process's
// file size limit (the system then writes up to the limit and refuses the
// rest, as a full disk does): the member fails with -2 after the reports of
// the blocks that reached the file, its file is deleted, and the members
// before it stay. The expected reports follow from the limit and the
// decoders' 32768-byte blocks alone, whatever the engine buffers. Host only:
// the limit is a POSIX one.
#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "test_support.h"
#include "unzip/quill_unzip.h"
#include "zip_builder.h"

namespace korven::unzip::test {
namespace {

// Files of this process cannot grow past `bytes` while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);  // a refused write fails instead of ending the process
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    sighandler_t previousHandler_;
};

using Step = std::pair<int32_t, int32_t>;  // status, first argument

// Extracts the archive under the limit; every report as a step.
std::vector<Step> ExtractLimited(const ScratchFolder& scratch, rlim_t limit, int32_t& result) {
    std::vector<Step> steps;
    FileSizeLimit limited(limit);
    result = ExtractArchive(
        scratch.Path("kit.zip"), scratch.Path("out"), "*.*",
        [&steps](int32_t argument, const ReportRecord& record) { steps.emplace_back(record.status, argument); },
        nullptr);
    return steps;
}

// The steps of one member from its start report to its end.
std::vector<Step> MemberSteps(const std::vector<Step>& steps, size_t memberIndex) {
    size_t seen = 0;
    std::vector<Step> member;
    for (const Step& step : steps) {
        if (step.first == kReportMemberStart) ++seen;
        if (seen == memberIndex + 1 && step.first != kReportArchiveEnd) member.push_back(step);
    }
    return member;
}

std::vector<Step> BlocksThenFailure(int fullBlocks) {
    std::vector<Step> expected{{kReportMemberStart, kReportMemberStart}};
    for (int i = 0; i < fullBlocks; ++i) expected.emplace_back(kReportBlockWritten, 32768);
    expected.emplace_back(kReportMemberFailed, kCannotWrite);
    return expected;
}

TEST(WriteFailure, PartWayThroughALargeMemberFailsThatMember) {
    ScratchFolder scratch;
    const std::string big = PseudoRandomBytes(600000, 61);
    ZipBuilder builder;
    builder.Add(StoredMember("FIRST.TXT", "first")).Add(StoredMember("BIG.DAT", big));
    builder.Add(DeflatedMember("LAST.TXT", "last"));
    builder.WriteTo(scratch.Path("kit.zip"));

    int32_t result = 0;
    // 400000 bytes hold 12 whole blocks of 32768; the 13th is cut.
    const std::vector<Step> steps = ExtractLimited(scratch, 400000, result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ReadWholeFile(scratch.Path("out\\FIRST.TXT")), "first");
    EXPECT_EQ(MemberSteps(steps, 1), BlocksThenFailure(12));
    EXPECT_FALSE(platform::FileExists(scratch.Path("out\\BIG.DAT"))) << "the failed member's file is deleted";
    EXPECT_FALSE(platform::FileExists(scratch.Path("out\\LAST.TXT")));
    EXPECT_EQ(steps.back(), (Step{kReportArchiveEnd, kReportArchiveEnd}));
}

TEST(WriteFailure, AtTheMembersLastWriteBeforeItsCloseFailsThatMember) {
    // Both members are smaller than the output buffer: their bytes reach the
    // system only when the member ends.
    for (bool deflated : {false, true}) {
        SCOPED_TRACE(deflated);
        ScratchFolder scratch;
        const std::string content = PseudoRandomBytes(100000, 62);  // 3 * 32768 + 1696
        ZipBuilder builder;
        builder.Add(StoredMember("SMALL.TXT", "small"));
        builder.Add(deflated ? DeflatedMember("MID.DAT", content) : StoredMember("MID.DAT", content));
        builder.WriteTo(scratch.Path("kit.zip"));

        int32_t result = 0;
        const std::vector<Step> steps = ExtractLimited(scratch, 50000, result);  // one whole block
        EXPECT_EQ(result, 1);
        EXPECT_EQ(MemberSteps(steps, 1), BlocksThenFailure(1));
        EXPECT_EQ(ReadWholeFile(scratch.Path("out\\SMALL.TXT")), "small");
        EXPECT_FALSE(platform::FileExists(scratch.Path("out\\MID.DAT")));
    }
}

TEST(WriteFailure, ALimitAtTheMembersSizeLetsItThroughWhole) {
    ScratchFolder scratch;
    const std::string content = PseudoRandomBytes(3 * 32768, 63);
    ZipBuilder().Add(StoredMember("EXACT.DAT", content)).WriteTo(scratch.Path("kit.zip"));
    int32_t result = 0;
    const std::vector<Step> steps = ExtractLimited(scratch, content.size(), result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(MemberSteps(steps, 0), (std::vector<Step>{{kReportMemberStart, kReportMemberStart},
                                                        {kReportBlockWritten, 32768},
                                                        {kReportBlockWritten, 32768},
                                                        {kReportBlockWritten, 32768},
                                                        {kReportMemberDone, kReportMemberDone}}));
    EXPECT_TRUE(ReadWholeFile(scratch.Path("out\\EXACT.DAT")) == content);
}

}  // namespace
}  // namespace korven::unzip::test
