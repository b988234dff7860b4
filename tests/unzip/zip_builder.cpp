#include "zip_builder.h"

#include <fstream>

#include "unzip/decode/crc32.h"

namespace korven::unzip::test {
namespace {

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

struct LengthCode {
    unsigned symbol, base, extra;
};

LengthCode ForLength(unsigned length) {
    if (length == 258) return {285, 258, 0};
    unsigned base = 3;
    for (unsigned code = 0; code < 28; ++code) {
        unsigned extra = code < 8 ? 0 : (code - 4) / 4;
        if (length < base + (1u << extra)) return {257 + code, base, extra};
        base += 1u << extra;
    }
    return {285, 258, 0};
}

LengthCode ForDistance(unsigned distance) {
    unsigned base = 1;
    for (unsigned code = 0; code < 30; ++code) {
        unsigned extra = code < 4 ? 0 : (code - 2) / 2;
        if (distance < base + (1u << extra)) return {code, base, extra};
        base += 1u << extra;
    }
    return {29, 24577, 13};
}

}  // namespace

uint32_t Crc32Of(const std::string& bytes) {
    return ~Crc32Update(kCrc32Start, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void DeflateWriter::Bits(uint32_t value, unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
        pending_ |= ((value >> i) & 1u) << pendingBits_;
        if (++pendingBits_ == 8) {
            out_ += static_cast<char>(pending_);
            pending_ = 0;
            pendingBits_ = 0;
        }
    }
}

void DeflateWriter::Code(uint32_t code, unsigned length) {
    for (unsigned i = length; i-- > 0;) Bits((code >> i) & 1u, 1);
}

void DeflateWriter::FixedBlockHeader(bool last) {
    Bits(last ? 1 : 0, 1);
    Bits(1, 2);
}

void DeflateWriter::FixedSymbol(unsigned symbol) {
    if (symbol < 144) {
        Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        Code(symbol - 256, 7);
    } else {
        Code(0xC0 + symbol - 280, 8);
    }
}

void DeflateWriter::FixedLiteral(uint8_t byte) { FixedSymbol(byte); }

void DeflateWriter::FixedMatch(unsigned length, unsigned distance) {
    LengthCode l = ForLength(length);
    FixedSymbol(l.symbol);
    Bits(length - l.base, l.extra);
    LengthCode d = ForDistance(distance);
    Code(d.symbol, 5);
    Bits(distance - d.base, d.extra);
}

void DeflateWriter::StoredBlock(const std::string& bytes, bool last) {
    Bits(last ? 1 : 0, 1);
    Bits(0, 2);
    AlignToByte();
    Bits(static_cast<uint32_t>(bytes.size()), 16);
    Bits(~static_cast<uint32_t>(bytes.size()) & 0xFFFF, 16);
    for (char c : bytes) Bits(static_cast<uint8_t>(c), 8);
}

void DeflateWriter::AlignToByte() {
    if (pendingBits_ > 0) Bits(0, 8 - pendingBits_);
}

std::string DeflateWriter::Finish() {
    AlignToByte();
    return out_;
}

std::string DeflateFixed(const std::string& content) {
    DeflateWriter writer;
    writer.FixedBlockHeader(true);
    size_t i = 0;
    while (i < content.size()) {
        writer.FixedLiteral(static_cast<uint8_t>(content[i]));
        size_t run = 0;
        while (i + 1 + run < content.size() && content[i + 1 + run] == content[i] && run < 258) ++run;
        ++i;
        if (run >= 3) {
            writer.FixedMatch(static_cast<unsigned>(run), 1);
            i += run;
        }
    }
    writer.FixedEnd();
    return writer.Finish();
}

BuiltMember StoredMember(const std::string& name, const std::string& content) {
    BuiltMember member;
    member.name = name;
    member.data = content;
    member.crc32 = Crc32Of(content);
    member.uncompressedSize = static_cast<uint32_t>(content.size());
    return member;
}

BuiltMember DeflatedMember(const std::string& name, const std::string& content) {
    BuiltMember member = StoredMember(name, content);
    member.method = 8;
    member.data = DeflateFixed(content);
    return member;
}

BuiltMember StreamedMember(const std::string& name, const std::string& content, bool withSignature) {
    BuiltMember member = DeflatedMember(name, content);
    member.flags |= 0x0008;
    if (withSignature) Put32(member.descriptor, 0x08074B50);
    Put32(member.descriptor, member.crc32);
    Put32(member.descriptor, static_cast<uint32_t>(member.data.size()));
    Put32(member.descriptor, member.uncompressedSize);
    return member;
}

ZipBuilder& ZipBuilder::Add(const BuiltMember& member) {
    members_.push_back(member);
    return *this;
}

ZipBuilder& ZipBuilder::Entry(const BuiltMember& member, uint32_t localHeaderOffset) {
    entries_.emplace_back(member, localHeaderOffset);
    return *this;
}

ZipBuilder& ZipBuilder::Comment(const std::string& comment) {
    comment_ = comment;
    return *this;
}

ZipBuilder& ZipBuilder::Preamble(const std::string& bytes) {
    preamble_ = bytes;
    return *this;
}

std::string ZipBuilder::Build() const {
    std::string out = preamble_;
    std::vector<uint32_t> offsets;
    for (const BuiltMember& m : members_) {
        offsets.push_back(static_cast<uint32_t>(out.size()));
        bool streamed = (m.flags & 0x0008) != 0;
        Put32(out, 0x04034B50);
        Put16(out, 20);
        Put16(out, m.flags);
        Put16(out, m.method);
        Put32(out, m.dosDateTime);
        Put32(out, streamed ? 0 : m.crc32);
        Put32(out, streamed ? 0 : static_cast<uint32_t>(m.data.size()));
        Put32(out, streamed ? 0 : m.uncompressedSize);
        Put16(out, static_cast<uint32_t>(m.name.size()));
        Put16(out, static_cast<uint32_t>(m.extra.size()));
        out += m.name + m.extra + m.data + m.descriptor;
    }
    directoryOffset = static_cast<uint32_t>(out.size());
    std::vector<std::pair<BuiltMember, uint32_t>> directory;
    for (size_t i = 0; i < members_.size(); ++i) directory.emplace_back(members_[i], offsets[i]);
    directory.insert(directory.end(), entries_.begin(), entries_.end());
    for (const auto& [m, offset] : directory) {
        Put32(out, 0x02014B50);
        out += static_cast<char>(20);
        out += static_cast<char>(m.hostSystem);
        Put16(out, 20);
        Put16(out, m.flags);
        Put16(out, m.method);
        Put32(out, m.dosDateTime);
        Put32(out, m.crc32);
        Put32(out, static_cast<uint32_t>(m.data.size()));
        Put32(out, m.uncompressedSize);
        Put16(out, static_cast<uint32_t>(m.name.size()));
        Put16(out, static_cast<uint32_t>(m.extra.size()));
        Put16(out, 0);  // comment
        Put16(out, 0);  // disk
        Put16(out, 0);  // internal attributes
        Put32(out, m.attributes);
        Put32(out, offset);
        out += m.name + m.extra;
    }
    uint32_t directorySize = static_cast<uint32_t>(out.size()) - directoryOffset;
    Put32(out, 0x06054B50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(directory.size()));
    Put16(out, static_cast<uint32_t>(directory.size()));
    Put32(out, directorySize);
    Put32(out, directoryOffset);
    Put16(out, static_cast<uint32_t>(comment_.size()));
    out += comment_;
    return out;
}

void ZipBuilder::WriteTo(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    std::string bytes = Build();
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string CodeLengthRunPastTheCount(unsigned lastCode, unsigned lastLength, unsigned extra, unsigned extraBits) {
    DeflateWriter stream;
    stream.Bits(1, 1);
    stream.Bits(2, 2);
    stream.Bits(0, 5);
    stream.Bits(0, 5);
    stream.Bits(0, 4);
    for (int i = 0; i < 4; ++i) stream.Bits(2, 3);
    stream.Code(3, 2);
    stream.Bits(127, 7);  // 138 zeros
    stream.Code(3, 2);
    stream.Bits(108, 7);  // 119 zeros: 257 of 258
    stream.Code(lastCode, lastLength);
    stream.Bits(extra, extraBits);
    return stream.Finish() + std::string(4, '\0');
}

}  // namespace korven::unzip::test
