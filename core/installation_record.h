// What an installation put on this computer, kept beside its programs in
// INSTALAT.TXT, so that the uninstaller takes away exactly that and nothing
// of the customer's. Plain text, one line a thing, readable in Notepad:
//
//   KORVEN inregistrarea instalarii 1
//   KIT 3200851.09
//   TIP LOCAL
//   PROGRAM C:\WinKorv
//   DATE C:\WinKorv
//   MOTOR INREGISTRAT          (or FOLOSIT: only its use count was raised)
//   DOSARMOTOR C:\Program Files\Borland\Common Files\BDE
//   ALIAS KORVEN=C:\WinKorv\DATA
//   GRUP WinKORVEN
//   ELEMENT Korven=C:\WinKorv\KORVEN.EXE
//   DOSAR C:\WinKorv\NEW\DATA
//   FISIER EXE 1048576 0A1B2C3D KORVEN.EXE
//
// A FISIER line gives the component, the size, the CRC-32 in hexadecimal
// and the path below the component's folder (the program folder, the data
// folder or the engine's folder), last, so that it may hold blanks. Lines
// that begin with ";" are comments. The first line carries the format's
// version: a reader refuses a version it does not know.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/components.h"

inline constexpr char InstallationRecordName[] = "INSTALAT.TXT";
inline constexpr int InstallationRecordVersion = 1;

struct RecordedFile {
    std::string component;  // a CompName of the component table
    std::string path;       // below the component's folder
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
};

// What the installation did to the shared database engine.
enum class EngineUse : std::uint8_t {
    None,        // nothing (the configuration did not run)
    Registered,  // it put the engine in and registered it
    Raised,      // the engine was there: its use count was raised
};

struct RecordedAlias {
    std::string name;
    std::string folder;
};

struct RecordedItem {
    std::string caption;
    std::string path;
};

struct InstallationRecord {
    std::string kitVersion;
    TInstallType type = itNone;
    std::string programDir;
    std::string dataDir;
    EngineUse engine = EngineUse::None;
    std::string engineDir;  // empty when the engine's archive was not extracted
    std::vector<RecordedAlias> aliases;
    std::string group;
    std::vector<RecordedItem> items;
    std::vector<std::string> folders;  // full paths, in the order they were made
    std::vector<RecordedFile> files;
};

std::string FormatInstallationRecord(const InstallationRecord& record);

// The record in `text`; nothing, with `problem` saying why in Romanian, when
// it is not a record of a version this program knows or a line is not
// understood.
std::optional<InstallationRecord> ParseInstallationRecord(const std::string& text, std::string* problem = nullptr);

// The folder a recorded file's path is below, by its component; empty for a
// component the table does not know.
std::string FolderOfComponent(const InstallationRecord& record, const std::string& component);
// A recorded file's full path.
std::string FullPathOf(const InstallationRecord& record, const RecordedFile& file);

// Adds the file, or replaces the line of the same full path (an upgrade's
// newer file).
void RecordFile(InstallationRecord& record, RecordedFile file);
// Adds a folder that is not recorded yet.
void RecordFolder(InstallationRecord& record, const std::string& folder);

// INSTALAT.TXT in `programDir`.
std::string InstallationRecordPath(const std::string& programDir);

// Writes the record into its program folder through a temporary file that
// takes the old record's place only once whole. False when it could not.
bool WriteInstallationRecord(const InstallationRecord& record);
// The record of the installation in `programDir`; nothing when there is
// none or it cannot be read or understood (`problem` then says why).
std::optional<InstallationRecord> ReadInstallationRecord(const std::string& programDir, std::string* problem = nullptr);
