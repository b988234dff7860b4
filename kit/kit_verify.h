// Checks a kit as the installer will meet it: every disk's marker, the three
// files the start-up copies, the settings file's disk count, every piece
// against the settings file's list of pieces (its disk, size and CRC; a kit
// without the list is only warned of), and every archive joined from its pieces the way the copy page joins them (disk by
// disk, numbers in order), then read member by member by the installer's own
// ZIP engine, every CRC checked.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korven::kit {

struct VerifyReport {
    std::vector<std::string> problems;  // what would make the installation fail
    std::vector<std::string> warnings;  // what the installer passes over
    std::vector<std::string> archives;  // "EXE: 3 piese, 12 fisiere" for each whole archive
    bool Whole() const { return problems.empty(); }
};

// `kit` is a one-folder kit (DISK1 is a file in it) or a folder of the
// folders DISK1, DISK2, ...
VerifyReport VerifyKit(const std::filesystem::path& kit);

}  // namespace korven::kit
