// TUpgCopy: the copy page of an upgrade. It is the copy page of a new
// installation (same form, same disks, pieces, assembly and gauges) with the
// upgrade's components, which never include the database engine, and with
// fixed rules for the files an earlier installation already has: in the
// program folder every file is replaced except the database engine's
// (IDAPI*), in the data folder only the sample database under NEW is; the
// customer's own data stays as it is. Every such decision is noted in the
// diagnostic log.
#pragma once

#include <cstddef>
#include <string>

#include "copy/copy_page.h"

class TUpgCopy : public TCopy {
    DECLARE_CLASS_INFO
public:
    explicit TUpgCopy(TComponent* owner);

    // A missing optional module is passed over. A missing or unreadable
    // archive of another component throws CopyFailure before any file is
    // replaced. False when the user abandoned after a damaged archive.
    bool ExtractArchives() override;
    // Asked by the unzip component for a member whose file exists in the
    // target folder: true replaces it, false keeps the existing file.
    bool ConfirmOverwrite(const korven::unzip::ReportRecord& record);

private:
    // The archive being extracted: the length of the folder name handed to
    // the unzip component, and whether it is the program folder.
    std::size_t folderLength_ = 0;
    bool programTarget_ = false;
    std::string folder_;  // kept when a row has no folder of its own
};
