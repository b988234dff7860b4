// An installation record held against the disk, with Windows' own CRC-32
// (ntdll's RtlComputeCrc32), never the installer's.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/installation_record.h"

std::uint32_t WindowsCrc32(const std::string& bytes);

// Every file below the folders, as upper-case full paths.
std::set<std::string> FilesBelow(const std::vector<std::string>& folders);

// What is wrong with the record's files: one that is not on the disk as
// recorded (size, CRC), one recorded that is not in `expected` (upper-case
// full paths), one expected that is not recorded. Empty when it is right.
std::vector<std::string> RecordProblems(const InstallationRecord& record, const std::set<std::string>& expected);
