// kitmake from the outside: kits built from a description, joined back the
// plain way (pieces concatenated disk by disk, number by number) and read by
// Info-ZIP, and kitmake verify on whole and damaged kits.
#include <gtest/gtest.h>

#include <zlib.h>

#include <map>
#include <regex>

#include "kit_test_support.h"

namespace korven::kit::test {
namespace {

const fs::path kKitmake = KITMAKE_PATH;

class KitmakeTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The installer only needs to be carried whole; its bytes are not read.
        AddSource("INSTALL.EXE", IncompressibleBytes(5000, 1));
        AddSource("upgrade/UPGRADE.DLL", IncompressibleBytes(700, 2));
        AddSource("upgrade/CITESTE.TXT", "Biblioteca de actualizare a bazei de date.\r\n");
        // Incompressible, so the EXE archive really spans disks.
        AddSource("exe/KORVEN.EXE", IncompressibleBytes(300000, 3));
        AddSource("exe/CITESTE.TXT", Repeated("KORVEN - contabilitate. Program demonstrativ.\r\n", 200));
        AddSource("tools/UTILITY.EXE", IncompressibleBytes(4000, 4));
        AddSource("dbnew/NEW/DATA/CLIENTI.DB", Repeated("Client;Adresa;Cod fiscal\r\n", 40));
        AddSource("dbnew/NEW/FIRMA/FIRMA.DB", IncompressibleBytes(1200, 5));
        AddSource("dbnew/NEW/LUNA/LUNA.DB", "");
        AddSource("help/KORVEN.HLP", "Ajutor pentru KORVEN (demonstrativ).\r\n");
        WriteDescription(
            "# trusa de proba\n"
            "install INSTALL.EXE\n"
            "upgrade upgrade\n"
            "component EXE exe\n"
            "component exe tools   # a doua parte a programelor\n"
            "component DBNEW dbnew\n"
            "component HELP help\n");
    }

    static std::string Repeated(const std::string& text, int times) {
        std::string all;
        for (int i = 0; i < times; ++i) all += text;
        return all;
    }

    void AddSource(const std::string& relative, const std::string& bytes) {
        fs::path file = sources_ / relative;
        WriteWholeFile(file, bytes);
        fs::last_write_time(file, LocalFileTime(2021, 3, 4, 10, 20, 30));
    }

    void WriteDescription(const std::string& text) { WriteWholeFile(sources_ / "kit.txt", text); }

    CommandResult Kitmake(const std::string& arguments) { return RunCommand(Quoted(kKitmake) + " " + arguments); }

    CommandResult Build(const fs::path& output, const std::string& options = "") {
        return Kitmake("build " + Quoted(sources_ / "kit.txt") + " " + Quoted(output) + " " + options);
    }

    // Every archive of a kit of DISKn folders, its pieces concatenated in
    // order of disk, then of number.
    std::map<std::string, fs::path> JoinArchives(const fs::path& kit) {
        std::map<std::string, std::map<std::pair<int, int>, fs::path>> pieces;
        for (int disk = 1; fs::is_directory(kit / ("DISK" + std::to_string(disk))); ++disk) {
            for (const auto& name : FileNames(kit / ("DISK" + std::to_string(disk)))) {
                std::smatch match;
                if (std::regex_match(name, match, std::regex("([A-Z0-9]+)\\.([0-9]+)")) && match[1] != "UPGRADE") {
                    pieces[match[1]][{disk, std::stoi(match[2])}] = kit / ("DISK" + std::to_string(disk)) / name;
                }
            }
        }
        std::map<std::string, fs::path> joined;
        for (const auto& [name, parts] : pieces) {
            std::string bytes;
            for (const auto& [order, file] : parts) bytes += ReadWholeFile(file);
            joined[name] = scratch_ / "joined" / (name + ".ZIP");
            WriteWholeFile(joined[name], bytes);
        }
        return joined;
    }

