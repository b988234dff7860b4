#include "outside/upgrade/data_steps.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "outside/common/stand_in_text.h"
#include "outside/idapi32/file_handle.h"

namespace {

std::string InFolder(std::string folder, const std::string& name) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder + name;
}

bool FolderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file's bytes; an empty text when it does not exist, nullopt when it
// exists but cannot be read.
std::optional<std::string> ReadWhole(const std::string& fileName) {
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
        if (got == 0) return bytes;
        bytes.append(buffer, got);
    }
}

bool WriteWhole(const std::string& fileName, const std::string& bytes) {
    FileHandle file(
        CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    if (!bytes.empty() && (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                           written != bytes.size()))
        return false;
    return FlushFileBuffers(file) != 0;
}

// Writes a temporary file in the same folder and renames it over the target.
bool ReplaceWhole(const std::string& folder, const std::string& fileName, const std::string& bytes) {
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "upg", 0, temporary)) return false;
    if (!WriteWhole(temporary, bytes) ||
        !MoveFileExA(temporary, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}

// Lines without their CR LF; a last line without an end counts too.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The key of a "KEY=VALUE" line in upper case; empty for other lines.
std::string KeyOf(const std::string& line) {
    const auto equals = line.find('=');
    return equals == std::string::npos ? std::string() : Upper(Trimmed(line.substr(0, equals)));
}

// The version written in a structure file: 0 for a file that is not there
// yet, nullopt for one that does not read as a version.
std::optional<int> StructureVersion(const std::string& text) {
    if (text.empty()) return 0;
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.empty() || KeyOf(lines[0]) != "VERSIUNE") return std::nullopt;
    const std::string digits = Trimmed(lines[0].substr(lines[0].find('=') + 1));
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(digits);
}

// Whether the data folder is there; the user is told when it is not.
bool DataFolderThere(const std::string& dataFolder, const StepReport& report) {
    if (!dataFolder.empty() && FolderExists(dataFolder)) return true;
    report("Nu gasesc directorul bazei de date: " + dataFolder);
    return false;
}

}  // namespace

std::vector<std::string> LibraryListEntries() {
    return {"JUDET=Alba", "JUDET=Cluj", "JUDET=Ilfov", "MONEDA=RON", "MONEDA=EUR", "UM=buc", "UM=kg"};
}

std::vector<std::pair<std::string, std::string>> LibraryConstants(int version) {
    return {{"VERSIUNE_BD", std::to_string(version)}, {"COTA_TVA", "19"}, {"MONEDA_NATIONALA", "RON"}};
}

bool UpgradeStructures(const std::string& dataFolder, int version, const StepReport& report) {
    report("Verificare structuri baza de date...");
    if (!DataFolderThere(dataFolder, report)) return false;
    const std::string fileName = InFolder(dataFolder, StructureFileName);
    const std::optional<std::string> text = ReadWhole(fileName);
    const std::optional<int> current = text ? StructureVersion(*text) : std::nullopt;
    if (!current) {
        report("Fisierul " + std::string(StructureFileName) + " nu poate fi citit");
        return false;
    }
    report("Versiunea structurilor: " + std::to_string(*current));
    if (*current > version) {
        report("Baza de date este mai noua decat programul de actualizare (" + std::to_string(version) + ")");
        return false;
    }
    if (*current == version) {
        report("Structurile sunt la zi");
        return true;
    }
    report("Actualizare structuri la versiunea " + std::to_string(version) + "...");
    if (!ReplaceWhole(dataFolder, fileName, "VERSIUNE=" + std::to_string(version) + "\r\n")) {
        report("Nu pot scrie " + std::string(StructureFileName));
        return false;
    }
    report("Structuri actualizate");
    return true;
}

bool UpgradeLists(const std::string& dataFolder, const StepReport& report) {
    report("Actualizare liste...");
    if (!DataFolderThere(dataFolder, report)) return false;
    const std::string fileName = InFolder(dataFolder, ListFileName);
    const std::optional<std::string> text = ReadWhole(fileName);
    if (!text) {
        report("Fisierul " + std::string(ListFileName) + " nu poate fi citit");
        return false;
    }
    std::vector<std::string> lines = SplitLines(*text);
    report("Liste existente: " + std::to_string(lines.size()) + " intrari");
    int added = 0;
    for (const std::string& entry : LibraryListEntries()) {
        const bool present =
            std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return Trimmed(line) == entry; });
        if (present) continue;
        lines.push_back(entry);
        ++added;
    }
    if (added == 0) {
        report("Listele sunt la zi");
        return true;
    }
    if (!ReplaceWhole(dataFolder, fileName, JoinLines(lines))) {
        report("Nu pot scrie " + std::string(ListFileName));
        return false;
    }
    report("Intrari noi in liste: " + std::to_string(added));
    return true;
}

bool UpgradeConstants(const std::string& dataFolder, int version, const StepReport& report) {
    report("Actualizare constante...");
    if (!DataFolderThere(dataFolder, report)) return false;
    const std::string fileName = InFolder(dataFolder, ConstantsFileName);
    const std::optional<std::string> text = ReadWhole(fileName);
    if (!text) {
        report("Fisierul " + std::string(ConstantsFileName) + " nu poate fi citit");
        return false;
    }
    std::vector<std::string> lines = SplitLines(*text);
    for (const auto& [key, value] : LibraryConstants(version)) {
        bool set = false;
        for (std::string& line : lines)
            if (KeyOf(line) == key) {
                line = key + "=" + value;
                set = true;
            }
        if (!set) lines.push_back(key + "=" + value);
    }
    report("Scriere constante...");
    if (!ReplaceWhole(dataFolder, fileName, JoinLines(lines))) {
        report("Nu pot scrie " + std::string(ConstantsFileName));
        return false;
    }
    report("Constante actualizate");
    return true;
}
