#include "test_support.h"

#include <atomic>
#include <chrono>
#include <ctime>
#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>

#include <cstring>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace korven::unzip::test {

std::string CorpusPath(const std::string& fileName) {
#ifdef _WIN32
    return std::string(UNZIP_TEST_DATA) + "\\" + fileName;
#else
    return std::string(UNZIP_TEST_DATA) + "/" + fileName;
#endif
}

std::vector<ManifestRow> ReadManifest() {
    std::ifstream in(CorpusPath("MANIFEST.tsv"));
    std::vector<ManifestRow> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) fields.push_back(field);
        if (fields.size() < 8) continue;
        fields.resize(12);
        ManifestRow row;
        row.archive = fields[0];
        row.member = fields[1];
        row.method = std::stoi(fields[2]);
        row.flags = static_cast<uint32_t>(std::stoul(fields[3], nullptr, 16));
        row.compressedSize = static_cast<uint32_t>(std::stoul(fields[4]));
        row.uncompressedSize = static_cast<uint32_t>(std::stoul(fields[5]));
        row.crc32 = static_cast<uint32_t>(std::stoul(fields[6], nullptr, 16));
        row.sha256 = fields[7];
        row.notes = fields[11];
        rows.push_back(row);
    }
    return rows;
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> serial{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
#ifdef _WIN32
    const unsigned long process = ::GetCurrentProcessId();
#else
    const unsigned long process = static_cast<unsigned long>(::getpid());
#endif
    // Tests run as parallel processes: the process id keeps their folders
    // apart. Process ids come round again, and a folder that held a link may
    // outlive its run (Wine cannot remove the link): the clock keeps a later
    // run away from it.
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string name = "korven-unzip-" + std::to_string(process) + "-" + std::to_string(now % 1000000007) + "-" +
                       std::to_string(serial++) + "-" + (info ? std::string(info->name()) : std::string("test"));
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    root_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string ScratchFolder::Path(const std::string& relative) const {
    std::string path = root_.string();
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    if (!relative.empty()) path += separator + relative;
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::string native = path;
#ifndef _WIN32
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
#endif
    std::ifstream in(native, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

uint32_t FileDosDateTime(const std::string& path) {
#ifdef _WIN32
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    FILETIME written, local;
    WORD date = 0, time = 0;
    bool ok = ::GetFileTime(file, nullptr, nullptr, &written) && ::FileTimeToLocalFileTime(&written, &local) &&
              ::FileTimeToDosDateTime(&local, &date, &time);
    ::CloseHandle(file);
    return ok ? (uint32_t{date} << 16) | time : 0;
#else
    std::string native = path;
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    struct stat info;
    if (::stat(native.c_str(), &info) != 0) return 0;
    struct tm local;
    localtime_r(&info.st_mtime, &local);
    return (uint32_t(local.tm_year - 80) << 25) | (uint32_t(local.tm_mon + 1) << 21) | (uint32_t(local.tm_mday) << 16) |
           (uint32_t(local.tm_hour) << 11) | (uint32_t(local.tm_min) << 5) | uint32_t(local.tm_sec / 2);
#endif
}

std::string PseudoRandomBytes(size_t count, uint32_t seed) {
    std::string bytes(count, '\0');
    uint32_t state = seed * 2654435761u + 1;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        // Small alphabet so that the bytes compress, as program code does.
        bytes[i] = static_cast<char>("ETAOIN SHRDLU\x01\x02\xff"[(state >> 16) % 16]);
    }
    return bytes;
}

#ifdef _WIN32
namespace {

// A mount-point reparse buffer: the junction's target as an NT path,
// followed by an empty print name.
bool MakeJunction(const std::string& link, const std::string& target) {
    if (!::CreateDirectoryA(link.c_str(), nullptr)) return false;
    HANDLE folder = ::CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end());
    const WORD substituteBytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    std::vector<BYTE> buffer(8 + 8 + substituteBytes + 2 * sizeof(wchar_t), 0);
    auto put16 = [&buffer](size_t at, WORD value) { std::memcpy(buffer.data() + at, &value, 2); };
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    std::memcpy(buffer.data(), &tag, 4);
    put16(4, static_cast<WORD>(buffer.size() - 8));  // data length
    put16(8, 0);                                     // substitute name offset
    put16(10, substituteBytes);
    put16(12, static_cast<WORD>(substituteBytes + sizeof(wchar_t)));  // print name offset, empty
    std::memcpy(buffer.data() + 16, substitute.data(), substituteBytes);
    DWORD returned = 0;
    BOOL made = ::DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  nullptr, 0, &returned, nullptr);
    ::CloseHandle(folder);
    if (!made) ::RemoveDirectoryA(link.c_str());
    return made != FALSE;
}

// Under Wine a Windows program may start a host program; /bin/ln makes the
// link between the host paths of the two Windows paths.
bool MakeWineSymlink(const std::string& link, const std::string& target) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    auto unixName =
        reinterpret_cast<UnixName>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (unixName == nullptr) return false;
    auto hostPath = [unixName](const std::string& path) {
        std::wstring wide(path.begin(), path.end());
        char* name = unixName(wide.c_str());
        std::string host = name ? name : "";
        if (name) ::HeapFree(::GetProcessHeap(), 0, name);
        return host;
    };
    // Wine splits the command line the Windows way: double quotes.
    std::string command = "ln -s \"" + hostPath(target) + "\" \"" + hostPath(link) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA("Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return false;
    }
    ::WaitForSingleObject(process.hProcess, 60000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // The host program may end before Wine sees the new link (seen on a busy
    // machine): give the link a moment to appear rather than fail the test.
    for (int tries = 0; tries < 100; ++tries) {
        if (::GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        ::Sleep(50);
    }
    return false;
}

}  // namespace

bool MakeFolderLink(const std::string& link, const std::string& target) {
    return MakeJunction(link, target) || MakeWineSymlink(link, target);
}
#else
bool MakeFolderLink(const std::string& link, const std::string& target) {
    std::error_code failed;
    std::filesystem::create_directory_symlink(target, link, failed);
    return !failed;
}
#endif

FakeHost::FakeHost() { SetEngineHost(this); }
FakeHost::~FakeHost() { SetEngineHost(nullptr); }

}  // namespace korven::unzip::test
