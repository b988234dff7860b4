// Room on the drives before anything is copied: what the copy needs on each
// drive against what the drive has free, and the user asked to make room
// (Retry) or to abandon while nothing has been written there yet.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

// The user abandoned the copy at a question; nothing more is to be said.
class CopyAbandoned : public std::runtime_error {
public:
    CopyAbandoned() : std::runtime_error("copy abandoned") {}
};

// Bytes needed, by drive root ("C:\", "\\server\share\").
using SpaceNeeds = std::map<std::string, std::uint64_t>;

// The root of the drive a full path lies on; empty for a path without one.
std::string DriveRootOf(const std::string& path);

// Free bytes on a drive for this user; nothing when it cannot be asked.
using FreeSpaceQuery = std::function<std::optional<std::uint64_t>(const std::string& root)>;
// The query the copy pages use; the system's unless a test set another.
// An empty query puts the system's back.
void SetFreeSpaceQuery(FreeSpaceQuery query);

// Returns when every drive has room for its need (a drive whose free space
// cannot be asked counts as having room). Otherwise tells the user, for the
// first drive short of room, both figures in MB and asks to make room:
// Retry asks the drives again, Abandon throws CopyAbandoned.
void EnsureSpace(const SpaceNeeds& needs);