    // Extracts with Info-ZIP and compares every file with its source.
    void ExpectArchiveHolds(const fs::path& archive, const std::vector<std::string>& sourceFolders) {
        SCOPED_TRACE(archive.string());
        CommandResult test = RunCommand("unzip -t " + Quoted(archive));
        EXPECT_EQ(test.status, 0) << test.output;
        fs::path out = scratch_ / "out" / archive.filename();
        fs::create_directories(out);
        CommandResult extract = RunCommand("unzip -q " + Quoted(archive) + " -d " + Quoted(out));
        ASSERT_EQ(extract.status, 0) << extract.output;
        size_t sourceCount = 0;
        for (const std::string& folder : sourceFolders) {
            for (const auto& entry : fs::recursive_directory_iterator(sources_ / folder)) {
                if (!entry.is_regular_file()) continue;
                ++sourceCount;
                fs::path copy = out / entry.path().lexically_relative(sources_ / folder);
                EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(entry.path())) << copy;
            }
        }
        size_t extractedCount = 0;
        for (const auto& entry : fs::recursive_directory_iterator(out)) extractedCount += entry.is_regular_file();
        EXPECT_EQ(extractedCount, sourceCount);
    }

    struct ListedPiece {
        uint64_t size;
        std::string crc;
        int disk;
    };

    // The [Piese] lines of a kit's INSTALL.CFG, read by the format alone.
    static std::map<std::string, ListedPiece> ListedPieces(const std::string& settings) {
        std::map<std::string, ListedPiece> listed;
        size_t section = settings.find("\r\n[Piese]\r\n");
        if (section == std::string::npos) return listed;
        std::string lines = settings.substr(section + 11);
        std::regex line("([A-Z0-9]+\\.[0-9]+)=([0-9]+),([0-9A-F]{8}),([0-9]+)\r\n");
        for (std::sregex_iterator match(lines.begin(), lines.end(), line), end; match != end; ++match) {
            listed[(*match)[1]] = {std::stoull((*match)[2]), (*match)[3], std::stoi((*match)[4])};
        }
        return listed;
    }

    // zlib's CRC-32, an implementation apart from the kit builder's.
    static std::string PeerCrc(const std::string& bytes) {
        uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
        char text[9];
        std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(crc));
        return text;
    }

    // Every component piece of every disk folder (or of a one-folder kit, as
    // disk 1) is listed with its size, CRC and disk, and nothing else is.
    void ExpectPiecesListed(const fs::path& kit, const std::vector<fs::path>& disks) {
        std::string settings = ReadWholeFile(disks[0] / "INSTALL.CFG");
        std::map<std::string, ListedPiece> listed = ListedPieces(settings);
        size_t pieces = 0;
        for (size_t index = 0; index < disks.size(); ++index) {
            for (const std::string& name : FileNames(disks[index])) {
                if (!std::regex_match(name, std::regex("[A-Z0-9]+\\.[0-9]+")) || name == "UPGRADE.1") continue;
                ++pieces;
                SCOPED_TRACE(name);
                ASSERT_EQ(listed.count(name), 1u) << settings;
                std::string bytes = ReadWholeFile(disks[index] / name);
                EXPECT_EQ(listed[name].size, bytes.size());
                EXPECT_EQ(listed[name].crc, PeerCrc(bytes));
                EXPECT_EQ(listed[name].disk, int(index + 1));
            }
        }
        EXPECT_EQ(listed.size(), pieces) << settings;
        EXPECT_GT(pieces, 0u) << kit;
        // Every line of the file is one of the two sections' own.
        std::regex whole(
            "\\[General\\]\r\nNrDiscuri=[0-9]+\r\n\r\n\\[Piese\\]\r\n"
            "([A-Z0-9]+\\.[0-9]+=[0-9]+,[0-9A-F]{8},[0-9]+\r\n)*");
        EXPECT_TRUE(std::regex_match(settings, whole)) << settings;
    }

    static std::vector<fs::path> DiskFolders(const fs::path& kit) {
        std::vector<fs::path> disks;
        for (int disk = 1; fs::is_directory(kit / ("DISK" + std::to_string(disk))); ++disk) {
            disks.push_back(kit / ("DISK" + std::to_string(disk)));
        }
        return disks;
    }

    static uint64_t FolderBytes(const fs::path& folder) {
        uint64_t bytes = 0;
        for (const auto& entry : fs::directory_iterator(folder)) bytes += entry.file_size();
        return bytes;
    }

    ScratchFolder scratch_;
    fs::path sources_ = scratch_ / "src";
};

