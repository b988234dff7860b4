#include "tests/support/record_check.h"

#include <windows.h>

#include <filesystem>

#include "core/text.h"
#include "tests/support/files.h"

std::uint32_t WindowsCrc32(const std::string& bytes) {
    using Crc32 = DWORD(WINAPI*)(DWORD, const BYTE*, ULONG);
    static const auto crc32 = reinterpret_cast<Crc32>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlComputeCrc32")));
    if (crc32 == nullptr) throw std::runtime_error("ntdll has no RtlComputeCrc32");
    return crc32(0, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<ULONG>(bytes.size()));
}

std::set<std::string> FilesBelow(const std::vector<std::string>& folders) {
    std::set<std::string> files;
    for (const std::string& folder : folders) {
        if (!IsExistingFolder(folder)) continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) files.insert(UpperAscii(entry.path().string()));
    }
    return files;
}

std::vector<std::string> RecordProblems(const InstallationRecord& record, const std::set<std::string>& expected) {
    std::vector<std::string> problems;
    std::set<std::string> recorded;
    for (const RecordedFile& file : record.files) {
        const std::string path = FullPathOf(record, file);
        recorded.insert(UpperAscii(path));
        if (!expected.contains(UpperAscii(path))) problems.push_back("recorded, not expected: " + path);
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            problems.push_back("recorded, not on the disk: " + path);
            continue;
        }
        const std::string bytes = ReadBytes(path);
        if (bytes.size() != file.size)
            problems.push_back(path + ": size " + std::to_string(file.size) + ", on the disk " +
                               std::to_string(bytes.size()));
        if (WindowsCrc32(bytes) != file.crc) problems.push_back(path + ": the recorded CRC is not the file's");
    }
    for (const std::string& path : expected)
        if (!recorded.contains(path)) problems.push_back("expected, not recorded: " + path);
    return problems;
}
