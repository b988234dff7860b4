// What an extraction wrote, heard from the unzip component's reports, for
// the installation record: every file a member was written to. A member
// kept back on the question's answer (the customer's file stays) or one
// that failed (its output is deleted) wrote nothing, and a folder member is
// no file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/installation_record.h"
#include "core/settings.h"
#include "unzip/zip_types.h"

class WrittenFiles {
public:
    // `archive` is about to be extracted into `folder` for `component`.
    void ArchiveStarting(const TCompRecord& component, const std::string& archive, const std::string& folder);
    // Every report of the unzip component while the archive is extracted.
    void Report(std::int32_t value, const korven::unzip::ReportRecord& record);

    // The files written, each under its component with its path below the
    // folder it was extracted into, and the size and CRC-32 it has on the
    // disk. The CRC is the one the archive's directory states when the file
    // has the size stated there and the member's local header (whose CRC the
    // extraction checked) states the same; otherwise the file is read.
    // Throws CopyFailure when a file can be neither looked at nor read.
    std::vector<RecordedFile> Recorded() const;

private:
    struct Written {
        std::string component;
        std::string archive;
        std::string folder;  // with its final backslash
        std::string member;  // the stored name, "\" between its parts
    };

    std::vector<Written> written_;
    Written current_;
    bool memberSkipped_ = false;
};
