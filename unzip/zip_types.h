// Records and callbacks shared by the ZIP engine, the unzip component and its
// users (the copy pages, the installer shell, kunzip). Nothing here does any
// work; it is the common vocabulary of result codes and progress reports.
#pragma once

#include <cstdint>
#include <functional>

namespace korven::unzip {

// Result codes of the engine and of the component. Negative is failure.
enum ResultCode : int32_t {
    kOk = 0,
    kCrcMismatch = -1,  // damaged member: CRC mismatch, more output than declared, or data
                        // shared with another member; output deleted
    kCannotWrite = -2,  // output cannot be created, a write failed, an unsafe name, or a
                        // link in the way
    kReadFailed = -3,   // archive cannot be opened, or its data ran out
    kBadData = -4,      // local header unreadable or malformed compressed data
    kAborted = -5,      // Escape key or the notify window's reply
    kUnsupported = -6,  // method not decoded, or a shrunk member with trailing sizes
    kEncrypted = -7,
    kBusy = -8,               // another extraction is in progress
    kEndRecordTooEarly = -9,  // no entry can precede the end record
    kDirectoryEnd = -10,      // directory exhausted or malformed entry
    kNoDirectory = -11,       // archive unreadable, empty, or without end record
    kNotZipArchive = -12,
    kStopped = -100,
    kMissingArgument = -500,
};

// How much of an archive's central directory a walk could read. The result
// codes stay what callers have always relied on (an unreadable directory
// extracts nothing and returns 0); this is how a caller tells a damaged
// archive from an empty one.
enum class DirectoryState {
    kWhole,       // read up to the end record (an archive without members too)
    kUnreadable,  // not found, or its first entry unreadable: nothing was read
    kCutShort,    // a malformed entry ended it; the entries before it were read
};

// What a report is about (ReportRecord::status and, mostly, the first argument).
enum ReportStatus : int32_t {
    kReportMemberStart = -1000,
    kReportBlockWritten = -1001,  // also: a member skipped on the question's answer
    kReportMemberDone = -1002,
    kReportMemberFailed = -1003,
    kReportArchiveStart = -1004,
    kReportArchiveEnd = -1005,
    kReportStopped = -100,
};

// Method value reported for a member the question callback told us to skip.
inline constexpr int16_t kSkippedMethod = 9;

inline constexpr int kReportNameSize = 260;  // 259 characters and the NUL

#pragma pack(push, 1)
// One record, shared by the engine and every component; its packed layout is
// what report callbacks written against the old interface expect.
struct ReportRecord {
    char name[kReportNameSize];  // archive path, member's target path, or stored name
    int32_t dateTime;            // DOS date-time; -1 in the final report
    int32_t uncompressedSize;
    int32_t compressedSize;
    int32_t attributes;  // DOS attribute bits; -1 in the final report
    int16_t method;      // kSkippedMethod for a skipped member; 0 in the final report
    uint8_t saving;      // percent saved by compression
    int32_t status;      // a ReportStatus
};
#pragma pack(pop)
static_assert(sizeof(ReportRecord) == 260 + 4 * 4 + 2 + 1 + 4);

// Receives the first argument (see ReportStatus) and the shared record.
using ReportProc = std::function<void(int32_t, const ReportRecord&)>;
// Asked before an existing file is overwritten: true extracts, false skips.
using QuestionFunc = std::function<bool(const ReportRecord&)>;

}  // namespace korven::unzip
