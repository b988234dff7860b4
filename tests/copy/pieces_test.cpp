// Which files of a disk are joined into which archive, in which order, and
// what the joining leaves in the program folder.
#include "copy/archive_pieces.h"
#include "copy/kit_assembly.h"
#include "copy/piece_assembly.h"
#include "copy_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> FilesOf(const std::vector<PieceName>& pieces) {
    std::vector<std::string> files;
    for (const PieceName& piece : pieces) files.push_back(piece.file);
    return files;
}

using Files = std::vector<std::string>;

TEST(ArchivePieces, AreTheNumberedFilesOfSelectedComponentsOnly) {
    const TCompSet local = InstallSets[itLocal];
    EXPECT_TRUE(IsArchivePiece("EXE.1", local));
    EXPECT_TRUE(IsArchivePiece("exe.1", local)) << "names compare upper-cased";
    EXPECT_TRUE(IsArchivePiece("HELP.12", local));
    EXPECT_TRUE(IsArchivePiece("EXE.01", local)) << "a piece, though it begins nothing";
    EXPECT_FALSE(IsArchivePiece("EXE.ZIP", local)) << "the extension does not end in a digit";
    EXPECT_FALSE(IsArchivePiece("EXE", local));
    EXPECT_FALSE(IsArchivePiece("EXE.", local));
    EXPECT_FALSE(IsArchivePiece("DISK1", local));
    EXPECT_FALSE(IsArchivePiece("EXEC.1", local));
    EXPECT_FALSE(IsArchivePiece("INSTALL.CFG", local));
    EXPECT_FALSE(IsArchivePiece("UPGRADE.1", local)) << "not a component";

    const TCompSet client = InstallSets[itClient];
    EXPECT_FALSE(IsArchivePiece("DBDAT.1", client)) << "a client receives no database";
    EXPECT_FALSE(IsArchivePiece("DBNEW.1", client));
    EXPECT_TRUE(IsArchivePiece("BDE32.1", client));
}

TEST(ArchivePieces, AreJoinedInTheNumericOrderOfTheirExtension) {
    const TCompSet local = InstallSets[itLocal];
    EXPECT_EQ(FilesOf(OrderPieces({"EXE.2", "EXE.1"}, local)), (Files{"EXE.1", "EXE.2"}));
    EXPECT_EQ(FilesOf(OrderPieces({"EXE.10", "EXE.9", "EXE.1", "EXE.11", "EXE.2"}, local)),
              (Files{"EXE.1", "EXE.2", "EXE.9", "EXE.10", "EXE.11"}));
    EXPECT_EQ(FilesOf(OrderPieces({"exe.2", "EXE.1"}, local)), (Files{"EXE.1", "exe.2"}));
    // A number longer than any integer still orders by its value.
    EXPECT_EQ(FilesOf(OrderPieces({"EXE.123456789012345678901", "EXE.99999999999999999999"}, local)),
              (Files{"EXE.99999999999999999999", "EXE.123456789012345678901"}));
}

TEST(ArchivePieces, OfOneDiskLeaveOutTheRestOfTheDisk) {
    const Files disk{"DISK1", "INSTALL.EXE", "EXE.ZIP", "HELP.1", "DBDAT.1", "EXE.1", "README.TXT", "EXE.2"};
    EXPECT_EQ(FilesOf(OrderPieces(disk, InstallSets[itClient])), (Files{"EXE.1", "EXE.2", "HELP.1"}));
    EXPECT_EQ(FilesOf(OrderPieces(disk, InstallSets[itServer])), (Files{"DBDAT.1", "EXE.1", "EXE.2", "HELP.1"}));
}

class PieceAssemblyTest : public ::testing::Test {
protected:
    ScratchFolder temp{"korven_pieces"};
    std::string kit = temp.Make("kit");
    std::string program = temp.Make("program");
};

TEST_F(PieceAssemblyTest, TheFirstPieceBeginsTheArchiveAndTheOthersFollowIt) {
    WriteBytes(kit + "\\EXE.1", "first-");
    WriteBytes(kit + "\\EXE.2", "second-");
    WriteBytes(kit + "\\exe.3", std::string(60000, 'x'));  // more than one block
    WriteBytes(program + "\\EXE.ZIP", "an archive of an earlier run, longer than the new one will be");
    PieceAssembly assembly(program);
    for (const char* file : {"EXE.1", "EXE.2", "exe.3"}) {
        ASSERT_EQ(assembly.Add(kit + "\\" + file, SplitPieceName(file)), PieceAssembly::Result::kAdded) << file;
    }
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "first-second-" + std::string(60000, 'x'));
    EXPECT_EQ(assembly.Archives(), Files{program + "\\EXE.ZIP"});
}

