#include "pages/installation_search.h"

#include "core/files.h"
#include "core/text.h"
#include "core/program_path.h"
#include "core/unique_handle.h"

#include <windows.h>

#include <memory>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The application is far larger than this; the smaller files of its name
// (stubs, launchers) are not an installation.
constexpr ULONGLONG kSmallestKorven = 1'000'000;

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsShareName(const std::string& folder) { return folder.rfind("\\\\", 0) == 0; }

// "\\server\share\" from "\\server\share\Korven" or from "\\server\share".
std::string ShareRoot(const std::string& folder) {
    size_t backslashes = 0;
    for (size_t i = 0; i < folder.size(); ++i)
        if (folder[i] == '\\' && ++backslashes == 4) return folder.substr(0, i + 1);
    return WithBackslash(folder);
}

// Closes a search handle of FindFirstFile once.
struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
using UniqueSearch = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

UniqueSearch FindFirst(const std::string& pattern, WIN32_FIND_DATAA& entry, bool foldersOnly) {
    HANDLE search = FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &entry,
                                     foldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr, 0);
    return UniqueSearch(search == INVALID_HANDLE_VALUE ? nullptr : search);
}

ULONGLONG EntrySize(const WIN32_FIND_DATAA& entry) {
    return (static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

std::optional<std::string> FolderHoldingKorven(const std::string& candidate) {
    if (candidate.empty() || !FileExists(candidate + "Korven.exe")) return std::nullopt;
    return candidate;
}

// A value of any length: the buffer grows until the value fits in it.
std::string ProfileValue(const char* section, const char* key) {
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD length = GetProfileStringA(section, key, "", buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

bool IsDotOrDotDot(const char* name) { return std::string_view(name) == "." || std::string_view(name) == ".."; }

// One walk over folder trees. Links and junctions are passed over by their
// attribute; where the file system does not mark them so, a folder already
// walked (the same folder of the same volume, by whatever path) is passed
// over too, so no loop of links can keep the walk going.
class TreeWalk {
public:
    std::optional<std::string> Search(const std::string& folder) {
        if (!FirstVisit(folder)) return std::nullopt;
        if (IsKorvenFolder(folder)) return folder;
        WIN32_FIND_DATAA entry;
        const UniqueSearch search = FindFirst(folder + "*.*", entry, true);
        if (!search) return std::nullopt;
        do {
            const bool plainFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                     !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
            if (!plainFolder || IsDotOrDotDot(entry.cFileName)) continue;
            if (auto found = Search(folder + entry.cFileName + "\\")) return found;
        } while (FindNextFileA(search.get(), &entry));
        return std::nullopt;
    }

private:
    // False for a folder met before, and for one that cannot be opened.
    bool FirstVisit(const std::string& folder) {
        UniqueHandle handle(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!handle.valid() || !GetFileInformationByHandle(handle, &info)) return false;
        const FolderIdentity identity{info.dwVolumeSerialNumber,
                                      (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
        return visited_.insert(identity).second;
    }

    using FolderIdentity = std::pair<DWORD, ULONGLONG>;
    std::set<FolderIdentity> visited_;
};

}  // namespace

std::optional<AliasFolderReading> ReadAliasFolder(const std::string& aliasFolder) {
    std::string data = aliasFolder;
    if (EndsWith(data, "\\")) data.pop_back();
    if (EndsWith(UpperAscii(data), "\\DATA")) data.resize(data.size() - 5);
    if (data.empty()) return std::nullopt;
    // "C:" alone names the current folder of drive C:, not its root.
    if (data.size() == 2 && data[1] == ':') data += '\\';
    const std::string root = IsShareName(data) ? ShareRoot(data) : WithBackslash(data.substr(0, 3));
    return AliasFolderReading{data, root};
}

TInstallType InstallTypeOfRoot(const std::string& root) {
    // A share lies on another computer whether or not it answers now.
    if (IsShareName(root)) return itClient;
    return GetDriveTypeA(root.c_str()) == DRIVE_REMOTE ? itClient : itLocal;
}

bool IsKorvenFolder(const std::string& folder) {
    const std::string program = WithBackslash(folder) + "KORVEN.EXE";
    WIN32_FIND_DATAA entry;
    if (!FindFirst(program, entry, false) || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    ULONGLONG size = EntrySize(entry);
    // The file itself knows its size best; while the running application
    // keeps it from being opened, its directory entry has to do.
    UniqueHandle file(CreateFileA(program.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    LARGE_INTEGER opened;
    if (file.valid() && GetFileSizeEx(file, &opened)) size = static_cast<ULONGLONG>(opened.QuadPart);
    return size > kSmallestKorven;
}

std::optional<std::string> SearchTree(const std::string& folder) {
    TreeWalk walk;
    return walk.Search(folder);
}

std::optional<std::string> ProgramFolderFromProfileValues(const std::string& appPath, const std::string& databasePath) {
    if (auto found = FolderHoldingKorven(appPath)) return found;
    const size_t lastBackslash = databasePath.rfind('\\');
    if (lastBackslash == std::string::npos) return std::nullopt;
    return FolderHoldingKorven(databasePath.substr(0, lastBackslash + 1));
}

std::optional<std::string> ProgramFolderFromProfile() {
    return ProgramFolderFromProfileValues(ProfileValue("Korven", "AppPath"), ProfileValue("Korven", "DatabasePath"));
}

std::optional<std::string> SearchFixedDisks() {
    TreeWalk walk;
    for (char drive = 'A'; drive <= 'Z'; ++drive) {
        const std::string root = std::string(1, drive) + ":\\";
        if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED) continue;
        if (auto found = walk.Search(root)) return found;
    }
    return std::nullopt;
}
