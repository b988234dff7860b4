#include "core/installation_record.h"

#include <windows.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/text.h"

namespace {

constexpr char Heading[] = "KORVEN inregistrarea instalarii ";
constexpr std::array<const char*, 4> TypeWords{"", "LOCAL", "SERVER", "CLIENT"};
constexpr std::array<const char*, 3> EngineWords{"NIMIC", "INREGISTRAT", "FOLOSIT"};

template <std::size_t N>
std::optional<std::size_t> IndexOf(const std::array<const char*, N>& words, const std::string& word) {
    for (std::size_t i = 0; i < N; ++i)
        if (word == words[i] && word[0] != '\0') return i;
    return std::nullopt;
}

std::string Hex8(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

// "NAME=value", the name first: neither alias names nor item captions hold
// a "=", while a folder may.
std::optional<std::pair<std::string, std::string>> NamedValue(const std::string& rest) {
    const auto equals = rest.find('=');
    if (equals == std::string::npos || equals == 0) return std::nullopt;
    return std::make_pair(rest.substr(0, equals), rest.substr(equals + 1));
}

// "EXE 1048576 0A1B2C3D path with blanks".
std::optional<RecordedFile> ParseFile(const std::string& rest) {
    RecordedFile file;
    const auto firstBlank = rest.find(' ');
    const auto secondBlank = firstBlank == std::string::npos ? firstBlank : rest.find(' ', firstBlank + 1);
    const auto thirdBlank = secondBlank == std::string::npos ? secondBlank : rest.find(' ', secondBlank + 1);
    if (thirdBlank == std::string::npos || thirdBlank + 1 >= rest.size()) return std::nullopt;
    file.component = rest.substr(0, firstBlank);
    const char* sizeBegin = rest.data() + firstBlank + 1;
    const char* sizeEnd = rest.data() + secondBlank;
    const char* crcBegin = sizeEnd + 1;
    const char* crcEnd = rest.data() + thirdBlank;
    const auto size = std::from_chars(sizeBegin, sizeEnd, file.size);
    const auto crc = std::from_chars(crcBegin, crcEnd, file.crc, 16);
    if (size.ec != std::errc() || size.ptr != sizeEnd || crc.ec != std::errc() || crc.ptr != crcEnd ||
        crcEnd - crcBegin != 8 || !ComponentRow(file.component))
        return std::nullopt;
    file.path = rest.substr(thirdBlank + 1);
    return file;
}

bool SamePath(const std::string& a, const std::string& b) { return UpperAscii(a) == UpperAscii(b); }

}  // namespace

std::string FormatInstallationRecord(const InstallationRecord& record) {
    std::string text = Heading + std::to_string(InstallationRecordVersion) + "\r\n";
    text += "; Scris de programul de instalare; programul de dezinstalare il citeste.\r\n";
    // A value not known is left out: a key without one is not understood.
    const auto line = [&text](const char* key, const std::string& rest) {
        if (!rest.empty()) text += key + (" " + rest) + "\r\n";
    };
    line("KIT", record.kitVersion);
    line("TIP", TypeWords[record.type < TypeWords.size() ? record.type : 0]);
    line("PROGRAM", record.programDir);
    line("DATE", record.dataDir);
    line("MOTOR", EngineWords[static_cast<std::size_t>(record.engine)]);
    if (!record.engineDir.empty()) line("DOSARMOTOR", record.engineDir);
    for (const RecordedAlias& alias : record.aliases) line("ALIAS", alias.name + "=" + alias.folder);
    if (!record.group.empty()) line("GRUP", record.group);
    for (const RecordedItem& item : record.items) line("ELEMENT", item.caption + "=" + item.path);
    for (const std::string& folder : record.folders) line("DOSAR", folder);
    for (const RecordedFile& file : record.files)
        line("FISIER", file.component + " " + std::to_string(file.size) + " " + Hex8(file.crc) + " " + file.path);
    return text;
}

std::optional<InstallationRecord> ParseInstallationRecord(const std::string& text, std::string* problem) {
    const auto refuse = [problem](std::string why) -> std::optional<InstallationRecord> {
        if (problem) *problem = std::move(why);
        return std::nullopt;
    };
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.empty() || !lines[0].starts_with(Heading)) return refuse("nu este o inregistrare a instalarii KORVEN");
    if (lines[0].substr(std::size(Heading) - 1) != std::to_string(InstallationRecordVersion))
        return refuse("versiunea inregistrarii (" + lines[0].substr(std::size(Heading) - 1) +
                      ") nu este cunoscuta de acest program");

