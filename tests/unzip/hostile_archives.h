// The hostile and damaged archives of the corpus (data/hostile/): what an
// attacker, or a broken disk, would hand the installer. Made here, written
// by make_hostile_archives, and compared with the files by a test, so that
// every archive can be read and remade from its recipe.
//
// Most of them hold GOOD.TXT, then the bad member, then AFTER.TXT: the first
// shows that the walk got going, the last that it ended at the bad one.
#pragma once

#include <string>
#include <vector>

namespace korven::unzip::test {

struct HostileArchive {
    std::string file;  // file name in data/hostile/
    std::string bytes;
};

std::vector<HostileArchive> HostileArchives();

// Stored names of the archives "windows_name_*.zip", by file name: pieces
// that Windows would take for a device, a stream, or trim.
struct WindowsNameCase {
    std::string file;
    std::string storedName;
};
std::vector<WindowsNameCase> WindowsNameCases();

// Sizes that the tests check against.
inline constexpr unsigned kOverrunDeclared = 10;     // what the overrunning members declare
inline constexpr unsigned kOverrunActual = 100000;   // what their deflated data holds
inline constexpr unsigned kKernelSize = 1 << 20;     // each overlapping member's size
inline constexpr unsigned kOverlappingEntries = 20;  // directory entries sharing one kernel

// Path of a hostile archive of the corpus.
std::string HostilePath(const std::string& file);

}  // namespace korven::unzip::test
