// Whole files read and written by the tests, byte for byte.
#pragma once
#include <string>

// The file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& fileName);
// Replaces the file with `bytes`; a file that cannot be written fails the test.
void WriteBytes(const std::string& fileName, const std::string& bytes);
// True for an existing folder, whatever its name.
bool IsExistingFolder(const std::string& folder);
