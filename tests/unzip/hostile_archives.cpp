#include "hostile_archives.h"

#include "test_support.h"
#include "zip_builder.h"

namespace korven::unzip::test {
namespace {

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint32_t kLocalHeaderSize = 30;

BuiltMember Good() { return StoredMember("GOOD.TXT", "good"); }

// Where the member after `member` begins, when `member` begins at `offset`.
uint32_t After(const BuiltMember& member, uint32_t offset) {
    return offset + kLocalHeaderSize +
           static_cast<uint32_t>(member.name.size() + member.extra.size() + member.data.size() +
                                 member.descriptor.size());
}

// 4,096 characters, more than any platform's full path, in folders of 49
// characters: cut anywhere, what is left is a name that can be written.
std::string LongNameInFolders() {
    std::string name;
    for (int folder = 0; name.size() < 4040; ++folder) {
        name += std::string(49, static_cast<char>('a' + folder % 26)) + "/";
    }
    return name + std::string(4096 - name.size(), 'f');
}

// GOOD.TXT, the member given, AFTER.TXT.
std::string Between(const BuiltMember& bad) {
    return ZipBuilder().Add(Good()).Add(bad).Add(StoredMember("AFTER.TXT", "after")).Build();
}

std::string ClimbingEncrypted() {
    BuiltMember member = StoredMember("../victim.txt", "evil");
    member.flags = kFlagEncrypted;
    member.method = 99;
    return Between(member);
}

// A member whose data holds far more than its headers declare; the CRC is
// that of all of it, so that only the declared size gives it away.
BuiltMember Overrunning(BuiltMember member) {
    member.uncompressedSize = kOverrunDeclared;
    return member;
}

// GOOD.TXT, then a megabyte of zeros whose local header every following
// directory entry points at as well.
std::string OverlapSameHeader() {
    ZipBuilder builder;
    BuiltMember kernel = DeflatedMember("B00.DAT", std::string(kKernelSize, '\0'));
    builder.Add(Good()).Add(kernel);
    for (unsigned i = 1; i < kOverlappingEntries; ++i) {
        BuiltMember alias = kernel;
        alias.name = (i < 10 ? "B0" : "B") + std::to_string(i) + ".DAT";
        builder.Entry(alias, After(Good(), 0));
    }
    return builder.Build();
}

// GOOD.TXT, then OUTER.DAT, a stored member whose data is a whole member
// (INNER.DAT, a megabyte of zeros) that has a directory entry of its own.
std::string OverlapNested() {
    BuiltMember inner = DeflatedMember("INNER.DAT", std::string(kKernelSize, '\0'));
    std::string innerBytes = ZipBuilder().Add(inner).Build();
    innerBytes.resize(After(inner, 0));  // its local header and data only
    BuiltMember outer = StoredMember("OUTER.DAT", innerBytes);
    const uint32_t outerOffset = After(Good(), 0);
    const uint32_t innerOffset = outerOffset + kLocalHeaderSize + static_cast<uint32_t>(outer.name.size());
    return ZipBuilder().Add(Good()).Add(outer).Entry(inner, innerOffset).Build();
}

std::string TwoGoodMembers() {
    return ZipBuilder().Add(Good()).Add(DeflatedMember("SECOND.TXT", std::string(500, 's'))).Build();
}

// The directory offset of the end record moved seven bytes on.
std::string BadDirectoryOffset() {
    std::string bytes = TwoGoodMembers();
    const size_t offsetField = bytes.size() - 22 + 16;
    bytes[offsetField] = static_cast<char>(bytes[offsetField] + 7);
    return bytes;
}

// The second directory entry's signature broken: the walk reads one entry.
std::string CutDirectory() {
    ZipBuilder builder;
    builder.Add(Good()).Add(DeflatedMember("SECOND.TXT", std::string(500, 's')));
    std::string bytes = builder.Build();
    const size_t secondEntry = builder.directoryOffset + 46 + Good().name.size();
    bytes[secondEntry + 2] = 'X';
    return bytes;
}

// A dynamic deflate header whose code lengths run past their count with a
// repeat code 17: the decoder's result 1, which ends the walk unreported.
// HLIT 257, HDIST 1; code-length code: 0, 16, 17 and 18 of two bits each;
// 257 zeros from two runs of code 18, then code 17 with 3 more.
std::string TooManyCodes() {
    BuiltMember member = DeflatedMember("BAD.DAT", "x");
    member.data = CodeLengthRunPastTheCount(2, 2, 0, 3);  // 17: three zeros, two past the count
    return Between(member);
}

}  // namespace

std::vector<WindowsNameCase> WindowsNameCases() {
    return {
        {"windows_name_nul.zip", "NUL"},
        {"windows_name_con_txt.zip", "con.txt"},
        {"windows_name_aux_in_folder.zip", "SUB/Aux"},
        {"windows_name_prn_folder.zip", "PRN/FILE.TXT"},
        {"windows_name_com1_log.zip", "COM1.log.gz"},
        {"windows_name_lpt9.zip", "lpt9"},
        {"windows_name_conin.zip", "CONIN$"},
        {"windows_name_conout_ext.zip", "conout$.dat"},
        {"windows_name_stream.zip", "FILE.TXT:hidden"},
        {"windows_name_trailing_dot.zip", "FILE.TXT."},
        {"windows_name_trailing_blank.zip", "FILE.TXT "},
        {"windows_name_folder_dot.zip", "SUB./FILE.TXT"},
    };
}

std::vector<HostileArchive> HostileArchives() {
    std::vector<HostileArchive> archives = {
        {"climb_question.zip", Between(StoredMember("../victim.txt", "evil"))},
        {"climb_encrypted.zip", ClimbingEncrypted()},
        {"name_4096.zip", Between(StoredMember(LongNameInFolders(), "long"))},
        // Cut at 259 characters, this name would end in a separator.
        {"name_cut_on_separator.zip",
         Between(StoredMember(std::string(200, 'd') + "/" + std::string(57, 'e') + "/data.txt", "data"))},
        {"name_nul_inside.zip", Between(StoredMember(std::string("evil\0.txt", 9), "evil"))},
        {"name_nul_first.zip", Between(StoredMember(std::string("\0hidden.txt", 11), "hidden"))},
        {"name_empty.zip", Between(StoredMember("", "nameless"))},
        {"through_folder_link.zip", Between(StoredMember("LINKED/OUT.TXT", "redirected"))},
        {"onto_file_link.zip", Between(StoredMember("OUT.TXT", "redirected"))},
        {"overrun_stored.zip", Between(Overrunning(StoredMember("BIG.DAT", std::string(1000, 'A'))))},
        {"overrun_deflated.zip", Between(Overrunning(DeflatedMember("BIG.DAT", std::string(kOverrunActual, 'A'))))},
        {"overrun_streamed.zip",
         Between(Overrunning(StreamedMember("BIG.DAT", std::string(kOverrunActual, 'A'), true)))},
        {"overlap_same_header.zip", OverlapSameHeader()},
        {"overlap_nested.zip", OverlapNested()},
        {"truncated_by_1.zip", TwoGoodMembers().substr(0, TwoGoodMembers().size() - 1)},
        {"truncated_in_directory.zip", TwoGoodMembers().substr(0, TwoGoodMembers().size() - 40)},
        {"bad_directory_offset.zip", BadDirectoryOffset()},
        {"cut_directory.zip", CutDirectory()},
        {"deflate_too_many_codes.zip", TooManyCodes()},
    };
    for (const WindowsNameCase& c : WindowsNameCases()) {
        archives.push_back({c.file, Between(StoredMember(c.storedName, "device"))});
    }
    return archives;
}

std::string HostilePath(const std::string& file) {
#ifdef _WIN32
    return CorpusPath("hostile\\" + file);
#else
    return CorpusPath("hostile/" + file);
#endif
}

}  // namespace korven::unzip::test