TEST_F(KitmakeTest, ThreeDiskKitJoinsBackByteForByte) {
    fs::path kit = scratch_ / "kit";
    CommandResult build = Build(kit, "--disks --disk-size 130000");
    ASSERT_EQ(build.status, 0) << build.output;

    std::vector<std::string> disks;
    for (const auto& entry : fs::directory_iterator(kit)) disks.push_back(entry.path().filename().string());
    std::sort(disks.begin(), disks.end());
    ASSERT_EQ(disks, (std::vector<std::string>{"DISK1", "DISK2", "DISK3"}));
    for (int disk = 1; disk <= 3; ++disk) {
        fs::path folder = kit / ("DISK" + std::to_string(disk));
        EXPECT_TRUE(fs::is_regular_file(folder / ("DISK" + std::to_string(disk))));
        EXPECT_LE(FolderBytes(folder), 130000u) << folder;
        // The program archive is big enough to reach every disk.
        EXPECT_TRUE(fs::exists(folder / ("EXE." + std::to_string(disk)))) << folder;
    }
    EXPECT_EQ(ReadWholeFile(kit / "DISK1/INSTALL.EXE"), ReadWholeFile(sources_ / "INSTALL.EXE"));
    EXPECT_EQ(ReadWholeFile(kit / "DISK1/INSTALL.CFG").rfind("[General]\r\nNrDiscuri=3\r\n", 0), 0u);
    ExpectPiecesListed(kit, DiskFolders(kit));

    auto joined = JoinArchives(kit);
    ASSERT_EQ(joined.size(), 3u);
    ExpectArchiveHolds(joined["EXE"], {"exe", "tools"});
    ExpectArchiveHolds(joined["DBNEW"], {"dbnew"});
    ExpectArchiveHolds(joined["HELP"], {"help"});
    ExpectArchiveHolds(kit / "DISK1/UPGRADE.1", {"upgrade"});

    CommandResult verify = Kitmake("verify " + Quoted(kit));
    EXPECT_EQ(verify.status, 0) << verify.output;
}

TEST_F(KitmakeTest, MembersAreDeflatedUnlessThatWouldNotShrinkThemAndCarryTheirDosTimes) {
    fs::path kit = scratch_ / "kit";
    ASSERT_EQ(Build(kit).status, 0);
    CommandResult info = RunCommand("zipinfo -T " + Quoted(kit / "EXE.1"));
    ASSERT_EQ(info.status, 0) << info.output;
    EXPECT_TRUE(std::regex_search(info.output, std::regex("fat .* stor 20210304\\.102030 KORVEN\\.EXE")))
        << info.output;
    EXPECT_TRUE(std::regex_search(info.output, std::regex("fat .* def. 20210304\\.102030 CITESTE\\.TXT")))
        << info.output;
    CommandResult dbnew = RunCommand("zipinfo -1 " + Quoted(kit / "DBNEW.1"));
    EXPECT_EQ(dbnew.output, "NEW/DATA/CLIENTI.DB\nNEW/FIRMA/FIRMA.DB\nNEW/LUNA/LUNA.DB\n");
    // No data descriptors, no encryption: general-purpose flags all clear.
    CommandResult verbose = RunCommand("zipinfo -v " + Quoted(kit / "EXE.1"));
    EXPECT_EQ(verbose.output.find("extended local header:                          yes"), std::string::npos);
}

