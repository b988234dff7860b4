#include "config/engine_registration.h"

#include <windows.h>

#include <charconv>
#include <cstdint>
#include <iterator>
#include <optional>

#include "config/read_file.h"
#include "config/replace_file.h"
#include "core/debug_log.h"
#include "core/engine_presence.h"
#include "core/exec_and_wait.h"
#include "core/registry_key.h"
#include "interfaces/database_engine.h"

namespace {

constexpr char WindowsVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char EngineFolderBelowProgramFiles[] = "\\Borland\\Common Files\\BDE";
constexpr char Placeholder[] = "$ProgDir$";
constexpr char UseCountValue[] = "UseCount";

// "UseCount" as the engine keeps it: decimal text. Anything else counts as 0.
std::int64_t UseCount(const std::optional<std::string>& text) {
    std::int32_t count = 0;
    if (!text || text->empty()) return 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, count);
    return error == std::errc() && stop == end ? count : 0;
}

void RaiseUseCount() {
    const std::string keyName = std::string("HKEY_LOCAL_MACHINE\\") + idapi::EngineKey;
    auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, idapi::EngineKey, KEY_READ | KEY_WRITE);
    if (!key) throw EEngineRegistration("Nu pot deschide cheia de registru " + keyName);
    const std::int64_t count = UseCount(key->ReadString(UseCountValue)) + 1;
    if (!key->WriteString(UseCountValue, std::to_string(count)))
        throw EEngineRegistration("Nu pot scrie valoarea " + std::string(UseCountValue) + " in cheia de registru " +
                                  keyName);
}

std::string ProgramFilesDir() {
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, WindowsVersionKey);
    const auto folder = key ? key->ReadString("ProgramFilesDir") : std::nullopt;
    if (!folder || folder->empty())
        throw EEngineRegistration(
            "Nu gasesc dosarul Program Files: lipseste valoarea ProgramFilesDir din cheia de registru "
            "HKEY_LOCAL_MACHINE\\" +
            std::string(WindowsVersionKey));
    return *folder;
}

std::string DoubledBackslashes(const std::string& path) {
    std::string doubled;
    for (char c : path) {
        doubled += c;
        if (c == '\\') doubled += c;
    }
    return doubled;
}

std::string WithProgramFiles(const std::string& line, const std::string& escapedFolder) {
    const auto at = line.find(Placeholder);
    if (at == std::string::npos) return line;
    return line.substr(0, at) + escapedFolder + line.substr(at + std::size(Placeholder) - 1);
}

std::string Quoted(const std::string& path) { return path.find(' ') == std::string::npos ? path : "\"" + path + "\""; }

std::string RegistryEditor() {
    const UINT size = GetWindowsDirectoryA(nullptr, 0);
    std::string folder(size, '\0');
    folder.resize(GetWindowsDirectoryA(folder.data(), size));
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder + "regedit.exe";
}

void MergeRegistrationFile(const std::string& fileName) {
    const std::string command = Quoted(RegistryEditor()) + " /s \"" + fileName + "\"";
    if (const std::int32_t exitCode = ExecAndWait(command, SW_MINIMIZE); exitCode != 0)
        DebugNote(command + ": cod " + std::to_string(exitCode));
}

}  // namespace

void RewriteRegistrationFile(const std::string& fileName, const std::string& programFilesDir) {
    std::string bytes;
    if (ReadFileContents(fileName, bytes) != 0)
        throw EEngineRegistration("Nu pot citi fisierul de inregistrare " + fileName);

    const std::string escaped = DoubledBackslashes(programFilesDir);
    std::string rewritten;
    rewritten.reserve(bytes.size() + escaped.size() * 4);
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        if (end > start && bytes[end - 1] == '\r') --end;
        rewritten += WithProgramFiles(bytes.substr(start, end - start), escaped) + "\r\n";
        start = next;
    }
    if (const unsigned long error = ReplaceFileContents(fileName, rewritten); error != 0)
        throw EEngineRegistration("Nu pot scrie fisierul de inregistrare " + fileName + " (cod " +
                                  std::to_string(error) + ")");
}

EngineUse RegisterBDE() {
    if (EngineInstalled()) {
        RaiseUseCount();
        return EngineUse::Raised;
    }
    const std::string programFiles = ProgramFilesDir();
    const std::string registrationFile = programFiles + EngineFolderBelowProgramFiles + "\\bde.reg";
    RewriteRegistrationFile(registrationFile, programFiles);
    MergeRegistrationFile(registrationFile);
    return EngineUse::Registered;
}

std::vector<std::string> AliasFolders(const std::string& dataDir, std::span<const std::string> relativeFolders) {
    const std::string base = !dataDir.empty() && dataDir.back() == '\\' ? dataDir : dataDir + "\\";
    std::vector<std::string> folders;
    for (const std::string& relative : relativeFolders) folders.push_back(base + relative);
    return folders;
}
