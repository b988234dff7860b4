// kunzip, run as a separate program the way support staff and the benchmark
// run it: its lines, its last line and its exit status.
#include <algorithm>
#include <cstdlib>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "hostile_archives.h"
#include "test_support.h"
#include "zip_builder.h"

namespace korven::unzip::test {
namespace {

// kunzip sits beside the test program.
std::string KunzipPath() {
    char self[4096] = {};
#ifdef _WIN32
    ::GetModuleFileNameA(nullptr, self, sizeof self - 1);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + "KUNZIP.EXE";
#else
    ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, length > 0 ? static_cast<size_t>(length) : 0);
    return path.substr(0, path.find_last_of('/') + 1) + "kunzip";
#endif
}

struct Outcome {
    int exitStatus;
    std::vector<std::string> lines;
};

Outcome RunKunzip(const ScratchFolder& scratch, const std::string& arguments) {
    const std::string output = scratch.Path("kunzip.out");
    std::string command = "\"" + KunzipPath() + "\" " + arguments + " > \"" + output + "\" 2>&1";
#ifdef _WIN32
    int status = std::system(("\"" + command + "\"").c_str());
#else
    int raw = std::system(command.c_str());
    int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    Outcome outcome{status, {}};
    std::istringstream lines(ReadWholeFile(output));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        outcome.lines.push_back(line);
    }
    return outcome;
}

std::string Arg(const std::string& path) { return "\"" + path + "\""; }

TEST(Kunzip, ListsMembersTotalsAndTheResult) {
    ScratchFolder scratch;
    BuiltMember member = DeflatedMember("DIR/A.TXT", std::string(100, 'a'));
    ZipBuilder().Add(member).Add(StoredMember("B.DBF", "bbb")).WriteTo(scratch.Path("kit.zip"));
    Outcome all = RunKunzip(scratch, "list " + Arg(scratch.Path("kit.zip")));
    EXPECT_EQ(all.exitStatus, 0);
    ASSERT_EQ(all.lines.size(), 4u);
    std::ostringstream first;
    first << " 8 0000 " << std::string(10 - std::to_string(member.data.size()).size(), ' ') << member.data.size()
          << "        100 5a8c6000 " << std::hex << member.crc32 << " DIR\\A.TXT";
    EXPECT_EQ(all.lines[0], first.str());
    EXPECT_EQ(all.lines[2].rfind("total: 2 members", 0), 0u) << all.lines[2];
    EXPECT_EQ(all.lines[3], "result: 2");

    Outcome some = RunKunzip(scratch, "list " + Arg(scratch.Path("kit.zip")) + " *.DBF");
    ASSERT_EQ(some.lines.size(), 3u);
    EXPECT_EQ(some.lines.back(), "result: 1");
}

TEST(Kunzip, ExtractsAndPrintsOneLinePerReport) {
    ScratchFolder scratch;
    ZipBuilder().Add(StoredMember("ONE.TXT", "one")).WriteTo(scratch.Path("kit.zip"));
    Outcome outcome = RunKunzip(scratch, "extract " + Arg(scratch.Path("kit.zip")) + " " + Arg(scratch.Path("out")));
    EXPECT_EQ(outcome.exitStatus, 0);
    const std::string target = scratch.Path("out") + "\\ONE.TXT";
    EXPECT_EQ(outcome.lines, (std::vector<std::string>{
                                 "-1004 -1004 " + scratch.Path("kit.zip"), "-1000 -1000 " + target, "-1001 3 " + target,
                                 "-1002 -1002 " + target, "-1005 -1005 " + scratch.Path("kit.zip"), "result: 1"}));
    EXPECT_EQ(ReadWholeFile(target), "one");
}

TEST(Kunzip, AFailedMemberOrResultExitsWith1) {
    ScratchFolder scratch;
    BuiltMember bad = StoredMember("BAD.TXT", "bad");
    bad.crc32 ^= 1;
    ZipBuilder().Add(bad).WriteTo(scratch.Path("bad.zip"));
    Outcome failed = RunKunzip(scratch, "extract " + Arg(scratch.Path("bad.zip")) + " " + Arg(scratch.Path("out")));
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_EQ(failed.lines.back(), "result: 0");
    WriteWholeFile(scratch.Path("text.zip"), "not an archive");
    Outcome notZip = RunKunzip(scratch, "list " + Arg(scratch.Path("text.zip")));
    EXPECT_EQ(notZip.exitStatus, 1);
    EXPECT_EQ(notZip.lines.back(), "result: -12");
}

bool HasLine(const Outcome& outcome, const std::string& line) {
    return std::find(outcome.lines.begin(), outcome.lines.end(), line) != outcome.lines.end();
}

TEST(Kunzip, AnUnreadableOrDamagedDirectoryIsToldAndExitsWith1) {
    ScratchFolder scratch;
    for (const char* command : {"list ", "extract "}) {
        SCOPED_TRACE(command);
        const std::string out = std::string(command) == "list " ? "" : " " + Arg(scratch.Path("out"));
        Outcome truncated = RunKunzip(scratch, command + Arg(HostilePath("truncated_by_1.zip")) + out);
        EXPECT_EQ(truncated.exitStatus, 1);
        EXPECT_TRUE(HasLine(truncated, "eroare: directorul arhivei nu poate fi gasit sau citit"));
        EXPECT_EQ(truncated.lines.back(), "result: 0");
        Outcome cut = RunKunzip(scratch, command + Arg(HostilePath("cut_directory.zip")) + out);
        EXPECT_EQ(cut.exitStatus, 1);
        EXPECT_TRUE(HasLine(cut, "eroare: directorul arhivei este deteriorat; intrarile de dupa deteriorare lipsesc"));
        EXPECT_EQ(cut.lines.back(), "result: 1");
    }
}

TEST(Kunzip, AMemberLeftWithoutAReportIsNamedAndCounted) {
    ScratchFolder scratch;
    Outcome outcome = RunKunzip(
        scratch, "extract " + Arg(HostilePath("deflate_too_many_codes.zip")) + " " + Arg(scratch.Path("out")));
    EXPECT_EQ(outcome.exitStatus, 1);
    const std::string bad = scratch.Path("out") + "\\BAD.DAT";
    EXPECT_TRUE(HasLine(outcome, "eroare: " + bad + ": date deteriorate; extragerea s-a oprit aici"));
    EXPECT_TRUE(HasLine(outcome, "eroare: 2 din 3 membri nu au fost extrasi"));
    EXPECT_EQ(outcome.lines.back(), "result: 1");
}

TEST(Kunzip, AUsageErrorExitsWith2) {
    ScratchFolder scratch;
    EXPECT_EQ(RunKunzip(scratch, "").exitStatus, 2);
    EXPECT_EQ(RunKunzip(scratch, "unpack a.zip").exitStatus, 2);
    Outcome missing = RunKunzip(scratch, "extract a.zip");
    EXPECT_EQ(missing.exitStatus, 2);
    ASSERT_FALSE(missing.lines.empty());
    EXPECT_EQ(missing.lines.front(), "Utilizare:");
}

}  // namespace
}  // namespace korven::unzip::test
