#include "kit_test_support.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <algorithm>

namespace korven::kit::test {

ScratchFolder::ScratchFolder() {
    std::random_device random;
    root_ = fs::temp_directory_path() / ("kit-test-" + std::to_string(random()));
    fs::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    fs::remove_all(root_, error);
}

std::string ReadWholeFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const fs::path& file, const std::string& bytes) {
    if (file.has_parent_path()) fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string IncompressibleBytes(size_t count, uint32_t seed) {
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() >> 24);
    return bytes;
}

fs::file_time_type LocalFileTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    auto system = std::chrono::system_clock::from_time_t(std::mktime(&local));
    return fs::file_time_type::clock::from_sys(system);
}

CommandResult RunCommand(const std::string& commandLine) {
    CommandResult result;
    fs::path capture = fs::temp_directory_path() / ("kit-test-output-" + std::to_string(std::random_device()()));
#ifdef _WIN32
    // cmd /c drops the first and the last quote of a line that holds more
    // than two: the outer pair given here is the one it drops.
    int status = std::system(("\"" + commandLine + " >" + Quoted(capture) + " 2>&1\"").c_str());
    result.status = status;
#else
    int status = std::system((commandLine + " >" + Quoted(capture) + " 2>&1").c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    result.output = ReadWholeFile(capture);
    fs::remove(capture);
    return result;
}

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace korven::kit::test