TEST_F(KitmakeTest, OneFolderKitHoldsExactlyWhatTheInstallerExpects) {
    fs::path kit = scratch_ / "kit";
    CommandResult build = Build(kit);
    ASSERT_EQ(build.status, 0) << build.output;
    EXPECT_EQ(FileNames(kit), (std::vector<std::string>{"DBNEW.1", "DISK1", "EXE.1", "HELP.1", "INSTALL.CFG",
                                                        "INSTALL.EXE", "UPGRADE.1"}));
    EXPECT_EQ(ReadWholeFile(kit / "INSTALL.CFG").rfind("[General]\r\nNrDiscuri=1\r\n\r\n[Piese]\r\n", 0), 0u);
    ExpectPiecesListed(kit, {kit});
    EXPECT_TRUE(fs::is_empty(scratch_ / "kit") == false);
    for (const char* piece : {"EXE.1", "DBNEW.1", "HELP.1", "UPGRADE.1"}) {
        CommandResult test = RunCommand("unzip -t " + Quoted(kit / piece));
        EXPECT_EQ(test.status, 0) << piece << "\n" << test.output;
    }
    // Components the installer cannot do without are named when absent.
    EXPECT_NE(build.output.find("DBDAT"), std::string::npos) << build.output;
    EXPECT_EQ(build.output.find("PAYROLL"), std::string::npos) << build.output;
    EXPECT_EQ(Kitmake("verify " + Quoted(kit)).status, 0);
}

TEST_F(KitmakeTest, SameInputsAndTimesGiveTheSameKit) {
    ASSERT_EQ(Build(scratch_ / "a", "--disks --disk-size 130000").status, 0);
    ASSERT_EQ(Build(scratch_ / "b", "--disks --disk-size 130000").status, 0);
    size_t compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(scratch_ / "a")) {
        if (!entry.is_regular_file()) continue;
        fs::path twin = scratch_ / "b" / entry.path().lexically_relative(scratch_ / "a");
        EXPECT_EQ(ReadWholeFile(entry.path()), ReadWholeFile(twin)) << twin;
        ++compared;
    }
    EXPECT_GT(compared, 10u);
}

TEST_F(KitmakeTest, PiecesPastTheNinthJoinInNumericOrder) {
    fs::path kit = scratch_ / "kit";
    CommandResult build = Build(kit, "--disks --disk-size 30000");
    ASSERT_EQ(build.status, 0) << build.output;
    ASSERT_TRUE(fs::exists(kit / "DISK11/EXE.11")) << build.output;
    EXPECT_NE(
        ReadWholeFile(kit / "DISK1/INSTALL.CFG")
            .find("NrDiscuri=" + std::to_string(std::distance(fs::directory_iterator(kit), fs::directory_iterator{}))),
        std::string::npos);
    for (const auto& entry : fs::directory_iterator(kit)) {
        int pieces = 0;
        for (const auto& name : FileNames(entry.path())) pieces += name.rfind("EXE.", 0) == 0;
        EXPECT_LE(pieces, 1) << entry.path();
    }
    auto joined = JoinArchives(kit);
    ExpectArchiveHolds(joined["EXE"], {"exe", "tools"});
    CommandResult verify = Kitmake("verify " + Quoted(kit));
    EXPECT_EQ(verify.status, 0) << verify.output;
}

