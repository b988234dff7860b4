#include "upgrade_test_support.h"

#include <gtest/gtest.h>

#include "interfaces/database_engine.h"
#include "core/registry_key.h"
#include "core/text.h"

namespace {

std::string UniqueName(const std::string& stem) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    return std::string(temp) + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

}  // namespace

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
