#include "copy/written_files.h"

#include <windows.h>

#include <map>
#include <optional>

#include "copy/copy_messages.h"
#include "core/file_crc.h"
#include "core/text.h"
#include "unzip/local_header.h"
#include "unzip/quill_unzip.h"

namespace unzip = korven::unzip;

namespace {

struct DirectoryEntry {
    std::uint32_t size = 0;
    std::uint32_t crc = 0;
    std::uint32_t localHeaderOffset = 0;
};

// The archive's members by their upper-case stored names; of a name stored
// twice the later, which the extraction wrote last.
std::map<std::string, DirectoryEntry> DirectoryOf(const std::string& archive) {
    std::map<std::string, DirectoryEntry> entries;
    unzip::ListArchiveEntries(archive, "*.*", [&entries](const unzip::DirectoryCursor& cursor) {
        entries[UpperAscii(cursor.name)] = {static_cast<std::uint32_t>(cursor.uncompressedSize), cursor.crc32,
                                            static_cast<std::uint32_t>(cursor.localHeaderOffset)};
    });
    return entries;
}

std::optional<std::uint64_t> SizeOnDisk(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The extraction checked the data against the local header's CRC (or the
// descriptor's behind the data): the directory's CRC is the file's only
// when the header states it too.
bool HeaderConfirms(unzip::platform::InputFile& archive, const DirectoryEntry& entry) {
    unzip::LocalHeader header;
    return archive.IsOpen() && unzip::ReadLocalHeader(archive, entry.localHeaderOffset, header) &&
           !header.SizesFollowData() && header.crc32 == entry.crc;
}

}  // namespace

void WrittenFiles::ArchiveStarting(const TCompRecord& component, const std::string& archive,
                                   const std::string& folder) {
    current_ = {component.CompName, archive, WithBackslash(folder), {}};
}

void WrittenFiles::Report(std::int32_t value, const unzip::ReportRecord& record) {
    (void)value;
    switch (record.status) {
    case unzip::kReportMemberStart: memberSkipped_ = false; break;
    case unzip::kReportBlockWritten:
        if (record.method == unzip::kSkippedMethod) memberSkipped_ = true;
        break;
    case unzip::kReportMemberDone: {
        const std::string target = record.name;
        if (memberSkipped_ || target.empty() || target.back() == '\\') break;
        if (!UpperAscii(target).starts_with(UpperAscii(current_.folder))) break;
        Written written = current_;
        written.member = target.substr(current_.folder.size());
        written_.push_back(std::move(written));
        break;
    }
    default: break;
    }
}

std::vector<RecordedFile> WrittenFiles::Recorded() const {
    std::vector<RecordedFile> files;
    std::string archiveRead;
    std::map<std::string, DirectoryEntry> directory;
    unzip::platform::InputFile archive;
    for (const Written& written : written_) {
        if (written.archive != archiveRead) {
            directory = DirectoryOf(written.archive);
            archive.Close();
            archive.Open(written.archive);
            archiveRead = written.archive;
        }
        const std::string path = written.folder + written.member;
        const std::optional<std::uint64_t> size = SizeOnDisk(path);
        if (!size) throw CopyFailure("Nu pot citi fisierul instalat\r" + path);
        RecordedFile file{written.component, written.member, *size, 0};
        const auto entry = directory.find(UpperAscii(written.member));
        if (entry != directory.end() && entry->second.size == *size && HeaderConfirms(archive, entry->second)) {
            file.crc = entry->second.crc;
        } else {
            const std::optional<std::uint32_t> crc = FileCrc32(path);
            if (!crc) throw CopyFailure("Nu pot citi fisierul instalat\r" + path);
            file.crc = *crc;
        }
        files.push_back(std::move(file));
    }
    return files;
}
