// Rewriting a file so that it is never left half-written: the new contents go
// to a temporary file in the same folder, which then replaces the original in
// one rename. On any failure the original stays as it was and the temporary
// file is removed.
#pragma once
#include <string>

// 0 on success, else the Win32 error code of the step that failed.
unsigned long ReplaceFileContents(const std::string& fileName, const std::string& bytes);