TEST_F(KitmakeTest, FixedFilesThatDoNotFitDiskOneAreRefusedWithTheBytesTheyNeed) {
    CommandResult tooSmall = Build(scratch_ / "small", "--disks --disk-size 3000");
    EXPECT_EQ(tooSmall.status, 1);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(tooSmall.output, match, std::regex("nevoie de ([0-9]+) octeti"))) << tooSmall.output;
    EXPECT_FALSE(fs::exists(scratch_ / "small"));
    uint64_t needed = std::stoull(match[1]);
    EXPECT_GT(needed, 5000u);
    // Exactly that much is enough; the archives then begin on disk 2.
    EXPECT_EQ(Build(scratch_ / "exact", "--disks --disk-size " + std::to_string(needed)).status, 0);
    EXPECT_EQ(FileNames(scratch_ / "exact/DISK1"),
              (std::vector<std::string>{"DISK1", "INSTALL.CFG", "INSTALL.EXE", "UPGRADE.1"}));
    EXPECT_LE(FolderBytes(scratch_ / "exact/DISK1"), needed);
    EXPECT_EQ(Build(scratch_ / "short", "--disks --disk-size " + std::to_string(needed - 1)).status, 1);
}

TEST_F(KitmakeTest, VerifyNamesMissingAndDamagedPieces) {
    fs::path kit = scratch_ / "kit";
    ASSERT_EQ(Build(kit, "--disks --disk-size 130000").status, 0);
    auto damaged = [&](const std::string& name, auto&& damage) {
        fs::path copy = scratch_ / name;
        fs::copy(kit, copy, fs::copy_options::recursive);
        damage(copy);
        return Kitmake("verify " + Quoted(copy));
    };

    CommandResult gap = damaged("gap", [](const fs::path& copy) { fs::remove(copy / "DISK2/EXE.2"); });
    EXPECT_EQ(gap.status, 1);
    EXPECT_NE(gap.output.find("lipseste piesa EXE.2"), std::string::npos) << gap.output;

    CommandResult first = damaged("first", [](const fs::path& copy) { fs::remove(copy / "DISK1/EXE.1"); });
    EXPECT_EQ(first.status, 1);
    EXPECT_NE(first.output.find("EXE.1"), std::string::npos) << first.output;

    CommandResult flipped = damaged("flipped", [](const fs::path& copy) {
        std::string bytes = ReadWholeFile(copy / "DISK2/EXE.2");
        bytes[bytes.size() / 2] ^= 0x01;
        WriteWholeFile(copy / "DISK2/EXE.2", bytes);
    });
    EXPECT_EQ(flipped.status, 1);
    EXPECT_NE(flipped.output.find("arhiva EXE"), std::string::npos) << flipped.output;
    EXPECT_NE(flipped.output.find("KORVEN.EXE"), std::string::npos) << flipped.output;

    CommandResult marker = damaged("marker", [](const fs::path& copy) { fs::remove(copy / "DISK3/DISK3"); });
    EXPECT_EQ(marker.status, 1);
    EXPECT_NE(marker.output.find("DISK3"), std::string::npos) << marker.output;

    CommandResult upgrade = damaged("upgrade", [](const fs::path& copy) { fs::remove(copy / "DISK1/UPGRADE.1"); });
    EXPECT_EQ(upgrade.status, 1);
    EXPECT_NE(upgrade.output.find("UPGRADE.1"), std::string::npos) << upgrade.output;

    // Joined disk by disk, EXE.3 on the first disk would come before EXE.2.
    CommandResult order =
        damaged("order", [](const fs::path& copy) { fs::rename(copy / "DISK3/EXE.3", copy / "DISK1/EXE.3"); });
    EXPECT_EQ(order.status, 1);
    EXPECT_NE(order.output.find("EXE.3"), std::string::npos) << order.output;
}

