#include "upgrade_test_support.h"

#include <gtest/gtest.h>

#include "debug_log.h"
#include "interfaces/database_engine.h"
#include "registry_key.h"
#include "user_interface.h"

namespace {

std::string TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

std::string UniqueName(const std::string& stem) {
    static int counter = 0;
    return TempFolder() + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::optional<std::string> Environment(const std::string& name) {
    const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name.c_str(), value.data(), size));
    return value;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string ReadBytes(const std::string& fileName) {
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::string& fileName, const std::string& bytes) {
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << fileName;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

ScratchFolder::ScratchFolder(const std::string& name) : path_(UniqueName(name)) {
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

EnvironmentSwitch::EnvironmentSwitch(std::string name, const std::string& value)
    : name_(std::move(name)), former_(Environment(name_)) {
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

EnvironmentSwitch::~EnvironmentSwitch() {
    SetEnvironmentVariableA(name_.c_str(), former_ ? former_->c_str() : nullptr);
}

AliasStoreSandbox::AliasStoreSandbox(const std::string& storeFile) : storeFile_(storeFile) {
    keyMade_ = !RegistryKey::Open(HKEY_LOCAL_MACHINE, idapi::EngineKey).has_value();
    auto key = RegistryKey::Create(HKEY_LOCAL_MACHINE, idapi::EngineKey);
    EXPECT_TRUE(key.has_value());
    if (!key) return;
    former_ = key->ReadString(idapi::ConfigFileValue);
    key->WriteString(idapi::ConfigFileValue, storeFile_);
}

AliasStoreSandbox::~AliasStoreSandbox() {
    if (auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, idapi::EngineKey, KEY_READ | KEY_WRITE)) {
        if (former_)
            key->WriteString(idapi::ConfigFileValue, *former_);
        else
            key->DeleteValue(idapi::ConfigFileValue);
    }
    if (keyMade_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, idapi::EngineKey);
    DeleteFileA(storeFile_.c_str());
}

void AliasStoreSandbox::Define(const std::string& alias, const std::string& folder) {
    WriteBytes(storeFile_, "[" + alias + "]\r\nTYPE=PARADOX\r\nPATH=" + folder + "\r\n");
}

LibraryTrace::LibraryTrace() : path_(UniqueName("korven-upgrade-trace")) {
    DeleteFileA(path_.c_str());
    switch_.emplace("KORVEN_TRACE", path_);
}

LibraryTrace::~LibraryTrace() {
    switch_.reset();
    DeleteFileA(path_.c_str());
}

std::vector<std::string> LibraryTrace::Lines() const {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(ReadBytes(path_))) {
        const auto blank = line.find(' ');
        lines.push_back(blank == std::string::npos ? line : line.substr(blank + 1));
    }
    return lines;
}

std::vector<std::string> LibraryTrace::Calls() const {
    std::vector<std::string> calls;
    for (const std::string& line : Lines()) calls.push_back(line.substr(0, line.find(' ')));
    return calls;
}

CapturedLog::CapturedLog() : path_(UniqueName("korven-upgrade") + ".log") {
    DeleteFileA(path_.c_str());
    DebugEnabled = true;
    DebugOpen(path_, "INSTALL");
}

CapturedLog::~CapturedLog() {
    DebugClose();
    DeleteFileA(path_.c_str());
}

std::vector<std::string> CapturedLog::Lines() const {
    std::vector<std::string> lines;
    for (std::string line : SplitLines(ReadBytes(path_))) {
        if (const auto stamp = line.rfind(" <TIMP "); stamp != std::string::npos) line.resize(stamp);
        const auto first = line.find_first_not_of(" |");
        lines.push_back(first == std::string::npos ? std::string() : line.substr(first));
    }
    return lines;
}

void StartTestUserInterface() {
    static const bool started = [] {
        StartUserInterface();
        return true;
    }();
    (void)started;
}
