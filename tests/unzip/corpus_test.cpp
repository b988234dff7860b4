// Every member of the corpus (archives from PKZIP for DOS, hwzip, Info-ZIP,
// 7-Zip and others) read from the directory as the manifest lists it and
// extracted with the manifest's SHA-256, or refused with the documented code.
#include <algorithm>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "sha256.h"
#include "test_support.h"
#include "unzip/zip_engine.h"

namespace korven::unzip::test {
namespace {

bool IsRefusedMethod(int method) { return (method >= 2 && method <= 5) || method == 9 || method == 12 || method == 14; }

std::vector<std::string> CorpusArchives() {
    std::set<std::string> names;
    for (const ManifestRow& row : ReadManifest()) names.insert(row.archive);
    return {names.begin(), names.end()};
}

std::string StoredForm(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

class CorpusArchive : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusArchive, EveryMemberBehavesAsTheManifestSays) {
    std::map<std::string, ManifestRow> rows;
    for (const ManifestRow& row : ReadManifest()) {
        if (row.archive == GetParam()) rows[row.member] = row;
    }
    ASSERT_FALSE(rows.empty());
    const std::string archive = CorpusPath(GetParam());
    ASSERT_TRUE(IsZipArchive(archive));

    ScratchFolder scratch;
    DirectoryCursor cursor;
    int walk = OpenDirectory(archive, cursor);
    ASSERT_EQ(walk, kOk);
    size_t seen = 0;
    for (; walk == kOk; walk = NextDirectoryEntry(cursor), ++seen) {
        auto found = rows.find(StoredForm(cursor.name));
        ASSERT_NE(found, rows.end()) << cursor.name;
        const ManifestRow& row = found->second;
        SCOPED_TRACE(row.member);
        EXPECT_EQ(cursor.method, row.method);
        EXPECT_EQ(cursor.flags, row.flags);
        EXPECT_EQ(static_cast<uint32_t>(cursor.compressedSize), row.compressedSize);
        EXPECT_EQ(static_cast<uint32_t>(cursor.uncompressedSize), row.uncompressedSize);
        EXPECT_EQ(cursor.crc32, row.crc32);

        const bool isFolder = row.member.back() == '/';
        const std::string target = scratch.Path("m" + std::to_string(seen)) + (isFolder ? "\\" : "");
        const int result = ExtractMember(archive, target, static_cast<uint32_t>(cursor.localHeaderOffset), 0, 0);
        const bool streamed = (row.flags & 0x8) != 0;

        if (IsRefusedMethod(row.method)) {
            EXPECT_EQ(result, kUnsupported);
        } else if (row.flags & 0x1) {
            EXPECT_EQ(result, kEncrypted);
        } else if (streamed && row.method == 1) {
            EXPECT_EQ(result, kUnsupported) << "a shrunk member with trailing sizes is refused";
        } else if (streamed && (row.method == 0 || row.method == 6)) {
            // Stored and imploded data carry no end mark: with the sizes behind
            // the data the engine reads on and fails.
            EXPECT_TRUE(result == kReadFailed || result == kBadData) << result;
        } else {
            ASSERT_EQ(result, kOk);
            if (isFolder) {
                EXPECT_TRUE(platform::FolderExists(scratch.Path("m" + std::to_string(seen))));
            } else {
                EXPECT_EQ(Sha256OfFile(target), row.sha256);
            }
            continue;
        }
        EXPECT_FALSE(platform::FileExists(target)) << "a failed member leaves no file";
    }
    EXPECT_EQ(walk, kDirectoryEnd);
    EXPECT_EQ(seen, rows.size());
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusArchive, ::testing::ValuesIn(CorpusArchives()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             for (char& c : name) {
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace korven::unzip::test
