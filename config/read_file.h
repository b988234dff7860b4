// Reading a whole file with every read checked: a file that fails part-way
// is a failure, never a shorter text that would then be written back over
// the original.
#pragma once
#include <string>

// 0 with the file's bytes in `bytes`, else the Win32 error code of the step
// that failed (ERROR_FILE_NOT_FOUND for a missing file).
unsigned long ReadFileContents(const std::string& fileName, std::string& bytes);
