// KITMAKE.EXE on Windows: the same builder with Windows paths.
#include <gtest/gtest.h>

#include <string>

#include "core/components.h"
#include "kit_test_support.h"

namespace korven::kit::test {
namespace {

TEST(KitmakeWindows, BuildsAndVerifiesADiskKit) {
    ScratchFolder scratch;
    WriteWholeFile(scratch / "INSTALL.EXE", IncompressibleBytes(3000, 1));
    WriteWholeFile(scratch / "upgrade/UPGRADE.DLL", IncompressibleBytes(500, 2));
    WriteWholeFile(scratch / "exe/KORVEN.EXE", IncompressibleBytes(40000, 3));
    WriteWholeFile(scratch / "db/NEW/DATA/CLIENTI.DB", "Client;Adresa\r\n");
    WriteWholeFile(scratch / "kit.txt",
                   "install INSTALL.EXE\r\nupgrade upgrade\r\ncomponent EXE exe\r\n"
                   "component DBNEW db\r\n");
    std::string kitmake = Quoted(fs::path(KITMAKE_PATH));
    CommandResult build = RunCommand(kitmake + " build " + Quoted(scratch / "kit.txt") + " " + Quoted(scratch / "kit") +
                                     " --disks --disk-size 20000");
    ASSERT_EQ(build.status, 0) << build.output;
    EXPECT_TRUE(fs::exists(scratch / "kit/DISK3/EXE.3")) << build.output;
    std::string settings = ReadWholeFile(scratch / "kit/DISK1/INSTALL.CFG");
    EXPECT_EQ(settings.rfind("[General]\r\nNrDiscuri=3\r\n\r\n[Piese]\r\nEXE.1=", 0), 0u) << settings;
    EXPECT_NE(settings.find("\r\nEXE.2=" + std::to_string(fs::file_size(scratch / "kit/DISK2/EXE.2")) + ","),
              std::string::npos)
        << settings;

    CommandResult verify = RunCommand(kitmake + " verify " + Quoted(scratch / "kit"));
    EXPECT_EQ(verify.status, 0) << verify.output;
    std::string piece = ReadWholeFile(scratch / "kit/DISK2/EXE.2");
    piece[piece.size() / 3] ^= 0x10;
    WriteWholeFile(scratch / "kit/DISK2/EXE.2", piece);
    CommandResult changed = RunCommand(kitmake + " verify " + Quoted(scratch / "kit"));
    EXPECT_EQ(changed.status, 1);
    EXPECT_NE(changed.output.find("discul 2: piesa EXE.2 este deteriorata"), std::string::npos) << changed.output;
    fs::remove(scratch / "kit/DISK2/EXE.2");
    CommandResult broken = RunCommand(kitmake + " verify " + Quoted(scratch / "kit"));
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.output.find("EXE.2"), std::string::npos) << broken.output;
}

}  // namespace
}  // namespace korven::kit::test
