// Writes the kit's archives in PKWARE's ZIP format, the subset the
// installer's own engine reads: every local header carries the CRC and both
// sizes (no data descriptors), nothing is encrypted, names are relative with
// "/" separators, each member is deflated (method 8) or, when deflating would
// not make it smaller, stored (method 0), dated with its file's modification
// time in DOS form, and a central directory and end record close the archive.
//
// The same files with the same times give the same bytes: members are written
// in the order given, and nothing else (no extra fields, no host clock) goes in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "kit/sources.h"

namespace korven::kit {

// The whole archive of the members, in their order. KitError for a file that
// cannot be read and for an archive beyond the plain format's limits (65535
// members, members or archive of 2 GB or more, which the installer's engine
// cannot address).
std::string MakeZipArchive(const std::string& archiveName, const std::vector<ArchiveSource>& members);

// A file time as a DOS date-time (date in the high 16 bits), in local time as
// DOS kept it; times before 1980 become 1 January 1980, 00:00.
uint32_t DosDateTime(std::filesystem::file_time_type time);

}  // namespace korven::kit