// The list of pieces is counted into disk 1 and grows with every piece:
// disks whose first disk is full to the last few bytes, and disk counts of one
// and two digits, still hold what they are given.
TEST_F(KitmakeTest, TheListOfPiecesNeverOverflowsDiskOne) {
    CommandResult probe = Build(scratch_ / "probe", "--disks --disk-size 3000");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(probe.output, match, std::regex("nevoie de ([0-9]+) octeti"))) << probe.output;
    uint64_t needed = std::stoull(match[1]);
    for (uint64_t size : {needed + 1, needed + 7, needed + 24, needed + 60, uint64_t(30000), uint64_t(36000)}) {
        SCOPED_TRACE(size);
        fs::path kit = scratch_ / ("kit" + std::to_string(size));
        CommandResult build = Build(kit, "--disks --disk-size " + std::to_string(size));
        ASSERT_EQ(build.status, 0) << build.output;
        std::vector<fs::path> disks = DiskFolders(kit);
        for (const fs::path& disk : disks) EXPECT_LE(FolderBytes(disk), size) << disk;
        ExpectPiecesListed(kit, disks);
        CommandResult verify = Kitmake("verify " + Quoted(kit));
        EXPECT_EQ(verify.status, 0) << verify.output;
    }
}

// A floppy whose bytes changed on their way is named by its piece and disk,
// and so is every disagreement between the disks and the list.
TEST_F(KitmakeTest, VerifyChecksEveryPieceAgainstTheList) {
    // Enough to need three floppies of 1.44 MB.
    AddSource("exe/DATE.BIN", IncompressibleBytes(3000000, 6));
    fs::path kit = scratch_ / "kit";
    ASSERT_EQ(Build(kit, "--disks").status, 0);
    ASSERT_EQ(DiskFolders(kit).size(), 3u);
    CommandResult whole = Kitmake("verify " + Quoted(kit));
    ASSERT_EQ(whole.status, 0) << whole.output;
    EXPECT_EQ(whole.output.find("[Piese]"), std::string::npos) << whole.output;

    auto damaged = [&](const std::string& name, auto&& damage) {
        fs::path copy = scratch_ / name;
        fs::copy(kit, copy, fs::copy_options::recursive);
        damage(copy);
        return Kitmake("verify " + Quoted(copy));
    };
    auto changePiece = [](const fs::path& file, auto&& change) {
        std::string bytes = ReadWholeFile(file);
        change(bytes);
        WriteWholeFile(file, bytes);
    };

    CommandResult changed = damaged("changed", [&](const fs::path& copy) {
        changePiece(copy / "DISK2/EXE.2", [](std::string& bytes) { bytes[1000] ^= 0x40; });
    });
    EXPECT_EQ(changed.status, 1);
    EXPECT_NE(changed.output.find("discul 2: piesa EXE.2 este deteriorata"), std::string::npos) << changed.output;

    CommandResult shorter = damaged("short", [&](const fs::path& copy) {
        changePiece(copy / "DISK2/EXE.2", [](std::string& bytes) { bytes.pop_back(); });
    });
    EXPECT_EQ(shorter.status, 1);
    EXPECT_NE(
        shorter.output.find("discul 2: piesa EXE.2 are " + std::to_string(fs::file_size(kit / "DISK2/EXE.2") - 1) +
                            " octeti in loc de " + std::to_string(fs::file_size(kit / "DISK2/EXE.2"))),
        std::string::npos)
        << shorter.output;

    // Same name, same bytes, on another disk than the list says.
    CommandResult moved =
        damaged("moved", [](const fs::path& copy) { fs::rename(copy / "DISK3/HELP.1", copy / "DISK2/HELP.1"); });
    EXPECT_EQ(moved.status, 1);
    EXPECT_NE(moved.output.find("discul 2: piesa HELP.1 nu este la locul ei"), std::string::npos) << moved.output;
    EXPECT_NE(moved.output.find("discul 3"), std::string::npos) << moved.output;

    CommandResult unlisted = damaged("unlisted", [](const fs::path& copy) {
        std::string settings = ReadWholeFile(copy / "DISK1/INSTALL.CFG");
        settings = std::regex_replace(settings, std::regex("DBNEW\\.1=[^\r]*\r\n"), "");
        WriteWholeFile(copy / "DISK1/INSTALL.CFG", settings);
    });
    EXPECT_EQ(unlisted.status, 1);
    EXPECT_NE(unlisted.output.find("discul 3: piesa DBNEW.1 nu apare in lista [Piese]"), std::string::npos)
        << unlisted.output;

    CommandResult missing = damaged("missing", [](const fs::path& copy) { fs::remove(copy / "DISK3/DBNEW.1"); });
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("discul 3: lipseste piesa DBNEW.1"), std::string::npos) << missing.output;

    CommandResult unreadable = damaged("unreadable", [](const fs::path& copy) {
        std::string settings = ReadWholeFile(copy / "DISK1/INSTALL.CFG");
        settings = std::regex_replace(settings, std::regex("(HELP\\.1=[0-9]+),[0-9A-F]+"), "$1,ZZ");
        WriteWholeFile(copy / "DISK1/INSTALL.CFG", settings);
    });
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.output.find(",ZZ,3\" nu are forma"), std::string::npos) << unreadable.output;
}

