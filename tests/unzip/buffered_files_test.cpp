// The seam's buffered files at the edges of their blocks: reads that start,
// end or jump inside and across an input block, reads larger than a block,
// and output written in pieces of every size, across and onto the output
// buffer's end. The bytes are checked against the file written or read by
// other means.
#include <gtest/gtest.h>

#include "test_support.h"
#include "unzip/platform.h"

namespace korven::unzip::test {
namespace {

using platform::kInputBlock;
using platform::kOutputBlock;

// Reads count bytes at offset through the file; what came back.
std::string ReadAt(platform::InputFile& file, uint64_t offset, uint32_t count) {
    std::string bytes(count, '\0');
    EXPECT_TRUE(file.Seek(offset));
    int64_t got = file.Read(bytes.data(), count);
    EXPECT_GE(got, 0);
    bytes.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return bytes;
}

TEST(BufferedInput, ReadsAcrossBlockEdgesGiveTheFileBytes) {
    ScratchFolder scratch;
    const std::string content = PseudoRandomBytes(3 * kInputBlock + 1234, 5);
    WriteWholeFile(scratch.Path("in.bin"), content);
    platform::InputFile file;
    ASSERT_TRUE(file.Open(scratch.Path("in.bin")));
    EXPECT_EQ(file.Size(), static_cast<int64_t>(content.size()));

    // A read that ends exactly on the block's end, then one that starts there.
    EXPECT_EQ(ReadAt(file, 0, kInputBlock), content.substr(0, kInputBlock));
    EXPECT_EQ(ReadAt(file, kInputBlock, 30), content.substr(kInputBlock, 30));
    // A small read straddling a block edge, and a seek back inside the block.
    EXPECT_EQ(ReadAt(file, 2 * kInputBlock - 10, 30), content.substr(2 * kInputBlock - 10, 30));
    EXPECT_EQ(ReadAt(file, 2 * kInputBlock - 20, 15), content.substr(2 * kInputBlock - 20, 15));
    // Far back, then a read larger than a block from an odd offset.
    EXPECT_EQ(ReadAt(file, 7, 4), content.substr(7, 4));
    EXPECT_EQ(ReadAt(file, 100, 2 * kInputBlock + 1), content.substr(100, 2 * kInputBlock + 1));
    // Sequential small reads run on from where the last one ended.
    std::string sequential;
    ASSERT_TRUE(file.Seek(kInputBlock - 5000));
    for (int i = 0; i < 30; ++i) {
        char piece[4096];
        ASSERT_EQ(file.Read(piece, sizeof piece), 4096);
        sequential.append(piece, sizeof piece);
    }
    EXPECT_EQ(sequential, content.substr(kInputBlock - 5000, 30 * 4096));
}

TEST(BufferedInput, TheEndOfTheFileGivesShortReadsThenNothing) {
    ScratchFolder scratch;
    const std::string content = PseudoRandomBytes(kInputBlock + 100, 6);
    WriteWholeFile(scratch.Path("in.bin"), content);
    platform::InputFile file;
    ASSERT_TRUE(file.Open(scratch.Path("in.bin")));
    EXPECT_EQ(ReadAt(file, content.size() - 60, 4096), content.substr(content.size() - 60));
    EXPECT_EQ(ReadAt(file, content.size(), 4096), "");
    EXPECT_EQ(ReadAt(file, content.size() + 5000, 10), "");
    EXPECT_EQ(ReadAt(file, 0, 2 * kInputBlock), content) << "a large read stops at the end";
}

TEST(BufferedInput, AReopenedFileIsReadAfresh) {
    ScratchFolder scratch;
    WriteWholeFile(scratch.Path("a.bin"), "first file");
    WriteWholeFile(scratch.Path("b.bin"), "other bytes");
    platform::InputFile file;
    ASSERT_TRUE(file.Open(scratch.Path("a.bin")));
    EXPECT_EQ(ReadAt(file, 0, 5), "first");
    ASSERT_TRUE(file.Open(scratch.Path("b.bin")));
    EXPECT_EQ(ReadAt(file, 0, 5), "other") << "nothing of the first file's block is left";
    file.Close();
    char byte;
    EXPECT_EQ(file.Read(&byte, 1), -1);
}

TEST(BufferedOutput, PiecesOfEverySizeLandInOrder) {
    ScratchFolder scratch;
    // Small pieces that fill the buffer unevenly, one that ends exactly on the
    // buffer's end, one larger than the buffer, and a last short one.
    std::string expected;
    platform::OutputFile file;
    ASSERT_EQ(file.Create(scratch.Path("out.bin")), platform::CreateResult::kCreated);
    uint32_t seed = 1;
    auto put = [&](size_t size) {
        const std::string piece = PseudoRandomBytes(size, seed++);
        expected += piece;
        ASSERT_TRUE(file.Write(piece.data(), static_cast<uint32_t>(piece.size())));
    };
    for (size_t size : {1, 767, 0, 32768, 4000}) put(size);
    put(kOutputBlock - expected.size());  // the buffer now full to its last byte
    put(32768);
    put(3 * kOutputBlock + 17);
    put(767);
    EXPECT_LE(file.Committed(), expected.size());
    ASSERT_TRUE(file.Close());
    EXPECT_TRUE(ReadWholeFile(scratch.Path("out.bin")) == expected);
}

TEST(BufferedOutput, FlushHandsEverythingOnAndASmallBufferStillTakesLargeWrites) {
    ScratchFolder scratch;
    platform::OutputFile file;
    // A file expected to stay small gets a small buffer; writing more than
    // that is still whole.
    ASSERT_EQ(file.Create(scratch.Path("small.bin"), 10), platform::CreateResult::kCreated);
    const std::string content = PseudoRandomBytes(100000, 9);
    ASSERT_TRUE(file.Write(content.data(), 6));
    EXPECT_EQ(file.Committed(), 0u);
    ASSERT_TRUE(file.Write(content.data() + 6, static_cast<uint32_t>(content.size() - 6)));
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(file.Committed(), content.size()) << "all handed to the system before the close";
    ASSERT_TRUE(file.Close());
    EXPECT_TRUE(ReadWholeFile(scratch.Path("small.bin")) == content);

    platform::OutputFile empty;
    ASSERT_EQ(empty.Create(scratch.Path("empty.bin"), 0), platform::CreateResult::kCreated);
    ASSERT_TRUE(empty.Write("abc", 3));
    ASSERT_TRUE(empty.Close());
    EXPECT_EQ(ReadWholeFile(scratch.Path("empty.bin")), "abc");
}

TEST(BufferedOutput, TheDateIsSetThroughTheOpenFileAfterItsBytes) {
    ScratchFolder scratch;
    platform::OutputFile file;
    ASSERT_EQ(file.Create(scratch.Path("dated.bin")), platform::CreateResult::kCreated);
    const std::string content = PseudoRandomBytes(5000, 3);
    ASSERT_TRUE(file.Write(content.data(), static_cast<uint32_t>(content.size())));
    const uint32_t dosDateTime = 0x3A5C6B20;  // 2009-02-28 13:25:00
    ASSERT_TRUE(file.SetDosDateTime(dosDateTime));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(FileDosDateTime(scratch.Path("dated.bin")), dosDateTime) << "no later write moved the date";
    EXPECT_TRUE(ReadWholeFile(scratch.Path("dated.bin")) == content);
}

}  // namespace
}  // namespace korven::unzip::test
