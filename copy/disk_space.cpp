#include "copy/disk_space.h"

#include <windows.h>

#include "copy/copy_messages.h"

namespace {

std::optional<std::uint64_t> SystemFreeSpace(const std::string& root) {
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExA(root.c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

FreeSpaceQuery& Query() {
    static FreeSpaceQuery query = SystemFreeSpace;
    return query;
}

}  // namespace

std::string DriveRootOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\";
    if (path.rfind("\\\\", 0) == 0) {
        // \\server\share\: up to the backslash after the share's name.
        const std::size_t server = path.find('\\', 2);
        if (server == std::string::npos) return {};
        const std::size_t share = path.find('\\', server + 1);
        return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
    }
    return {};
}

void SetFreeSpaceQuery(FreeSpaceQuery query) { Query() = query ? std::move(query) : SystemFreeSpace; }

void EnsureSpace(const SpaceNeeds& needs) {
    for (;;) {
        bool enough = true;
        for (const auto& [root, needed] : needs) {
            if (root.empty() || needed == 0) continue;
            const std::optional<std::uint64_t> free = Query()(root);
            if (!free || *free >= needed) continue;
            enough = false;
            if (!AskRetryLowSpace(root, needed, *free)) throw CopyAbandoned();
            break;
        }
        if (enough) return;
    }
}
