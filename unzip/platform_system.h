// The system calls beneath the seam's buffered files: what each platform
// file (platform_win32.cpp, platform_posix.cpp) provides, and the buffering
// in buffered_files.cpp is built on. Used by those three files only.
#pragma once

#include <cstdint>
#include <string>

#include "unzip/platform.h"

namespace korven::unzip::platform::system {

// Read-only, shared with other readers; empty when it cannot be opened or
// names a folder.
OwnedHandle OpenToRead(const std::string& path);
// Created or truncated, never through a link at its last piece where the
// platform can tell; empty on failure, with the reason in `result`.
OwnedHandle CreateToWrite(const std::string& path, CreateResult& result);
// Size in bytes, or -1.
int64_t SizeOf(FileHandle& file);
// Reads up to count bytes at offset, fewer only at the end of the file;
// bytes read, or -1 on an I/O error.
int64_t ReadAt(FileHandle& file, uint64_t offset, void* buffer, uint32_t count);
// Writes count bytes at the file's end; the bytes that reached the file,
// count unless a write failed.
uint32_t WriteAll(FileHandle& file, const void* data, uint32_t count);
bool SetDosDateTime(FileHandle& file, uint32_t dosDateTime);
// Closes now; false when the system reports a failure (a late write error).
bool Close(OwnedHandle handle);

}  // namespace korven::unzip::platform::system