    InstallationRecord record;
    for (std::size_t number = 1; number < lines.size(); ++number) {
        const std::string& line = lines[number];
        if (line.empty() || line[0] == ';') continue;
        const auto blank = line.find(' ');
        const std::string key = line.substr(0, blank);
        const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
        const auto notUnderstood = [&] {
            return refuse("linia " + std::to_string(number + 1) + " nu este inteleasa: " + line);
        };
        if (rest.empty()) return notUnderstood();
        bool understood = true;
        if (key == "KIT") {
            record.kitVersion = rest;
        } else if (key == "TIP") {
            const auto type = IndexOf(TypeWords, rest);
            understood = type.has_value();
            if (type) record.type = static_cast<TInstallType>(*type);
        } else if (key == "PROGRAM") {
            record.programDir = rest;
        } else if (key == "DATE") {
            record.dataDir = rest;
        } else if (key == "MOTOR") {
            const auto use = IndexOf(EngineWords, rest);
            understood = use.has_value();
            if (use) record.engine = static_cast<EngineUse>(*use);
        } else if (key == "DOSARMOTOR") {
            record.engineDir = rest;
        } else if (key == "ALIAS" || key == "ELEMENT") {
            const auto named = NamedValue(rest);
            understood = named.has_value();
            if (named && key == "ALIAS") record.aliases.push_back({named->first, named->second});
            if (named && key == "ELEMENT") record.items.push_back({named->first, named->second});
        } else if (key == "GRUP") {
            record.group = rest;
        } else if (key == "DOSAR") {
            record.folders.push_back(rest);
        } else if (key == "FISIER") {
            auto file = ParseFile(rest);
            understood = file.has_value();
            if (file) record.files.push_back(std::move(*file));
        } else {
            understood = false;
        }
        if (!understood) return notUnderstood();
    }
    if (record.programDir.empty()) return refuse("lipseste folderul programului (PROGRAM)");
    return record;
}

std::string FolderOfComponent(const InstallationRecord& record, const std::string& component) {
    const std::optional<int> row = ComponentRow(component);
    if (!row) return {};
    switch (Components[*row].CompTarget) {
    case ctProgram: return record.programDir;
    case ctData:
    case ctNewData: return record.dataDir;
    case ctEngine: return record.engineDir;
    }
    return {};
}

std::string FullPathOf(const InstallationRecord& record, const RecordedFile& file) {
    return InFolder(FolderOfComponent(record, file.component), file.path);
}

void RecordFile(InstallationRecord& record, RecordedFile file) {
    const std::string full = FullPathOf(record, file);
    for (RecordedFile& known : record.files)
        if (SamePath(FullPathOf(record, known), full)) {
            known = std::move(file);
            return;
        }
    record.files.push_back(std::move(file));
}

void RecordFolder(InstallationRecord& record, const std::string& folder) {
    for (const std::string& known : record.folders)
        if (SamePath(known, folder)) return;
    record.folders.push_back(folder);
}

std::string InstallationRecordPath(const std::string& programDir) {
    return InFolder(programDir, InstallationRecordName);
}

bool WriteInstallationRecord(const InstallationRecord& record) {
    const std::string path = InstallationRecordPath(record.programDir);
    const std::string temporary = path + ".NOU";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << FormatInstallationRecord(record);
        file.close();
        if (file.fail()) {
            DeleteFileA(temporary.c_str());
            return false;
        }
    }
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temporary.c_str());
    return false;
}

std::optional<InstallationRecord> ReadInstallationRecord(const std::string& programDir, std::string* problem) {
    const std::string path = InstallationRecordPath(programDir);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (problem) *problem = "nu pot deschide " + path;
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        if (problem) *problem = "nu pot citi " + path;
        return std::nullopt;
    }
    return ParseInstallationRecord(text, problem);
}