TEST_F(PieceAssemblyTest, ALaterPieceWithoutItsFirstBeginsNothing) {
    WriteBytes(kit + "\\EXE.01", "zero-one");
    WriteBytes(kit + "\\EXE.2", "two");
    WriteBytes(program + "\\EXE.ZIP", "kept by the user");
    PieceAssembly assembly(program + "\\");
    EXPECT_EQ(assembly.Add(kit + "\\EXE.01", SplitPieceName("EXE.01")), PieceAssembly::Result::kNotBegun);
    EXPECT_EQ(assembly.Add(kit + "\\EXE.2", SplitPieceName("EXE.2")), PieceAssembly::Result::kNotBegun);
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "kept by the user") << "an archive not begun here is not touched";
    EXPECT_TRUE(assembly.Archives().empty());
}

TEST_F(PieceAssemblyTest, APieceThatCannotBeReadOrWrittenIsTold) {
    PieceAssembly assembly(program);
    EXPECT_EQ(assembly.Add(kit + "\\EXE.1", SplitPieceName("EXE.1")), PieceAssembly::Result::kCannotRead);
    WriteBytes(kit + "\\EXE.1", "piece");
    PieceAssembly nowhere(temp.Path() + "\\missing");
    EXPECT_EQ(nowhere.Add(kit + "\\EXE.1", SplitPieceName("EXE.1")), PieceAssembly::Result::kCannotWrite);
}

TEST_F(PieceAssemblyTest, RemovesOnlyTheArchivesItBegan) {
    WriteBytes(kit + "\\EXE.1", "exe");
    WriteBytes(kit + "\\HELP.1", "help");
    WriteBytes(program + "\\KEEP.ZIP", "the user's");
    PieceAssembly assembly(program);
    ASSERT_EQ(assembly.Add(kit + "\\EXE.1", SplitPieceName("EXE.1")), PieceAssembly::Result::kAdded);
    ASSERT_EQ(assembly.Add(kit + "\\HELP.1", SplitPieceName("HELP.1")), PieceAssembly::Result::kAdded);
    EXPECT_TRUE(assembly.RemoveArchives().empty());
    EXPECT_FALSE(FileExists(program + "\\EXE.ZIP"));
    EXPECT_FALSE(FileExists(program + "\\HELP.ZIP"));
    EXPECT_TRUE(FileExists(program + "\\KEEP.ZIP"));
}

// Floppies: each disk in turn in the same drive, its pieces only there.
TEST_F(PieceAssemblyTest, PiecesOnSeveralDisksAreJoinedDiskAfterDisk) {
    const std::vector<std::vector<std::pair<std::string, std::string>>> disks{
        {{"EXE.1", "one-"}, {"HELP.1", "help"}},
        {{"EXE.2", "two-"}},
        {{"EXE.3", "three"}, {"DBDAT.1", "not for a client"}},
    };
    std::vector<std::string> shown;
    std::vector<std::uint32_t> copiedAfterDisk;
    const KitAssemblyHooks hooks{
        [&](std::uint32_t disk) {
            for (const std::string& file : FilesIn(kit)) DeleteFileA((kit + "\\" + file).c_str());
            for (const auto& [name, content] : disks.at(disk - 1)) WriteBytes(kit + "\\" + name, content);
            return true;
        },
        [](std::uint32_t) {},
        [&](const std::string& piece) { shown.push_back(piece); },
        [&](std::uint32_t copied) { copiedAfterDisk.push_back(copied); },
        [](const DamagedPiece&) { return false; },
    };
    PieceAssembly assembly(program);
    ASSERT_TRUE(AssembleKit({kit, 3}, InstallSets[itClient], {}, assembly, hooks));
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "one-two-three");
    EXPECT_EQ(ReadBytes(program + "\\HELP.ZIP"), "help");
    EXPECT_FALSE(FileExists(program + "\\DBDAT.ZIP"));
    EXPECT_EQ(shown, (Files{"EXE.1", "HELP.1", "EXE.2", "EXE.3"}));
    EXPECT_EQ(copiedAfterDisk, (std::vector<std::uint32_t>{2, 3, 4}));
}

