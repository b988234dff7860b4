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
#include "core/text.h"
#include "interfaces/database_engine.h"

namespace {

constexpr char WindowsVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char EngineFolderBelowProgramFiles[] = "\\Borland\\Common Files\\BDE";
constexpr char Placeholder[] = "$ProgDir$";
constexpr char UseCountValue[] = "UseCount";
constexpr char InstalledKey[] = "Software\\Borland\\BLW32";

// "UseCount" as the engine keeps it: decimal text; nothing for anything else.
std::optional<std::int32_t> ParsedUseCount(const std::optional<std::string>& text) {
    std::int32_t count = 0;
    if (!text || text->empty()) return std::nullopt;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, count);
    if (error != std::errc() || stop != end) return std::nullopt;
    return count;
}

// A count that cannot be read counts as 0 when the count is raised.
std::int64_t UseCount(const std::optional<std::string>& text) { return ParsedUseCount(text).value_or(0); }

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

std::string EngineKeyName(const std::string& below = {}) {
    return std::string("HKEY_LOCAL_MACHINE\\") + idapi::EngineKey + (below.empty() ? "" : "\\" + below);
}

std::vector<std::string> SubkeyNames(const RegistryKey& key) {
    std::vector<std::string> names;
    char name[256];  // a key name has at most 255 characters
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    return names;
}

// Deletes the key with every key below it; true also when there was none.
bool DeleteTree(HKEY root, const std::string& path) {
    if (const auto key = RegistryKey::Open(root, path))
        for (const std::string& child : SubkeyNames(*key)) DeleteTree(root, path + "\\" + child);
    if (RegistryKey::Delete(root, path)) return true;
    DebugNote("Nu pot sterge cheia de registru HKEY_LOCAL_MACHINE\\" + path);
    return false;
}

// One value the registration wrote, in the engine key or a key below it.
struct RegisteredValue {
    const char* key;  // below the engine key; empty for the engine key itself
    const char* name;
};

// What the engine's registration file writes besides BLW32.
constexpr RegisteredValue RegisteredValues[] = {
    {"", idapi::DllPathValue},
    {"", UseCountValue},
    {"", idapi::ConfigFileValue},
    {"Settings\\SYSTEM\\INIT", "VERSION"},
};

std::string BelowEngineKey(const std::string& below) {
    return below.empty() ? std::string(idapi::EngineKey) : std::string(idapi::EngineKey) + "\\" + below;
}

bool DeleteRegisteredValue(const RegisteredValue& value) {
    const std::string path = BelowEngineKey(value.key);
    auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, path, KEY_READ | KEY_WRITE);
    // A key that cannot even be read holds nothing the registration left.
    if (!key) return !RegistryKey::Open(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE);
    const LONG status = RegDeleteValueA(*key, value.name);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return true;
    DebugNote("Nu pot sterge valoarea " + std::string(value.name) + " din cheia de registru " +
              EngineKeyName(value.key) + " (cod " + std::to_string(status) + ")");
    return false;
}

bool HoldsNothing(const RegistryKey& key) {
    DWORD subkeys = 0, values = 0;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

// Removes the keys the registration file names, deepest first, while they
// are left empty: the first that still holds something was there before
// (or is in use by someone else), and so are the keys above it.
bool RemoveEmptiedKeys() {
    const std::string keys[] = {BelowEngineKey("Settings\\SYSTEM\\INIT"), BelowEngineKey("Settings\\SYSTEM"),
                                BelowEngineKey("Settings"), idapi::EngineKey, "Software\\Borland"};
    for (const std::string& path : keys) {
        const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, path);
        if (!key) continue;
        if (!HoldsNothing(*key)) return true;
        if (!RegistryKey::Delete(HKEY_LOCAL_MACHINE, path)) {
            DebugNote("Nu pot sterge cheia de registru HKEY_LOCAL_MACHINE\\" + path);
            return false;
        }
    }
    return true;
}

// The engine's alias store is the engine's own file, made by its first
// save: with no alias left in it, it goes with the engine, so that the
// engine's folders can go too. A store that still names an alias belongs to
// a program that uses it, and stays.
void RemoveEmptyAliasStore() {
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, idapi::EngineKey);
    const std::optional<std::string> store = key ? key->ReadString(idapi::ConfigFileValue) : std::nullopt;
    if (!store || store->empty()) return;
    std::string text;
    if (ReadFileContents(*store, text) != 0) return;
    for (const std::string& line : SplitLines(text))
        if (Trimmed(line).starts_with("[")) {
            DebugNote("Fisierul aliasurilor " + *store + " ramane: contine alte aliasuri");
            return;
        }
    if (DeleteFileA(store->c_str()))
        DebugNote("Sters fisierul aliasurilor, gol: " + *store);
    else
        DebugNote("Nu pot sterge fisierul aliasurilor " + *store + " (cod " + std::to_string(GetLastError()) + ")");
}

}  // namespace

std::optional<std::int64_t> LowerEngineUseCount() {
    auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, idapi::EngineKey, KEY_READ | KEY_WRITE);
    if (!key) {
        DebugNote("Nu pot deschide cheia de registru " + EngineKeyName());
        return std::nullopt;
    }
    // A negative count is no count either: whoever wrote it, the engine may
    // still be in use.
    const auto count = ParsedUseCount(key->ReadString(UseCountValue));
    if (!count || *count < 0) {
        DebugNote("Valoarea " + std::string(UseCountValue) + " din cheia de registru " + EngineKeyName() +
                  " lipseste sau nu este un numar");
        return std::nullopt;
    }
    const std::int64_t lowered = *count > 0 ? *count - 1 : 0;
    if (!key->WriteString(UseCountValue, std::to_string(lowered))) {
        DebugNote("Nu pot scrie valoarea " + std::string(UseCountValue) + " in cheia de registru " + EngineKeyName());
        return std::nullopt;
    }
    return lowered;
}

bool UnregisterEngine() {
    RemoveEmptyAliasStore();
    bool allGone = DeleteTree(HKEY_LOCAL_MACHINE, InstalledKey);
    for (const RegisteredValue& value : RegisteredValues) allGone &= DeleteRegisteredValue(value);
    return RemoveEmptiedKeys() && allGone;
}

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
