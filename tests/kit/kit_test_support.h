// Helpers of the kit builder's tests: scratch folders, files as strings,
// fixed file times, and running kitmake and the Info-ZIP tools.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace korven::kit::test {

namespace fs = std::filesystem;

// A fresh, empty folder removed again at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& Path() const { return root_; }
    fs::path operator/(const std::string& relative) const { return root_ / relative; }

private:
    fs::path root_;
};

std::string ReadWholeFile(const fs::path& file);
// Creates the folders on the way.
void WriteWholeFile(const fs::path& file, const std::string& bytes);
// Bytes no compressor can shrink.
std::string IncompressibleBytes(size_t count, uint32_t seed);
// The given local time as a file time.
fs::file_time_type LocalFileTime(int year, int month, int day, int hour, int minute, int second);

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and error together
};
// Runs a shell command line; its words are quoted by the caller.
CommandResult RunCommand(const std::string& commandLine);
std::string Quoted(const fs::path& path);

// Names of the regular files directly in a folder, sorted.
std::vector<std::string> FileNames(const fs::path& folder);

}  // namespace korven::kit::test
