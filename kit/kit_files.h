// The names and small texts of a kit, as the installer looks for them: the
// three files its start-up copies from the first disk, the marker that tells
// it which disk is in the drive, and the numbered pieces of each archive.
#pragma once

#include <cstddef>
#include <string>

namespace korven::kit {

inline constexpr const char* kInstallerFile = "INSTALL.EXE";
inline constexpr const char* kSettingsFile = "INSTALL.CFG";
inline constexpr const char* kUpgradeFile = "UPGRADE.1";
inline constexpr const char* kUpgradeArchive = "UPGRADE";

// "DISK3": only its presence is looked at; the text is for a person who
// opens the disk.
inline std::string MarkerName(size_t disk) { return "DISK" + std::to_string(disk); }
inline std::string MarkerText(size_t disk) {
    return "KORVEN - discul de instalare nr. " + std::to_string(disk) + "\r\n";
}

// The settings file, a Windows profile, begins with the number of disks; the
// list of pieces follows (piece_manifest.h).
inline std::string SettingsText(size_t diskCount) {
    return "[General]\r\nNrDiscuri=" + std::to_string(diskCount) + "\r\n";
}

// "EXE.2": the second piece of the archive of component EXE.
inline std::string PieceName(const std::string& component, size_t number) {
    return component + "." + std::to_string(number);
}

}  // namespace korven::kit
