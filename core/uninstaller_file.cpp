#include "core/uninstaller_file.h"

#include <windows.h>

#include "core/program_path.h"
#include "core/text.h"

std::string UninstallerPath(const std::string& programDir) { return InFolder(programDir, UninstallerName); }

bool PlaceUninstaller(const std::string& programDir, std::string* problem) {
    const std::string source = ProgramPath();
    const std::string target = UninstallerPath(programDir);
    const std::string temporary = target + ".NOU";
    const auto fail = [&](const std::string& what) {
        if (problem) *problem = what + " (cod " + std::to_string(GetLastError()) + ")";
        DeleteFileA(temporary.c_str());
        return false;
    };
    if (!CopyFileA(source.c_str(), temporary.c_str(), FALSE))
        return fail("Nu pot copia " + source + " in " + temporary);
    // The installer may come from a read-only disk; its copy must not keep
    // the mark, nor may an older uninstaller's mark refuse the replacement.
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    const DWORD existing = GetFileAttributesA(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(target.c_str(), existing & ~FILE_ATTRIBUTE_READONLY);
    if (!MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail("Nu pot inlocui " + target);
    return true;
}
