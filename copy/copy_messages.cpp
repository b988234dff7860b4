#include "copy/copy_messages.h"

#include "toolkit/message_dialog.h"
#include "core/report_failure.h"

bool AskForDisk(unsigned disk) {
    const MessagePrefixFor prefix("Pentru continuare");
    return RomMessageDlg("introdu discul de instalare cu numarul \r" + std::to_string(disk), "", mtWarning, taCenter,
                         {mbOK, mbCancel}, mbOK) != mrCancel;
}

void WarnOldEngine() {
    const MessagePrefixFor prefix("Protectia aplicatiilor existente");
    RomMessageDlg(
        "Am gasit o instalare mai veche de\rmotor baza de date (BDE)...\rDaca WinKORVEN nu functioneaza, "
        "contactati-ne.\r",
        "", mtError, taCenter, {mbOK}, mbOK);
}

std::string PieceFailureText(const std::string& piece, PieceAssembly::Result result, const std::string& archive) {
    switch (result) {
    case PieceAssembly::Result::kNotBegun:
        return "Fisierul " + piece + " nu poate fi adaugat la arhiva " + archive +
               ":\rprima ei parte (.1) lipseste din kitul de instalare.";
    case PieceAssembly::Result::kCannotRead: return "Nu pot citi fisierul " + piece + " de pe discul de instalare.";
    case PieceAssembly::Result::kCannotWrite: return "Nu pot scrie fisierul " + piece + " in arhiva " + archive + ".";
    case PieceAssembly::Result::kAdded: break;
    }
    return {};
}

void ShowCopyError(const std::string& text) {
    ReportFailure(text, text + "\rInstalarea nu a fost terminata.", {"", {mbOK}, mbOK});
}

bool AskGoOnAfterDamage(const std::string& description, const std::string& archive, const std::string& shortfall) {
    // A damaged archive is a failure of the copy, whatever is answered. No is
    // the default: going on with a damaged component is the user's deliberate
    // choice, never what Enter or the automatic answer picks.
    const std::string damage =
        "Arhiva " + archive + " (" + description + ")\rnu a fost decompresata complet:\r" + shortfall;
    return ReportFailure(damage, damage + ".\r\rContinuati instalarea?", {"", {mbYes, mbNo}, mbNo}) == mrYes;
}

void ReportUndeletable(const std::string& path) {
    ReportFailure("Nu pot sterge " + path, "Nu pot sterge " + path, {"", {mbOK}, mbOK});
}
