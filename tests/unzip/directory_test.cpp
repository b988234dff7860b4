// Recognising archives and walking the central directory: the end-record
// search, the windowed walk of large directories, and the entry fields.
#include <gtest/gtest.h>

#include "test_support.h"
#include "unzip/zip_engine.h"
#include "zip_builder.h"

namespace korven::unzip::test {
namespace {

std::vector<std::string> WalkNames(const std::string& archive, int* result = nullptr, bool* windowed = nullptr) {
    std::vector<std::string> names;
    DirectoryCursor cursor;
    int walk = OpenDirectory(archive, cursor);
    if (windowed) *windowed = cursor.IsWindowed();
    if (result) *result = walk;
    for (; walk == kOk; walk = NextDirectoryEntry(cursor)) names.push_back(cursor.name);
    EXPECT_FALSE(cursor.IsOpen());
    return names;
}

TEST(EndRecordSearch, UnreadableShortOrSignatureLessFilesHaveNoDirectory) {
    ScratchFolder scratch;
    DirectoryCursor cursor;
    EXPECT_EQ(OpenDirectory(scratch.Path("missing.zip"), cursor), kNoDirectory);
    WriteWholeFile(scratch.Path("empty.zip"), "");
    EXPECT_EQ(OpenDirectory(scratch.Path("empty.zip"), cursor), kNoDirectory);
    // The signature alone, in a file shorter than an end record.
    WriteWholeFile(scratch.Path("short.zip"), std::string("PK\x05\x06", 4) + std::string(10, '\0'));
    EXPECT_EQ(OpenDirectory(scratch.Path("short.zip"), cursor), kNoDirectory);
    WriteWholeFile(scratch.Path("plain.zip"), std::string(10000, 'x'));
    EXPECT_EQ(OpenDirectory(scratch.Path("plain.zip"), cursor), kNoDirectory);
}

TEST(EndRecordSearch, EndRecordWithinTheFirst46BytesIsRejected) {
    ScratchFolder scratch;
    std::string bytes = std::string(30, 'x') + std::string("PK\x05\x06", 4) + std::string(18, '\0');
    WriteWholeFile(scratch.Path("early.zip"), bytes);
    DirectoryCursor cursor;
    EXPECT_EQ(OpenDirectory(scratch.Path("early.zip"), cursor), kEndRecordTooEarly);
}

TEST(EndRecordSearch, LongCommentsAreSearchedWindowByWindow) {
    ScratchFolder scratch;
    // 4074 is the longest comment the last window still holds whole; the
    // others put the record across window boundaries or several windows back.
    for (size_t length : {0u, 4074u, 4075u, 4076u, 4096u, 8148u, 8149u, 8150u, 20000u, 65535u}) {
        SCOPED_TRACE(length);
        ZipBuilder builder;
        builder.Add(StoredMember("A.TXT", "alpha")).Add(StoredMember("B.TXT", "beta"));
        builder.Comment(std::string(length, 'c'));
        builder.WriteTo(scratch.Path("comment.zip"));
        int result;
        EXPECT_EQ(WalkNames(scratch.Path("comment.zip"), &result), (std::vector<std::string>{"A.TXT", "B.TXT"}));
        EXPECT_EQ(result, kOk);
    }
}

TEST(EndRecordSearch, TheSignatureNearestTheEndWins) {
    ScratchFolder scratch;
    ZipBuilder builder;
    builder.Add(StoredMember("A.TXT", "alpha"));
    // A second end record in the comment whose directory offset points at the
    // local header: taking it makes the walk fail on the first entry.
    std::string fake("PK\x05\x06", 4);
    fake += std::string(12, '\0');
    fake += std::string(4, '\0');  // directory at offset 0
    fake += std::string(2, '\0');
    builder.Comment("note " + fake);
    builder.WriteTo(scratch.Path("two.zip"));
    int result;
    EXPECT_TRUE(WalkNames(scratch.Path("two.zip"), &result).empty());
    EXPECT_EQ(result, kDirectoryEnd);
}

// A directory of `size` bytes: entries of 64 bytes (names of 18 characters)
// and one shorter entry that makes up the rest.
ZipBuilder DirectoryOfSize(size_t size, std::vector<std::string>& names) {
    ZipBuilder builder;
    size_t left = size;
    for (int i = 0; left > 0; ++i) {
        size_t nameLength = left >= 64 + 47 ? 18 : left - 46;
        std::string name = "F" + std::to_string(i) + ".TXT";
        name.insert(1, nameLength - name.size(), '0');
        builder.Add(StoredMember(name, ""));
        names.push_back(name);
        left -= 46 + nameLength;
    }
    return builder;
}

TEST(DirectoryWalk, A64000ByteDirectoryIsWalkedThroughTheWindow) {
    ScratchFolder scratch;
    // The directory and the 4 signature bytes of the end record: 63996 + 4
    // reaches the window's size, one byte less still fits in memory whole.
    for (size_t size : {63995u, 63996u, 200000u}) {
        SCOPED_TRACE(size);
        std::vector<std::string> names;
        DirectoryOfSize(size, names).WriteTo(scratch.Path("big.zip"));
        bool windowed = false;
        int result;
        EXPECT_EQ(WalkNames(scratch.Path("big.zip"), &result, &windowed), names);
        EXPECT_EQ(result, kOk);
        EXPECT_EQ(windowed, size >= 63996u);
    }
}

TEST(DirectoryWalk, NamesAreKeptWholeWithTheirNulBytesAndUseBackslashes) {
    ScratchFolder scratch;
    std::string longName = "LONG/" + std::string(4000, 'n');
    std::string withNul("A\0B/C", 5);
    ZipBuilder builder;
    builder.Add(StoredMember("DIR/SUB/FILE.TXT", "x")).Add(StoredMember(longName, "y")).Add(StoredMember(withNul, "z"));
    builder.WriteTo(scratch.Path("names.zip"));
    std::vector<std::string> names = WalkNames(scratch.Path("names.zip"));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "DIR\\SUB\\FILE.TXT");
    EXPECT_EQ(names[1], "LONG\\" + std::string(4000, 'n'));
    EXPECT_EQ(names[2], std::string("A\0B\\C", 5));
}

TEST(DirectoryWalk, EntryFieldsAndDosAttributesComeFromTheDirectory) {
    ScratchFolder scratch;
    BuiltMember dos = DeflatedMember("DOS.TXT", std::string(1000, 'd'));
    dos.attributes = 0x21;
    dos.dosDateTime = 0x4B2A7C20;
    BuiltMember unix = StoredMember("unix.txt", "u");
    unix.hostSystem = 3;
    unix.attributes = 0x81A40001;
    ZipBuilder builder;
    builder.Preamble("SFX stub ").Add(dos).Add(unix);
    builder.WriteTo(scratch.Path("fields.zip"));

    DirectoryCursor cursor;
    ASSERT_EQ(OpenDirectory(scratch.Path("fields.zip"), cursor), kOk);
    EXPECT_EQ(cursor.method, 8);
    EXPECT_EQ(cursor.attributes, 0x21);
    EXPECT_EQ(cursor.dateTime, 0x4B2A7C20u);
    EXPECT_EQ(cursor.uncompressedSize, 1000);
    EXPECT_EQ(cursor.compressedSize, static_cast<int32_t>(dos.data.size()));
    EXPECT_EQ(cursor.localHeaderOffset, 9);
    ASSERT_EQ(NextDirectoryEntry(cursor), kOk);
    EXPECT_EQ(cursor.attributes, 0) << "attributes of other systems are not DOS bits";
    EXPECT_EQ(NextDirectoryEntry(cursor), kDirectoryEnd);
    EXPECT_EQ(NextDirectoryEntry(cursor), kDirectoryEnd) << "a closed cursor stays at the end";
    CloseDirectory(cursor);
}

TEST(DirectoryWalk, AnEmptyDirectoryEndsAtOnce) {
    ScratchFolder scratch;
    ZipBuilder().Preamble(std::string("PK\x03\x04", 4) + std::string(60, '\0')).WriteTo(scratch.Path("none.zip"));
    DirectoryCursor cursor;
    EXPECT_EQ(OpenDirectory(scratch.Path("none.zip"), cursor), kDirectoryEnd);
    EXPECT_FALSE(cursor.IsOpen());
}

// What ends a walk decides whether the directory was read whole or cut short.
TEST(DirectoryWalk, TheEndRecordOrAZip64EndRecordEndsItWholeAnythingElseCutsItShort) {
    ScratchFolder scratch;
    ZipBuilder builder;
    builder.Add(StoredMember("A.TXT", "a")).Add(StoredMember("B.TXT", "b"));
    const std::string bytes = builder.Build();
    const std::string files = bytes.substr(0, bytes.size() - 22), endRecord = bytes.substr(bytes.size() - 22);
    // The Zip64 end record and its locator, as ZIP programs write them in
    // front of the end record of an archive with more than 65535 members.
    std::string zip64("PK\x06\x06", 4);
    zip64 += std::string(52, '\0') + std::string("PK\x06\x07", 4) + std::string(16, '\0');
    struct Case {
        std::string archive;
        DirectoryState state;
        uint32_t entries;
    };
    std::string brokenSecond = bytes;
    brokenSecond[builder.directoryOffset + 46 + 5] = 'X';
    for (const Case& c :
         {Case{bytes, DirectoryState::kWhole, 2}, Case{files + zip64 + endRecord, DirectoryState::kWhole, 2},
          Case{brokenSecond, DirectoryState::kCutShort, 1},
          Case{bytes.substr(0, bytes.size() - 1), DirectoryState::kUnreadable, 0}}) {
        WriteWholeFile(scratch.Path("walk.zip"), c.archive);
        DirectoryCursor cursor;
        for (int walk = OpenDirectory(scratch.Path("walk.zip"), cursor); walk == kOk;
             walk = NextDirectoryEntry(cursor)) {}
        EXPECT_EQ(cursor.entriesRead, c.entries);
        EXPECT_EQ(WalkState(cursor), c.state);
    }
}

TEST(ZipRecognition, NeedsADotNoExeNoFolderAndALocalHeader) {
    ScratchFolder scratch;
    ZipBuilder builder;
    builder.Add(StoredMember("A.TXT", "alpha"));
    builder.WriteTo(scratch.Path("KIT.ZIP"));
    builder.WriteTo(scratch.Path("SETUP.exe"));
    builder.WriteTo(scratch.Path("SETUP.EXE"));
    WriteWholeFile(scratch.Path("README.ZIP"), "not an archive");
    std::filesystem::create_directories(scratch.Native() / "DATA.ZIP");

    EXPECT_TRUE(IsZipArchive(scratch.Path("KIT.ZIP")));
    EXPECT_FALSE(IsZipArchive(scratch.Path("SETUP.exe")));
    EXPECT_FALSE(IsZipArchive(scratch.Path("README.ZIP")));
    EXPECT_FALSE(IsZipArchive(scratch.Path("DATA.ZIP")));
    EXPECT_FALSE(IsZipArchive(scratch.Path("DATA.ZIP") + "\\"));
    EXPECT_FALSE(IsZipArchive(scratch.Path("MISSING.ZIP")));
    EXPECT_EQ(SupportedMethods(), 323u);
}

TEST(ZipRecognition, OnlyTheFileNameIsJudgedNotItsFolders) {
    ScratchFolder scratch;
    std::filesystem::create_directories(scratch.Native() / "tools.exe.d");
    ZipBuilder builder;
    builder.Add(StoredMember("A.TXT", "alpha"));
    builder.WriteTo(scratch.Path("tools.exe.d/KIT.ZIP"));
    builder.WriteTo(scratch.Path("tools.exe.d/KIT"));
    EXPECT_TRUE(IsZipArchive(scratch.Path("tools.exe.d/KIT.ZIP")));
    EXPECT_FALSE(IsZipArchive(scratch.Path("tools.exe.d/KIT"))) << "a name without a dot";
}

TEST(ZipRecognition, APathWithoutADotIsNoArchive) {
    ScratchFolder scratch;
    ZipBuilder().Add(StoredMember("A.TXT", "alpha")).WriteTo(scratch.Path("KIT"));
    // Relative to the current folder, so that no dot of the scratch path counts.
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(scratch.Native());
    bool recognised = IsZipArchive("KIT");
    std::filesystem::current_path(saved);
    EXPECT_FALSE(recognised);
}

}  // namespace
}  // namespace korven::unzip::test