TEST_F(PieceAssemblyTest, ADeclinedDiskStopsTheAssembly) {
    int asked = 0;
    const KitAssemblyHooks hooks{
        [&](std::uint32_t disk) {
            ++asked;
            return disk < 2;
        },
        [](std::uint32_t) {},
        [](const std::string&) {},
        [](std::uint32_t) {},
        [](const DamagedPiece&) { return false; },
    };
    PieceAssembly assembly(program);
    EXPECT_FALSE(AssembleKit({kit, 6}, InstallSets[itLocal], {}, assembly, hooks));
    EXPECT_EQ(asked, 2);
}

// A three-disk kit whose list gives each piece's size and CRC-32 (computed
// outside, by zlib). Disk 2 comes first as `badDisk2`; every later request
// for it brings the good one.
class CheckedKitTest : public PieceAssemblyTest {
protected:
    using Disk = std::vector<std::pair<std::string, std::string>>;

    CheckedKitTest() {
        for (const char* line :
             {"EXE.1=4,5D1D1DF4,1", "EXE.2=4,331DBD1F,2", "EXE.3=5,46C5D8F5,3", "HELP.1=4,08875CAC,1"})
            listed.Add(line);
    }

    bool Assemble(const Disk& badDisk2) {
        const std::vector<Disk> good{
            {{"EXE.1", "one-"}, {"HELP.1", "help"}},
            {{"EXE.2", "two-"}},
            {{"EXE.3", "three"}},
        };
        const auto insert = [&](std::uint32_t disk) {
            for (const std::string& file : FilesIn(kit)) DeleteFileA((kit + "\\" + file).c_str());
            const Disk& content = disk == 2 && !disk2Seen ? badDisk2 : good.at(disk - 1);
            disk2Seen = disk2Seen || disk == 2;
            for (const auto& [name, bytes] : content) WriteBytes(kit + "\\" + name, bytes);
        };
        const KitAssemblyHooks hooks{
            [&](std::uint32_t disk) {
                insert(disk);
                return true;
            },
            [](std::uint32_t) {},
            [](const std::string&) {},
            [](std::uint32_t) {},
            [&](const DamagedPiece& damage) {
                damaged.push_back(damage);
                if (!retry) return false;
                insert(damage.disk);
                return true;
            },
        };
        return AssembleKit({kit, 3}, InstallSets[itClient], listed, assembly, hooks);
    }

    PieceManifest listed;
    PieceAssembly assembly{program};
    bool retry = true;
    bool disk2Seen = false;
    std::vector<DamagedPiece> damaged;
};

TEST_F(CheckedKitTest, AWholeKitIsJoinedWithoutAQuestion) {
    ASSERT_TRUE(Assemble({{"EXE.2", "two-"}}));
    EXPECT_TRUE(damaged.empty());
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "one-two-three");
}

TEST_F(CheckedKitTest, AChangedByteIsFoundAtItsDiskAndThePieceIsCopiedAgain) {
    ASSERT_TRUE(Assemble({{"EXE.2", "tw0-"}}));
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged[0].file, "EXE.2");
    EXPECT_EQ(damaged[0].disk, 2u);
    EXPECT_EQ(damaged[0].result, PieceAssembly::Result::kWrongCrc);
    EXPECT_EQ(damaged[0].read.crc, 0x0E3EFC84u);
    EXPECT_EQ(damaged[0].expected.crc, 0x331DBD1Fu);
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "one-two-three") << "the damaged bytes are gone";
}

TEST_F(CheckedKitTest, APieceTooShortOrTooLongIsFoundAndTakenOutAgain) {
    ASSERT_TRUE(Assemble({{"EXE.2", "two"}}));
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged[0].result, PieceAssembly::Result::kWrongSize);
    EXPECT_EQ(damaged[0].read.size, 3u);
    EXPECT_EQ(damaged[0].expected.size, 4u);
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "one-two-three");

    damaged.clear();
    disk2Seen = false;
    ASSERT_TRUE(Assemble({{"EXE.2", "two--"}}));
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged[0].read.size, 5u);
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "one-two-three") << "the longer piece's bytes are all gone";
}

TEST_F(CheckedKitTest, AbandonStopsWithTheArchiveAsItWasBeforeTheDamagedPiece) {
    retry = false;
    EXPECT_FALSE(Assemble({{"EXE.2", "tw0-"}}));
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "one-");
}

TEST_F(CheckedKitTest, AKitThatListsNoPiecesIsJoinedAsItComes) {
    listed = PieceManifest{};
    ASSERT_TRUE(Assemble({{"EXE.2", "tw0-"}}));
    EXPECT_TRUE(damaged.empty());
    EXPECT_EQ(ReadBytes(program + "\\EXE.ZIP"), "one-tw0-three");
}

}  // namespace
