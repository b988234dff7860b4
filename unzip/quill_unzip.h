// The unzip component: how the rest of the installer extracts archives.
// TQuillUnzip carries the archive, the target folder and the member pattern;
// beneath it the archive-level operations walk the directory, extract the
// matching members through the engine (zip_engine.h) and report every step
// through the shared ReportRecord.
//
// Shows nothing: failures reach the caller as results and reports.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "unzip/zip_engine.h"
#include "unzip/zip_types.h"

namespace korven::unzip {

// What an archive operation found in the directory, beside the count it
// returns: with it a caller tells a damaged archive (directory unreadable or
// cut short, members not extracted) from an empty or a whole one.
struct DirectoryFindings {
    DirectoryState state = DirectoryState::kUnreadable;
    int32_t matching = 0;  // members matching the pattern, in all of the directory that could be read
};

// Number of members extracted, kMissingArgument, kNotZipArchive or kStopped.
// Before anything is written the whole directory is looked over: members
// whose stored data overlap another's fail as damaged (kCrcMismatch). A
// member's name is checked before anything else about it: an unsafe name,
// or a link already in the target folder on its way, fails it with
// kCannotWrite, and no question is asked.
int32_t ExtractArchive(const std::string& archivePath, const std::string& targetFolder, const std::string& pattern,
                       const ReportProc& report, const QuestionFunc& question, DirectoryFindings* findings = nullptr);

// Reports every member that matches the pattern (first argument 0, name as
// stored), then the totals; returns the number of matching members, or
// kMissingArgument / kNotZipArchive. Writes nothing.
int32_t ListArchive(const std::string& archivePath, const std::string& pattern, const ReportProc& report,
                    DirectoryFindings* findings = nullptr);

// The same walk as ListArchive, handing each matching entry's full directory
// record to `visit` (for tools that show flags and CRCs). Same results.
int32_t ListArchiveEntries(const std::string& archivePath, const std::string& pattern,
                           const std::function<void(const DirectoryCursor&)>& visit,
                           DirectoryFindings* findings = nullptr);

// Sum of the uncompressed sizes of all members (returned) and of their
// compressed sizes. A file that is not an archive counts its own size for
// both; a file that cannot be opened counts 0.
int32_t ArchiveContentSize(const std::string& archivePath, int32_t& compressedTotal);

// One pattern ("*.*", "*.DBF", "PROG*", "ABC.*", or a whole name), compared
// without regard to case; "?" has no meaning.
bool MatchesFileSpec(const std::string& pattern, const std::string& name);

class TQuillUnzip {
public:
    TQuillUnzip();
    virtual ~TQuillUnzip();
    TQuillUnzip(const TQuillUnzip&) = delete;
    TQuillUnzip& operator=(const TQuillUnzip&) = delete;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    const std::string& DirectoryName() const { return directoryName_; }
    void SetDirectoryName(const std::string& value) { directoryName_ = value; }
    const std::string& FileSpecs() const { return fileSpecs_; }
    void SetFileSpecs(const std::string& value) { fileSpecs_ = value; }

    void SetReportProc(ReportProc report) { report_ = std::move(report); }
    void SetQuestionFunc(QuestionFunc question) { question_ = std::move(question); }

    // Compressed total found by the last ContentSize.
    int32_t CompressedTotal() const { return compressedTotal_; }
    // Members of the archive that the last Extract or ListContents found
    // matching FileSpecs (compare with Extract's count), and how much of the
    // directory it could read.
    int32_t MatchingMembers() const { return findings_.matching; }
    DirectoryState Directory() const { return findings_.state; }

    // ExtractArchive with the current properties; kMissingArgument without a
    // file name or a target folder.
    virtual int32_t Extract();
    // ListArchive; kMissingArgument without a file name or a report callback.
    virtual int32_t ListContents();
    // ArchiveContentSize; keeps the compressed total in CompressedTotal.
    virtual int32_t ContentSize();

private:
    std::string fileName_;
    std::string directoryName_;
    std::string fileSpecs_ = "*.*";
    ReportProc report_;
    QuestionFunc question_;
    int32_t compressedTotal_ = 0;
    DirectoryFindings findings_;
};

}  // namespace korven::unzip
