// Questions about the disk that several steps ask alike.
#pragma once
#include <string>

// True for an existing file; false for a folder or nothing.
bool FileExists(const std::string& path);
