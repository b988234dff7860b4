// Taking an installation away by its record, INSTALAT.TXT, and by nothing
// else, so that nothing of the customer's goes with it:
//  - a recorded file goes only while it is as installed (the same size and
//    CRC-32); a changed one is the user's now and stays, named in the log;
//  - the data (the four alias folders below the data folder, the database
//    files, the upgrade backups in BACKUP) go only when asked, and never for
//    a client, whose data belong to the server;
//  - then the program group and the aliases; the engine's use count is
//    lowered, and where it reaches 0 and this installation registered the
//    engine, the engine's files and registration go too;
//  - recorded folders, and the program folder, go when they are empty,
//    deepest first: a folder holding the user's own files stays;
//  - last KORVEN's entry in the list of installed programs and the record.
// Every step is noted in the diagnostic log. C:\CONFIG.SYS and WIN.INI's
// [Korven] section are never touched.
//
// When something cannot be removed (a program still running), the record is
// written again with what is left, and the entry and the uninstaller stay,
// so that the uninstall can be run again once the cause is gone.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/installation_record.h"
#include "uninstall/uninstall_steps.h"

struct RemovalOutcome {
    int filesRemoved = 0;
    std::vector<std::string> changedKept;  // recorded files the user changed
    std::vector<std::string> foldersKept;  // recorded folders that hold files not ours
    std::vector<std::string> failures;     // in Romanian, each what could not be removed
    bool dataRemoved = false;
    std::optional<std::int64_t> engineUseCount;  // after lowering it
    bool engineRemoved = false;
    bool uninstallerRemoved = false;

    bool Succeeded() const { return failures.empty(); }
};

// The record of the installation in `programDir`, checked for removal; on
// failure `problem` says in Romanian why nothing can be removed.
std::optional<InstallationRecord> RecordForRemoval(const std::string& programDir, std::string& problem);

class InstallationRemoval {
public:
    // `removeData` is not heeded for a client. `uninstaller` is the program
    // that runs the removal, in the program folder.
    InstallationRemoval(InstallationRecord record, bool removeData, UninstallSystemSteps steps,
                        std::string uninstaller);

    // How many times Run reports progress, for a gauge.
    int StepCount() const;
    // Everything but the uninstaller and the folders that hold it;
    // `progress` hears the number of steps done after each.
    void Run(const std::function<void(int done)>& progress = {});
    // The uninstaller in the program folder (DEZINST.EXE), which ran the
    // removal, and then the folders it kept from being empty. Only after a
    // removal that succeeded: otherwise it stays for a second run.
    void RemoveUninstaller();

    const InstallationRecord& Record() const { return record_; }
    bool RemovesData() const { return removeData_; }
    const RemovalOutcome& Outcome() const { return outcome_; }

private:
    enum class Part { Program, Data, Engine };
    static Part PartOf(const RecordedFile& file);
    // Removes the recorded files of that part, each only while as installed
    // unless `evenChanged`.
    void RemoveFiles(Part part, bool evenChanged);
    // Leaves the recorded files of that part as they are, still recorded.
    void KeepFiles(Part part);
    void RemoveFile(const RecordedFile& file, bool evenChanged);
    void RemoveTree(const std::string& folder);
    void RemoveData();
    void RemoveGroupAndAliases();
    void RemoveEngine();
    void RemoveFolders(bool holdingUninstaller);
    void RemoveEntryAndRecord();
    void Step();
    void Fail(const std::string& what);

    InstallationRecord record_;
    bool removeData_;
    UninstallSystemSteps steps_;
    std::string uninstaller_;
    RemovalOutcome outcome_;
    std::vector<RecordedFile> left_;  // recorded files still on the disk
    const std::function<void(int)>* progress_ = nullptr;
    int done_ = 0;
};
