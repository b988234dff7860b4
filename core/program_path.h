// Where the running program lies; paths of any length.
#pragma once
#include <string>

// Full path of the running executable.
std::string ProgramPath();
// Its folder, always with a final backslash ("A:\" for a drive root).
std::string ProgramFolder();
// The folder part of a path, with its final backslash ("" when there is none).
std::string FolderOf(const std::string& path);
