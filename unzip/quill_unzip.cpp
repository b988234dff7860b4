#include "unzip/quill_unzip.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "unzip/directory_survey.h"
#include "unzip/engine_state.h"
#include "unzip/member_path.h"
#include "unzip/platform.h"

namespace korven::unzip {
namespace {

// Makes a report callback the engine's active one for one archive, and puts
// back the one before it (an extraction started from a callback ends first).
class ActiveReportScope {
public:
    explicit ActiveReportScope(const ReportProc& report) : previous_(engine::ActiveReport()) {
        engine::ActiveReport() = &report;
    }
    ~ActiveReportScope() { engine::ActiveReport() = previous_; }
    ActiveReportScope(const ActiveReportScope&) = delete;
    ActiveReportScope& operator=(const ActiveReportScope&) = delete;

private:
    const ReportProc* previous_;
};

// A report callback, or nothing when none was given.
void Report(const ReportProc& report, int32_t argument, const ReportRecord& record) {
    if (report) report(argument, record);
}

void SetName(ReportRecord& record, const std::string& name) {
    size_t kept = std::min<size_t>(name.size(), kReportNameSize - 1);
    std::memcpy(record.name, name.data(), kept);
    record.name[kept] = '\0';
}

// 100 minus the compressed share in percent, rounded half to even, kept to
// its low byte as the 8-bit field always did (a member that grew gives more
// than 200). Absurd sizes from a damaged directory stay defined.
uint8_t Saving(int32_t compressed, int32_t uncompressed) {
    if (uncompressed == 0) return 0;
    double share = std::nearbyint(static_cast<double>(compressed) / uncompressed * 100.0);
    if (!(share > -1e9 && share < 1e9)) return 0;
    return static_cast<uint8_t>(static_cast<int64_t>(100 - share) & 0xFF);
}

// Totals are 32-bit like the record's fields; they wrap rather than overflow.
void AddToTotal(int32_t& total, int32_t size) {
    total = static_cast<int32_t>(static_cast<uint32_t>(total) + static_cast<uint32_t>(size));
}

void FillMember(ReportRecord& record, const DirectoryCursor& cursor, const std::string& name) {
    record.dateTime = static_cast<int32_t>(cursor.dateTime);
    record.uncompressedSize = cursor.uncompressedSize;
    record.compressedSize = cursor.compressedSize;
    SetName(record, name);
    record.method = static_cast<int16_t>(cursor.method);
    record.attributes = cursor.attributes;
    record.saving = Saving(cursor.compressedSize, cursor.uncompressedSize);
}

void FillFinal(ReportRecord& record, const std::string& archivePath, int32_t uncompressedTotal,
               int32_t compressedTotal) {
    record.dateTime = -1;
    record.attributes = -1;
    record.method = 0;
    record.uncompressedSize = uncompressedTotal;
    record.compressedSize = compressedTotal;
    SetName(record, archivePath);
    record.saving = Saving(compressedTotal, uncompressedTotal);
    record.status = kReportArchiveEnd;
}

bool EndsMemberWalk(int result) {
    return result == kCrcMismatch || result == kCannotWrite || result == kUnsupported || result == kEncrypted;
}

bool StopsExtraction(int result) {
    return result == kReadFailed || result == kBadData || result == kAborted || result == kBusy ||
           result == kEndRecordTooEarly || result == kNoDirectory;
}

}  // namespace

int32_t ExtractArchive(const std::string& archivePath, const std::string& targetFolder, const std::string& pattern,
                       const ReportProc& report, const QuestionFunc& question, DirectoryFindings* findings) {
    if (findings) *findings = DirectoryFindings{};
    if (archivePath.empty() || targetFolder.empty()) return kMissingArgument;
    std::string folder = targetFolder;
    if (folder.back() != '\\') folder += '\\';
    if (!IsZipArchive(archivePath)) return kNotZipArchive;

    ReportRecord& record = engine::SharedRecord();
    record = ReportRecord{};
    if (report) {
        SetName(record, archivePath);
        record.uncompressedSize = ArchiveContentSize(archivePath, record.compressedSize);
        record.saving = Saving(record.compressedSize, record.uncompressedSize);
        record.status = kReportArchiveStart;
        report(kReportArchiveStart, record);
    }
    ActiveReportScope active(report);

    const DirectorySurvey survey = SurveyDirectory(archivePath, pattern);
    if (findings) *findings = {survey.state, survey.matching};
    int32_t extracted = 0;
    int32_t uncompressedTotal = 0;
    int32_t compressedTotal = 0;
    // One open for all the members; one that fails is met by the first
    // member's extraction, as a member's own open would be.
    platform::InputFile archive;
    archive.Open(archivePath);
    DirectoryCursor cursor;
    for (int walk = OpenDirectory(archivePath, cursor); walk == kOk; walk = NextDirectoryEntry(cursor)) {
        const uint32_t entry = cursor.entriesRead - 1;
        if (!MatchesFileSpec(pattern, cursor.name)) continue;
        AddToTotal(uncompressedTotal, cursor.uncompressedSize);
        AddToTotal(compressedTotal, cursor.compressedSize);
        std::string target = folder + cursor.name;
        FillMember(record, cursor, target);
        record.status = kReportMemberStart;
        Report(report, kReportMemberStart, record);

        int result;
        const bool safeName = IsSafeMemberName(cursor.name);
        const platform::PathKind place =
            safeName ? WhatIsAtMemberPath(folder, cursor.name) : platform::PathKind::kNothing;
        if (!safeName || place == platform::PathKind::kLink) {
            result = kCannotWrite;  // it would land elsewhere than its place in the target folder
        } else if (target.size() > platform::LongestPath()) {
            result = kCannotWrite;  // refused before any of its folders is made
        } else if (entry >= survey.overlapping.size() || survey.overlapping[entry]) {
            result = kCrcMismatch;  // its data is another member's too (or the archive changed under us)
        } else if (question && place == platform::PathKind::kFile && !question(record)) {
            record.status = kReportBlockWritten;
            record.method = kSkippedMethod;
            Report(report, record.uncompressedSize, record);
            result = kOk;
        } else {
            result = ExtractMember(archive, target, static_cast<uint32_t>(cursor.localHeaderOffset), 0, kEscapeKey,
                                   static_cast<uint32_t>(cursor.uncompressedSize));
        }

        if (result == kOk) {
            ++extracted;
            record.status = kReportMemberDone;
            Report(report, kReportMemberDone, record);
            continue;
        }
        record.status = kReportMemberFailed;
        if (EndsMemberWalk(result)) {
            Report(report, result, record);
        } else if (StopsExtraction(result)) {
            record.status = kReportStopped;
            Report(report, kReportStopped, record);
            return kStopped;
        }
        break;
    }
    CloseDirectory(cursor);

    FillFinal(record, archivePath, uncompressedTotal, compressedTotal);
    Report(report, kReportArchiveEnd, record);
    return extracted;
}

int32_t ListArchiveEntries(const std::string& archivePath, const std::string& pattern,
                           const std::function<void(const DirectoryCursor&)>& visit, DirectoryFindings* findings) {
    if (findings) *findings = DirectoryFindings{};
    if (archivePath.empty()) return kMissingArgument;
    if (!IsZipArchive(archivePath)) return kNotZipArchive;
    int32_t matching = 0;
    DirectoryCursor cursor;
    for (int walk = OpenDirectory(archivePath, cursor); walk == kOk; walk = NextDirectoryEntry(cursor)) {
        if (!MatchesFileSpec(pattern, cursor.name)) continue;
        ++matching;
        visit(cursor);
    }
    if (findings) *findings = {WalkState(cursor), matching};
    return matching;
}

int32_t ListArchive(const std::string& archivePath, const std::string& pattern, const ReportProc& report,
                    DirectoryFindings* findings) {
    if (findings) *findings = DirectoryFindings{};
    if (archivePath.empty() || !report) return kMissingArgument;
    if (!IsZipArchive(archivePath)) return kNotZipArchive;
    ReportRecord& record = engine::SharedRecord();
    record = ReportRecord{};
    ActiveReportScope active(report);
    int32_t uncompressedTotal = 0;
    int32_t compressedTotal = 0;
    int32_t matching = ListArchiveEntries(
        archivePath, pattern,
        [&](const DirectoryCursor& cursor) {
            AddToTotal(uncompressedTotal, cursor.uncompressedSize);
            AddToTotal(compressedTotal, cursor.compressedSize);
            FillMember(record, cursor, cursor.name);
            report(0, record);
        },
        findings);
    FillFinal(record, archivePath, uncompressedTotal, compressedTotal);
    report(matching, record);
    return matching;
}

int32_t ArchiveContentSize(const std::string& archivePath, int32_t& compressedTotal) {
    compressedTotal = 0;
    platform::InputFile file;
    if (!file.Open(archivePath)) return 0;
    if (!IsZipArchive(archivePath)) {
        compressedTotal = static_cast<int32_t>(file.Size());
        return compressedTotal;
    }
    file.Close();
    int32_t uncompressedTotal = 0;
    DirectoryCursor cursor;
    for (int walk = OpenDirectory(archivePath, cursor); walk == kOk; walk = NextDirectoryEntry(cursor)) {
        AddToTotal(uncompressedTotal, cursor.uncompressedSize);
        AddToTotal(compressedTotal, cursor.compressedSize);
    }
    return uncompressedTotal;
}

TQuillUnzip::TQuillUnzip() = default;

// The engine must not keep calling a callback that dies with us.
TQuillUnzip::~TQuillUnzip() {
    if (engine::ActiveReport() == &report_) engine::ActiveReport() = nullptr;
}

int32_t TQuillUnzip::Extract() {
    findings_ = DirectoryFindings{};
    if (fileName_.empty() || directoryName_.empty()) return kMissingArgument;
    return ExtractArchive(fileName_, directoryName_, fileSpecs_, report_, question_, &findings_);
}

int32_t TQuillUnzip::ListContents() {
    findings_ = DirectoryFindings{};
    if (fileName_.empty() || !report_) return kMissingArgument;
    return ListArchive(fileName_, fileSpecs_, report_, &findings_);
}

int32_t TQuillUnzip::ContentSize() { return ArchiveContentSize(fileName_, compressedTotal_); }

}  // namespace korven::unzip
