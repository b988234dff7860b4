// ExtractMember and the decoders on hand-made members: folders and output
// paths, refusals, flush sizes, window edges, malformed data, sizes that
// follow the data, file dates, and the busy guard, Escape key and notify
// window through a stand-in host.
#include <gtest/gtest.h>

#include "test_support.h"
#include "unzip/engine_state.h"
#include "unzip/zip_engine.h"
#include "zip_builder.h"

namespace korven::unzip::test {
namespace {

// Records the sizes of the blocks the engine flushes while it lives.
class FlushLog {
public:
    FlushLog() : proc_([this](int32_t bytes, const ReportRecord&) { blocks.push_back(bytes); }) {
        engine::ActiveReport() = &proc_;
    }
    ~FlushLog() { engine::ActiveReport() = nullptr; }
    std::vector<int32_t> blocks;

private:
    ReportProc proc_;
};

// One archive of the given members in a scratch folder; extracts by index.
class OneArchive {
public:
    explicit OneArchive(const std::vector<BuiltMember>& members) {
        ZipBuilder builder;
        for (const BuiltMember& m : members) builder.Add(m);
        builder.WriteTo(Archive());
        DirectoryCursor cursor;
        for (int walk = OpenDirectory(Archive(), cursor); walk == kOk; walk = NextDirectoryEntry(cursor))
            offsets_.push_back(static_cast<uint32_t>(cursor.localHeaderOffset));
    }
    std::string Archive() const { return scratch_.Path("test.zip"); }
    std::string Out(const std::string& name = "out.bin") const { return scratch_.Path(name); }
    int Extract(size_t index, const std::string& target, NotifyWindow window = 0, uint32_t key = 0) const {
        return ExtractMember(Archive(), target, offsets_.at(index), window, key);
    }
    int Extract(size_t index = 0) const { return Extract(index, Out()); }
    const ScratchFolder& Scratch() const { return scratch_; }

private:
    ScratchFolder scratch_;
    std::vector<uint32_t> offsets_;
};

BuiltMember WithData(BuiltMember member, const std::string& data) {
    member.data = data;
    return member;
}

TEST(ExtractPaths, AFolderEntryCreatesTheFolderAndNoFile) {
    OneArchive zip({StoredMember("DATA/", "")});
    const std::string folder = zip.Out("DATA\\SUB") + "\\";
    EXPECT_EQ(zip.Extract(0, folder), kOk);
    EXPECT_TRUE(platform::FolderExists(zip.Out("DATA\\SUB")));
}

TEST(ExtractPaths, MissingOutputFoldersAreCreatedOneByOne) {
    OneArchive zip({StoredMember("A.TXT", "alpha")});
    const std::string target = zip.Out("ONE\\TWO\\THREE\\A.TXT");
    ASSERT_EQ(zip.Extract(0, target), kOk);
    EXPECT_EQ(ReadWholeFile(target), "alpha");
}

TEST(ExtractPaths, AnOutputThatCannotBeCreatedFailsWithMinus2) {
    OneArchive zip({StoredMember("A.TXT", "alpha")});
    WriteWholeFile(zip.Out("BLOCK"), "a file where a folder should be");
    EXPECT_EQ(zip.Extract(0, zip.Out("BLOCK\\A.TXT")), kCannotWrite);
}

TEST(ExtractRefusals, EncryptedAndUnsupportedMembersLeaveNoFile) {
    BuiltMember encrypted = StoredMember("E.TXT", "secret");
    encrypted.flags = 0x0001;
    BuiltMember deflate64 = StoredMember("D.TXT", "x");
    deflate64.method = 9;
    BuiltMember reduced = StoredMember("R.TXT", "x");
    reduced.method = 3;
    OneArchive zip({encrypted, deflate64, reduced});
    EXPECT_EQ(zip.Extract(0), kEncrypted);
    EXPECT_EQ(zip.Extract(1), kUnsupported);
    EXPECT_EQ(zip.Extract(2), kUnsupported);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
}

TEST(ExtractRefusals, ABadLocalHeaderOrUnreadableArchive) {
    OneArchive zip({StoredMember("A.TXT", "alpha")});
    EXPECT_EQ(ExtractMember(zip.Archive(), zip.Out(), 5, 0, 0), kBadData);
    EXPECT_EQ(ExtractMember(zip.Archive(), zip.Out(), 1u << 30, 0, 0), kBadData);
    EXPECT_EQ(ExtractMember(zip.Out("missing.zip"), zip.Out(), 0, 0, 0), kReadFailed);
}

TEST(StoredMembers, EmptyWritesNoBlockAndAFullWindowIsOneBlock) {
    OneArchive zip({StoredMember("EMPTY", ""), StoredMember("FULL", std::string(32768, 's')),
                    StoredMember("MORE", PseudoRandomBytes(70000, 1))});
    {
        FlushLog log;
        ASSERT_EQ(zip.Extract(0), kOk);
        EXPECT_TRUE(log.blocks.empty());
        EXPECT_EQ(ReadWholeFile(zip.Out()), "");
    }
    {
        FlushLog log;
        ASSERT_EQ(zip.Extract(1), kOk);
        EXPECT_EQ(log.blocks, std::vector<int32_t>{32768});
    }
    FlushLog log;
    ASSERT_EQ(zip.Extract(2), kOk);
    EXPECT_EQ(log.blocks, (std::vector<int32_t>{32768, 32768, 4464}));
    EXPECT_EQ(ReadWholeFile(zip.Out()), PseudoRandomBytes(70000, 1));
}

// The output is buffered, the archive read in large blocks: none of it
// shows in the blocks reported (the decoders' 32768-byte windows) or in the
// bytes of the file, whether a member ends inside, exactly at the end of,
// or far beyond a buffer.
TEST(BufferedMembers, LargeAndBoundaryMembersKeepTheirBytesAndBlocks) {
    const std::string big = PseudoRandomBytes(600000, 41);
    const std::string exact = PseudoRandomBytes(platform::kOutputBlock, 42);
    const std::string twice = std::string(platform::kOutputBlock, 'x') + PseudoRandomBytes(platform::kOutputBlock, 43);
    OneArchive zip({StoredMember("BIG", big), StoredMember("EXACT", exact), DeflatedMember("TWICE", twice)});
    {
        FlushLog log;
        ASSERT_EQ(zip.Extract(0), kOk);
        std::vector<int32_t> blocks(18, 32768);  // 600000 = 18 * 32768 + 10176
        blocks.push_back(10176);
        EXPECT_EQ(log.blocks, blocks);
        EXPECT_TRUE(ReadWholeFile(zip.Out()) == big);
    }
    {
        FlushLog log;
        ASSERT_EQ(zip.Extract(1), kOk);
        EXPECT_EQ(log.blocks, std::vector<int32_t>(8, 32768));
        EXPECT_TRUE(ReadWholeFile(zip.Out()) == exact);
    }
    FlushLog log;
    ASSERT_EQ(zip.Extract(2), kOk);
    std::vector<int32_t> blocks(16, 32768);
    blocks.push_back(0);  // a deflated member that fills its last window flushes once more, empty
    EXPECT_EQ(log.blocks, blocks);
    EXPECT_TRUE(ReadWholeFile(zip.Out()) == twice);
}

TEST(BufferedMembers, LocalHeadersAndDataAcrossInputBlockEdges) {
    // Read in order through one open archive, as a walk reads it, the input
    // blocks start at multiples of their size: the second member's local
    // header straddles the first block's end, the third's starts exactly on
    // the second block's end, and the fourth's deflated data spans blocks.
    const uint32_t header = 30 + 1;  // fixed part and a one-letter name
    const uint32_t block = platform::kInputBlock;
    const std::vector<std::string> contents = {PseudoRandomBytes(block - 10 - header, 51),
                                               PseudoRandomBytes(2 * block - (block - 10) - header, 52),
                                               PseudoRandomBytes(70000, 53), PseudoRandomBytes(300000, 54)};
    OneArchive zip({StoredMember("A", contents[0]), StoredMember("B", contents[1]), StoredMember("C", contents[2]),
                    DeflatedMember("D", contents[3])});
    DirectoryCursor cursor;
    std::vector<uint32_t> offsets;
    for (int walk = OpenDirectory(zip.Archive(), cursor); walk == kOk; walk = NextDirectoryEntry(cursor))
        offsets.push_back(static_cast<uint32_t>(cursor.localHeaderOffset));
    ASSERT_EQ(offsets.size(), 4u);
    ASSERT_EQ(offsets[1], block - 10);
    ASSERT_EQ(offsets[2], 2 * block);

    platform::InputFile archive;
    ASSERT_TRUE(archive.Open(zip.Archive()));
    for (size_t i = 0; i < contents.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string out = zip.Out("m" + std::to_string(i));
        ASSERT_EQ(ExtractMember(archive, out, offsets[i], 0, 0), kOk);
        EXPECT_TRUE(ReadWholeFile(out) == contents[i]);
    }
    // Backwards, each from a block that starts at its own header.
    for (size_t i = contents.size(); i-- > 0;) {
        SCOPED_TRACE(i);
        ASSERT_EQ(ExtractMember(archive, zip.Out(), offsets[i], 0, 0), kOk);
        EXPECT_TRUE(ReadWholeFile(zip.Out()) == contents[i]);
    }
}

TEST(BufferedMembers, AClosedArchiveFailsAsOneThatCannotBeOpened) {
    OneArchive zip({StoredMember("A.TXT", "alpha")});
    platform::InputFile closed;
    EXPECT_EQ(ExtractMember(closed, zip.Out(), 0, 0, 0), kReadFailed);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
}

TEST(DeflatedMembers, AFixedBlockWithOnlyEndOfBlockGivesAnEmptyFile) {
    DeflateWriter stream;
    stream.FixedBlockHeader(true);
    stream.FixedEnd();
    OneArchive zip({WithData(DeflatedMember("EMPTY", ""), stream.Finish())});
    FlushLog log;
    ASSERT_EQ(zip.Extract(), kOk);
    EXPECT_EQ(ReadWholeFile(zip.Out()), "");
    EXPECT_EQ(log.blocks, std::vector<int32_t>{0});
}

TEST(DeflatedMembers, ExactlyOneWindowIsFlushedFullThenEmpty) {
    OneArchive zip({DeflatedMember("W", std::string(32768, 'w'))});
    FlushLog log;
    ASSERT_EQ(zip.Extract(), kOk);
    EXPECT_EQ(log.blocks, (std::vector<int32_t>{32768, 0}));
}

TEST(DeflatedMembers, MatchesAcrossTheWindowEndAndFromItsOlderPart) {
    // Runs at distance 1 that cross the window's end, then a pattern repeated
    // at distance 1000 and a copy from exactly 32768 bytes back.
    const std::string pattern = PseudoRandomBytes(1000, 7);
    std::string expected(1, 'a');
    DeflateWriter stream;
    stream.FixedBlockHeader(false);
    stream.FixedLiteral('a');
    while (expected.size() < 40000) {
        stream.FixedMatch(258, 1);
        expected.append(258, 'a');
    }
    stream.FixedEnd();
    stream.FixedBlockHeader(true);
    for (char c : pattern) stream.FixedLiteral(static_cast<uint8_t>(c));
    expected += pattern;
    for (int i = 0; i < 200; ++i) {
        stream.FixedMatch(250, 1000);
        expected += expected.substr(expected.size() - 1000, 250);
    }
    for (int i = 0; i < 10; ++i) {
        stream.FixedMatch(258, 32768);
        expected += expected.substr(expected.size() - 32768, 258);
    }
    stream.FixedEnd();
    BuiltMember member = DeflatedMember("M", expected);
    member.data = stream.Finish();
    OneArchive zip({member});
    ASSERT_EQ(zip.Extract(), kOk);
    EXPECT_TRUE(ReadWholeFile(zip.Out()) == expected);
}

TEST(DeflatedMembers, AMatchThatFillsTheWindowExactlyIsFlushedFirst) {
    // 32510 bytes, then a 258-byte match ending on the window's last byte,
    // then one more literal.
    std::string expected(1, 'a');
    DeflateWriter stream;
    stream.FixedBlockHeader(true);
    stream.FixedLiteral('a');
    for (int i = 0; i < 126; ++i) stream.FixedMatch(258, 1);
    expected.append(126 * 258, 'a');
    stream.FixedLiteral('a');
    stream.FixedMatch(258, 1);
    expected.append(259, 'a');
    ASSERT_EQ(expected.size(), 32768u);
    stream.FixedLiteral('b');
    expected += 'b';
    stream.FixedEnd();
    OneArchive zip({WithData(DeflatedMember("F", expected), stream.Finish())});
    FlushLog log;
    ASSERT_EQ(zip.Extract(), kOk);
    EXPECT_TRUE(ReadWholeFile(zip.Out()) == expected);
    EXPECT_EQ(log.blocks, (std::vector<int32_t>{32768, 1}));
}

TEST(DeflatedMembers, StoredBlocksAreCopiedWhole) {
    const std::string first = PseudoRandomBytes(40000, 3), second = "tail";
    DeflateWriter stream;
    stream.StoredBlock(first, false);
    stream.StoredBlock(second, true);
    OneArchive zip({WithData(DeflatedMember("S", first + second), stream.Finish())});
    ASSERT_EQ(zip.Extract(), kOk);
    EXPECT_TRUE(ReadWholeFile(zip.Out()) == first + second);
}

TEST(DeflatedMembers, MalformedStreamsFailAndLeaveNoFile) {
    DeflateWriter badType;
    badType.Bits(1, 1);
    badType.Bits(3, 2);
    DeflateWriter badLength;
    badLength.Bits(1, 1);
    badLength.Bits(0, 2);
    badLength.AlignToByte();
    badLength.Bits(5, 16);
    badLength.Bits(5, 16);
    DeflateWriter undefinedLength;  // symbol 286 has no length
    undefinedLength.FixedBlockHeader(true);
    undefinedLength.FixedLiteral('x');
    undefinedLength.FixedSymbol(286);
    DeflateWriter undefinedDistance;  // distance code 30 does not exist
    undefinedDistance.FixedBlockHeader(true);
    undefinedDistance.FixedLiteral('x');
    undefinedDistance.FixedSymbol(257);
    undefinedDistance.Code(30, 5);
    DeflateWriter incompleteCodeLengths;  // one code-length code: not a complete tree
    incompleteCodeLengths.Bits(1, 1);
    incompleteCodeLengths.Bits(2, 2);
    incompleteCodeLengths.Bits(0, 5);
    incompleteCodeLengths.Bits(0, 5);
    incompleteCodeLengths.Bits(0, 4);
    incompleteCodeLengths.Bits(1, 3);
    for (int i = 1; i < 4; ++i) incompleteCodeLengths.Bits(0, 3);
    OneArchive zip({WithData(DeflatedMember("T", "x"), badType.Finish()),
                    WithData(DeflatedMember("L", "x"), badLength.Finish()),
                    WithData(DeflatedMember("U", "xx"), undefinedLength.Finish()),
                    WithData(DeflatedMember("D", "xx"), undefinedDistance.Finish()),
                    WithData(DeflatedMember("C", "x"), incompleteCodeLengths.Finish())});
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(zip.Extract(i), kBadData);
        EXPECT_FALSE(platform::FileExists(zip.Out()));
    }
}

TEST(DeflatedMembers, CodeLengthRunsPastTheCodeCount) {
    OneArchive zip({WithData(DeflatedMember("R18", "x"), CodeLengthRunPastTheCount(3, 2, 0, 7)),
                    WithData(DeflatedMember("R17", "x"), CodeLengthRunPastTheCount(2, 2, 0, 3)),
                    WithData(DeflatedMember("R16", "x"), CodeLengthRunPastTheCount(1, 2, 0, 2))});
    EXPECT_EQ(zip.Extract(0), kBadData);
    EXPECT_EQ(zip.Extract(1), 1) << "codes 16 and 17 end the member with 1";
    EXPECT_EQ(zip.Extract(2), 1);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
}

TEST(DeflatedMembers, DataRunningOutAtTheEndOfTheArchiveIsAReadFailure) {
    // A lone member with no directory after it: its stream stops mid-block.
    ScratchFolder scratch;
    DeflateWriter stream;
    stream.FixedBlockHeader(true);
    for (int i = 0; i < 100; ++i) stream.FixedLiteral('z');
    BuiltMember member = DeflatedMember("Z", std::string(200, 'z'));
    member.data = stream.Finish();
    std::string bytes = ZipBuilder().Add(member).Build();
    ZipBuilder probe;
    probe.Add(member).Build();
    WriteWholeFile(scratch.Path("cut.zip"), bytes.substr(0, probe.directoryOffset));
    EXPECT_EQ(ExtractMember(scratch.Path("cut.zip"), scratch.Path("out"), 0, 0, 0), kReadFailed);
    EXPECT_FALSE(platform::FileExists(scratch.Path("out")));
}

TEST(CrcCheck, AMismatchDeletesTheOutput) {
    BuiltMember member = DeflatedMember("C.TXT", "checked content");
    member.crc32 ^= 1;
    OneArchive zip({member});
    EXPECT_EQ(zip.Extract(), kCrcMismatch);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
}

TEST(TrailingSizes, DeflatedMembersReadTheirCrcAfterTheData) {
    const std::string content = PseudoRandomBytes(50000, 5);
    OneArchive zip({StreamedMember("PLAIN", content, false), StreamedMember("SIGNED", content, true)});
    ASSERT_EQ(zip.Extract(0), kOk);
    EXPECT_TRUE(ReadWholeFile(zip.Out()) == content);
    ASSERT_EQ(zip.Extract(1), kOk) << "the descriptor's optional signature is skipped";
    EXPECT_TRUE(ReadWholeFile(zip.Out()) == content);
}

TEST(TrailingSizes, StoredAndShrunkMembersCannotBeReadThatWay) {
    BuiltMember stored = StoredMember("S", "stored bytes");
    stored.flags = 0x0008;
    BuiltMember shrunk = StoredMember("H", "x");
    shrunk.method = 1;
    shrunk.flags = 0x0008;
    OneArchive zip({stored, shrunk});
    int result = zip.Extract(0);
    EXPECT_TRUE(result == kReadFailed || result == kBadData) << result;
    EXPECT_EQ(zip.Extract(1), kUnsupported);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
}

TEST(ShrunkMembers, WideningBeyond13BitsIsMalformed) {
    DeflateWriter stream;
    stream.Bits('A', 9);
    unsigned width = 9;
    for (int i = 0; i < 5; ++i, ++width) {
        stream.Bits(256, width);
        stream.Bits(1, width);
    }
    BuiltMember member = StoredMember("W", "A");
    member.method = 1;
    member.data = stream.Finish() + std::string(8, '\0');
    OneArchive zip({member});
    EXPECT_EQ(zip.Extract(), kBadData);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
}

TEST(ImplodedMembers, AMatchBeforeTheStartProducesZeros) {
    // Two trees (4K dictionary, no literal tree), each of 64 six-bit codes:
    // a code is its symbol, sent bit-inverted.
    DeflateWriter stream;
    for (int tree = 0; tree < 2; ++tree) {
        stream.Bits(3, 8);
        for (int i = 0; i < 4; ++i) stream.Bits(0xF5, 8);
    }
    stream.Bits(0, 1);         // a match
    stream.Bits(9, 6);         // low distance bits: distance 10
    stream.Code(~0u & 63, 6);  // distance code 0
    stream.Code(~3u & 63, 6);  // length code 3: 3 + 2 bytes
    stream.Bits(1, 1);         // a literal
    stream.Bits('X', 8);
    const std::string expected = std::string(5, '\0') + "X";
    BuiltMember member = StoredMember("I", expected);
    member.method = 6;
    member.data = stream.Finish();
    OneArchive zip({member});
    ASSERT_EQ(zip.Extract(), kOk);
    EXPECT_EQ(ReadWholeFile(zip.Out()), expected);
}

TEST(FileDates, TheMemberDateIsGivenToTheFile) {
    BuiltMember member = DeflatedMember("D.TXT", "dated");
    member.dosDateTime = 0x4B2A7C20;  // 2017-09-10 15:33:00
    OneArchive zip({member});
    ASSERT_EQ(zip.Extract(), kOk);
    EXPECT_EQ(FileDosDateTime(zip.Out()), 0x4B2A7C20u);
}

TEST(BusyGuard, ASecondExtractionDuringAPumpIsRefused) {
    OneArchive zip({StoredMember("A", PseudoRandomBytes(100000, 2))});
    FakeHost host;
    std::vector<int> nested;
    bool started = false;
    host.onPump = [&] {
        if (started) return;
        started = true;
        nested.push_back(zip.Extract(0, zip.Out("nested")));
    };
    EXPECT_EQ(zip.Extract(), kOk);
    EXPECT_EQ(nested, std::vector<int>{kBusy});
    EXPECT_FALSE(engine::Busy().inUse);
}

TEST(BusyGuard, AFlagLeftFor30SecondsIsOverridden) {
    const std::string content = PseudoRandomBytes(100000, 4);
    OneArchive zip({DeflatedMember("A", content)});
    FakeHost host;
    std::vector<int> nested;
    bool started = false;
    host.onPump = [&] {
        if (started) return;
        started = true;
        host.tick += 30001;
        nested.push_back(zip.Extract(0, zip.Out("nested")));
    };
    ASSERT_EQ(zip.Extract(), kOk);
    EXPECT_EQ(nested, std::vector<int>{kOk});
    EXPECT_TRUE(ReadWholeFile(zip.Out()) == content) << "the overridden extraction still completes";
    EXPECT_TRUE(ReadWholeFile(zip.Out("nested")) == content);
}

TEST(UserAbort, TheEscapeKeyStopsTheMember) {
    OneArchive zip(
        {StoredMember("S", PseudoRandomBytes(100000, 8)), DeflatedMember("D", PseudoRandomBytes(100000, 9))});
    FakeHost host;
    host.heldKey = kEscapeKey;
    EXPECT_EQ(zip.Extract(0, zip.Out(), 0, kEscapeKey), kAborted);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
    EXPECT_EQ(zip.Extract(1, zip.Out(), 0, kEscapeKey), kAborted);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
    host.heldKey = 0;
    EXPECT_EQ(zip.Extract(1, zip.Out(), 0, kEscapeKey), kOk);
}

TEST(UserAbort, TheNotifyWindowSeesPercentagesAndMayStop) {
    OneArchive zip({DeflatedMember("D", PseudoRandomBytes(200000, 10))});
    const NotifyWindow window = 0x1234;
    FakeHost host;
    ASSERT_EQ(zip.Extract(0, zip.Out(), window, 777), kOk);
    EXPECT_EQ(host.lastCommand, 777u);
    ASSERT_GE(host.notifiedPercents.size(), 3u);
    EXPECT_TRUE(std::is_sorted(host.notifiedPercents.begin(), host.notifiedPercents.end()));
    EXPECT_EQ(host.notifiedPercents.back(), 100);

    host.notifyReply = [](uint16_t percent) { return percent >= 20 ? uint16_t{0xFFFF} : percent; };
    EXPECT_EQ(zip.Extract(0, zip.Out(), window, 777), kAborted);
    EXPECT_FALSE(platform::FileExists(zip.Out()));
}

}  // namespace
}  // namespace korven::unzip::test
