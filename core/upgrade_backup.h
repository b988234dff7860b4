// The backup that makes an upgrade undoable, kept with the installation in
// <program folder>\BACKUP\<yyyy-mm-dd hh.mm.ss>\:
//
//   CUPRINS.TXT  what the backup holds, a line for each thing as it is
//                saved, so that a run cut off anywhere leaves a true list:
//                  KORVEN copie de siguranta 1
//                  INLOCUIT C:\WinKorv\KORVEN.EXE   saved as FISIERE\C\WinKorv\KORVEN.EXE
//                  ADAUGAT C:\WinKorv\NOUTATI.TXT   a file the upgrade adds
//                  DOSAR C:\WinKorv\NOU             a folder the upgrade makes
//                  DATE C:\WinKorv                  the data folder, saved whole in DATE
//   NETERMINAT   stands from the moment the backup begins until the upgrade
//                ends well or everything is put back
//
// WIN.INI names the backup whose marker stands ([KORVEN Instalare]
// CopieNeterminata), so that the next start of the installer finds a run
// that was cut off.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A backup that could not be made or read; what() is the Romanian text.
class BackupFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class UpgradeBackup {
public:
    // A new backup of the installation in `programFolder`, its marker set.
    static UpgradeBackup Begin(const std::string& programFolder);
    // The backup in `folder`, as its list says.
    explicit UpgradeBackup(std::string folder);

    const std::string& Folder() const { return folder_; }

    // Saves a file before the upgrade replaces it. A file saved or added
    // earlier in this backup is left as the backup has it.
    void SaveReplaced(const std::string& file);
    void NoteAdded(const std::string& file);
    void NoteAddedFolder(const std::string& folder);
    // Saves the whole data folder, without the installation's backups.
    void SaveDataFolder(const std::string& dataFolder);

    // The upgrade ended well: the marker goes, and of the installation's
    // backups the newest three stay.
    void Finish();

    // Asked for a file that cannot be put back or removed: true to try it
    // again, false to stop the restore where it is.
    using RetryQuestion = std::function<bool(const std::string& file)>;
    // Puts back the data folder and every replaced file, removes the added
    // files and the folders made for them. True when all is back; the
    // marker then goes. Each step is logged.
    bool Restore(const RetryQuestion& retry);

    // The backup of a run that was cut off, when the marker of the one that
    // WIN.INI names still stands.
    static std::optional<std::string> Unfinished();

    // The bytes a file or a whole folder takes; folders named in `except`
    // are left out.
    static std::uint64_t SizeOf(const std::string& path, const std::string& except = {});

private:
    void Append(const std::string& kind, const std::string& path);
    std::string BackupRoot() const;
    std::string SavedPath(const std::string& file) const;

    std::string folder_;
    std::set<std::string> saved_, added_;  // upper-cased
    std::vector<std::string> replacedFiles_, addedFiles_, addedFolders_;
    std::string dataFolder_;
};
