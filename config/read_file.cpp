#include "config/read_file.h"

#include <windows.h>

#include "core/unique_handle.h"

unsigned long ReadFileContents(const std::string& fileName, std::string& bytes) {
    bytes.clear();
    UniqueHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return GetLastError();
    char buffer[16384];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            const DWORD error = GetLastError();
            bytes.clear();
            return error ? error : ERROR_READ_FAULT;
        }
        if (got == 0) return ERROR_SUCCESS;
        bytes.append(buffer, got);
    }
}
