#include "shell/upgrade_rollback.h"

#include <string>

#include "config/uninstall_entry.h"
#include "core/debug_log.h"
#include "core/outcome.h"
#include "core/report_failure.h"
#include "core/unattended.h"
#include "core/upgrade_backup.h"
#include "core/version.h"
#include "framework/application.h"
#include "shell/wizard.h"
#include "toolkit/format_codes.h"
#include "toolkit/message_dialog.h"

namespace {

// A file that cannot be put back: Retry, or Abandon with the backup kept
// for the next start. Nobody can close programs in an unattended run.
bool AskRetryRestore(const std::string& file) {
    if (Unattended.Active || Application().Terminated()) return false;
    const MessagePrefixFor noPrefix("");
    return RomMessageDlg(LiteralFormatText("Nu pot pune inapoi fisierul\r" + file +
                                           "\r\rInchideti programele care il folosesc, apoi alegeti Reincearca.\r"
                                           "Abandon lasa restaurarea neterminata: ea va fi oferita din nou\r"
                                           "la urmatoarea pornire a instalarii."),
                         "Restaurare", mtWarning, taCenter, {mbRetry, mbAbort}, mbRetry) == mrRetry;
}

bool Restore(const std::string& folder) {
    try {
        return UpgradeBackup(folder).Restore(AskRetryRestore);
    } catch (const BackupFailure& failure) {
        ReportFailure(failure.what(), failure.what(), {"", {mbOK}, mbOK});
        return false;
    }
}

bool AskRestore(const std::string& folder) {
    const std::string text =
        "Actualizarea nu s-a terminat cu bine.\r\r"
        "Programele si datele pot fi puse inapoi asa cum erau inainte,\r"
        "din copia de siguranta:\r" +
        folder + "\r\rRestaurati instalarea anterioara?";
    return ReportFailure("Actualizarea nu s-a terminat: " + folder, text, {"Restaurare", {mbYes, mbNo}, mbYes}) ==
           mrYes;
}

// The upgrade ended well: KORVEN's entry in the list of programs gets its
// version, size and date, from the record the upgrade wrote. A record that
// is not this version's (it could not be written) leaves the entry as it
// was, naming the uninstaller that goes with that record.
void UpdateUninstallEntry(const TInstallSettings& settings) {
    DebugBegin("WriteUninstallEntry");
    std::string problem;
    const std::optional<InstallationRecord> record = ReadInstallationRecord(settings.ProgramDir, &problem);
    if (!record || record->kitVersion != KORVEN_VERSION_TEXT) {
        DebugNote("Intrarea de dezinstalare ramane neschimbata: " +
                  (record ? "inregistrarea este a versiunii " + record->kitVersion : problem));
    } else if (!WriteUninstallEntry(*record)) {
        ReportFailure("Nu pot scrie cheia " + std::string(UninstallEntryKey),
                      "Nu pot scrie cheia de registru\rHKEY_LOCAL_MACHINE\\" + std::string(UninstallEntryKey) +
                          "\r\rKORVEN este actualizat si functioneaza; lista programelor\r"
                          "instalate arata inca versiunea anterioara.",
                      {"Eroare...", {mbOK}, mbOK});
    }
    DebugEnd("WriteUninstallEntry");
}

bool Failed(std::uint8_t slot, int result, const TInstallSettings& settings) {
    if (result == mrCancel || Application().Terminated()) return true;
    return slot == SlotUpgradeData && result == mrOk && settings.UpgradeStepFailed;
}

}  // namespace

std::uint8_t AfterUpgradePage(std::uint8_t slot, int result, std::uint8_t next, TInstallSettings& settings) {
    if (!settings.UpgradeMode || settings.BackupFolder.empty()) return next;
    if (slot != SlotUpgradeCopy && slot != SlotUpgradeData) return next;
    const std::string folder = settings.BackupFolder;
    if (!Failed(slot, result, settings)) {
        if (next == SlotEnd) {
            UpgradeBackup(folder).Finish();
            settings.BackupFolder.clear();
            UpdateUninstallEntry(settings);
        }
        return next;
    }
    if (Unattended.Active) {
        RecordOutcome(ecFailed);
        if (!Unattended.Rollback) {
            DebugNote("Actualizarea nu s-a terminat; /ROLLBACK=NO: nimic nu este restaurat. Copia de siguranta: " +
                      folder);
            return SlotDone;
        }
        DebugNote("Actualizarea nu s-a terminat: restaurare fara intrebari din " + folder);
        Restore(folder);
        return SlotDone;
    }
    // A program that is quitting shows no question: its default is taken.
    settings.BackupFolder.clear();
    if (!Application().Terminated() && !AskRestore(folder)) {
        // Declined: what the upgrade left is the customer's choice, and the
        // next start does not offer the restore again.
        UpgradeBackup(folder).Finish();
        if (next == SlotEnd)
            settings.EndNote =
                "Actualizarea nu s-a terminat cu bine.\r\n\r\nCopia de siguranta a instalarii "
                "anterioare\r\nramane in " +
                folder;
        return next;
    }
    if (Restore(folder)) {
        settings.EndNote =
            "Actualizarea nu s-a terminat.\r\n\r\nProgramele si datele au fost puse inapoi\r\n"
            "asa cum erau inainte de actualizare.";
    } else {
        settings.EndNote =
            "Actualizarea nu s-a terminat, iar restaurarea\r\nnu a putut fi terminata.\r\n\r\n"
            "Ea va fi oferita din nou la urmatoarea\r\npornire a instalarii.";
    }
    return Application().Terminated() ? SlotDone : SlotEnd;
}

void OfferUnfinishedRestore() {
    const std::optional<std::string> folder = UpgradeBackup::Unfinished();
    if (!folder) return;
    DebugNote("Actualizare neterminata gasita: " + *folder);
    if (Unattended.Active) {
        if (Unattended.Rollback) Restore(*folder);
        return;
    }
    const MessagePrefixFor noPrefix("");
    const std::string text =
        "O actualizare anterioara a programului KORVEN nu s-a terminat.\r\r"
        "Programele si datele pot fi puse inapoi asa cum erau inainte,\r"
        "din copia de siguranta:\r" +
        *folder + "\r\rRestaurati acum instalarea anterioara?";
    if (RomMessageDlg(LiteralFormatText(text), "Restaurare", mtConfirmation, taCenter, {mbYes, mbNo}, mbYes) != mrYes)
        return;
    const bool whole = Restore(*folder);
    RomMessageDlg(whole ? "Instalarea anterioara a fost pusa inapoi." : "Restaurarea nu a putut fi terminata.", "",
                  whole ? mtInformation : mtWarning, taCenter, {mbOK}, mbOK);
}
