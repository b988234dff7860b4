// Hand-made archives and deflate streams for the edge cases that no ZIP
// program would write on request: odd headers, bit-3 descriptors, broken
// codes, exact window sizes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace korven::unzip::test {

uint32_t Crc32Of(const std::string& bytes);

// Deflate streams written bit by bit, least significant bit first.
class DeflateWriter {
public:
    void Bits(uint32_t value, unsigned count);
    // Huffman codes go most significant bit first.
    void Code(uint32_t code, unsigned length);
    void FixedBlockHeader(bool last);
    void FixedLiteral(uint8_t byte);
    void FixedSymbol(unsigned symbol);  // any literal/length symbol, 0 to 287
    void FixedMatch(unsigned length, unsigned distance);
    void FixedEnd() { FixedSymbol(256); }
    void StoredBlock(const std::string& bytes, bool last);
    void AlignToByte();
    std::string Finish();

private:
    std::string out_;
    uint32_t pending_ = 0;
    unsigned pendingBits_ = 0;
};

// A dynamic header with HLIT 257 and HDIST 1 (258 lengths) whose code-length
// code gives 0, 16, 17 and 18 two bits each (codes 00, 01, 10, 11), then 257
// zeros from two runs of code 18, then `last` (a run that overshoots): a
// damaged stream, with four zero bytes after it.
std::string CodeLengthRunPastTheCount(unsigned lastCode, unsigned lastLength, unsigned extra, unsigned extraBits);

// Fixed-code deflate of `content`: runs of a repeated byte become distance-1
// matches, everything else literals.
std::string DeflateFixed(const std::string& content);

struct BuiltMember {
    std::string name;
    std::string data;  // as stored in the archive
    uint16_t method = 0;
    uint16_t flags = 0;
    uint32_t crc32 = 0;
    uint32_t uncompressedSize = 0;
    uint32_t dosDateTime = 0x5A8C6000;  // 2025-04-12 12:00:00
    uint8_t hostSystem = 0;             // MS-DOS
    uint32_t attributes = 0x20;         // external attributes: the archive bit
    std::string descriptor;             // written after the data (flag bit 3)
    std::string extra;                  // extra field, in both headers
};

BuiltMember StoredMember(const std::string& name, const std::string& content);
BuiltMember DeflatedMember(const std::string& name, const std::string& content);
// A deflated member whose sizes and CRC follow the data, the descriptor
// with or without its optional signature.
BuiltMember StreamedMember(const std::string& name, const std::string& content, bool withSignature);

class ZipBuilder {
public:
    ZipBuilder& Add(const BuiltMember& member);
    // A directory entry alone, after those of the added members, for a local
    // header at `localHeaderOffset`: an earlier member's, or one hidden in
    // another member's data.
    ZipBuilder& Entry(const BuiltMember& member, uint32_t localHeaderOffset);
    ZipBuilder& Comment(const std::string& comment);
    // Bytes placed before the first local header.
    ZipBuilder& Preamble(const std::string& bytes);
    std::string Build() const;
    void WriteTo(const std::string& path) const;
    // Offset of the central directory in the last Build.
    mutable uint32_t directoryOffset = 0;

private:
    std::vector<BuiltMember> members_;
    std::vector<std::pair<BuiltMember, uint32_t>> entries_;
    std::string comment_;
    std::string preamble_;
};

}  // namespace korven::unzip::test