// Kits made before the list install as they always did; verify says what it
// could not check and judges the rest as before.
TEST_F(KitmakeTest, AKitWithoutTheListIsVerifiedByItsArchives) {
    fs::path kit = scratch_ / "kit";
    ASSERT_EQ(Build(kit, "--disks --disk-size 130000").status, 0);
    WriteWholeFile(kit / "DISK1/INSTALL.CFG", "[General]\r\nNrDiscuri=3\r\n");
    CommandResult verify = Kitmake("verify " + Quoted(kit));
    EXPECT_EQ(verify.status, 0) << verify.output;
    EXPECT_NE(verify.output.find("atentie: INSTALL.CFG nu are lista [Piese]"), std::string::npos) << verify.output;

    std::string bytes = ReadWholeFile(kit / "DISK2/EXE.2");
    bytes[bytes.size() / 2] ^= 0x01;
    WriteWholeFile(kit / "DISK2/EXE.2", bytes);
    CommandResult damaged = Kitmake("verify " + Quoted(kit));
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.output.find("arhiva EXE"), std::string::npos) << damaged.output;
}

TEST_F(KitmakeTest, DescriptionErrorsNameTheirLineAndLeaveNoKit) {
    struct Case {
        std::string description;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"install INSTALL.EXE\nupgrade upgrade\ncomponnet EXE exe\n", "linia 3: cheie necunoscuta \"componnet\""},
        {"install INSTALL.EXE\nupgrade lipsa\n", "linia 2: dosarul"},
        {"install LIPSA.EXE\nupgrade upgrade\n", "linia 1: fisierul"},
        {"install INSTALL.EXE\nupgrade upgrade\ncomponent GAMES exe\n", "linia 3: componenta GAMES"},
        {"install INSTALL.EXE\nupgrade upgrade\ncomponent EXE\n", "linia 3: component asteapta un nume si un dosar"},
        {"upgrade upgrade\n", "lipseste linia \"install CALE\""},
        // The same member from two folders of one component.
        {"install INSTALL.EXE\nupgrade upgrade\ncomponent HELP upgrade\ncomponent help upgrade\n",
         "UPGRADE.DLL apare in doua dosare"},
    };
    for (const Case& one : cases) {
        WriteDescription(one.description);
        CommandResult build = Build(scratch_ / "kit");
        EXPECT_EQ(build.status, 1) << one.description;
        EXPECT_NE(build.output.find(one.expected), std::string::npos) << one.description << "\n" << build.output;
        EXPECT_FALSE(fs::exists(scratch_ / "kit")) << one.description;
    }
}

TEST_F(KitmakeTest, AnOutputFolderThatHoldsFilesIsLeftAlone) {
    WriteWholeFile(scratch_ / "kit/NOTE.TXT", "a mea");
    CommandResult build = Build(scratch_ / "kit");
    EXPECT_EQ(build.status, 1);
    EXPECT_NE(build.output.find("nu este gol"), std::string::npos) << build.output;
    EXPECT_EQ(FileNames(scratch_ / "kit"), std::vector<std::string>{"NOTE.TXT"});
}

}  // namespace
}  // namespace korven::kit::test
