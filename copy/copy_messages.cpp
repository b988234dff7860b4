#include "copy/copy_messages.h"

#include "toolkit/format_codes.h"
#include "toolkit/message_dialog.h"
#include "core/outcome.h"
#include "core/report_failure.h"
#include "core/unattended.h"

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
    case PieceAssembly::Result::kWrongSize:
    case PieceAssembly::Result::kWrongCrc: return "Fisierul " + piece + " de pe discul de instalare este deteriorat.";
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

namespace {

// A wait the user can end: Retry or Abandon, Abandon the default, so that
// Enter, or an unattended run, changes nothing. The message names files
// and drives, which are data, and is shown as it stands.
bool AskRetry(const std::string& message, const std::string& caption) {
    // Nobody can close programs or make room for an unattended run: it fails
    // here, and the dialog's automatic answer ends it.
    if (Unattended.Active) RecordOutcome(ecFailed);
    const MessagePrefixFor noPrefix("");
    return RomMessageDlg(LiteralFormatText(message), caption, mtWarning, taCenter, {mbRetry, mbAbort}, mbAbort) ==
           mrRetry;
}

}  // namespace

bool AskRetryFilesInUse(const std::vector<std::string>& files) {
    constexpr std::size_t kListed = 8;
    std::string list;
    for (std::size_t i = 0; i < files.size() && i < kListed; ++i) list += files[i] + "\r";
    if (files.size() > kListed) list += "si inca " + std::to_string(files.size() - kListed) + " fisiere\r";
    return AskRetry("Aceste fisiere sunt folosite de alt program:\r" + list +
                        "\rInchideti KORVEN pe acest calculator si pe toate calculatoarele\r"
                        "care il folosesc, apoi alegeti Reincearca.\r"
                        "Abandon lasa instalarea veche neschimbata.",
                    "Fisiere in folosinta");
}

bool AskRetryLowSpace(const std::string& root, std::uint64_t needed, std::uint64_t free) {
    // Whole megabytes, the need rounded up and the free space down, so that
    // the figures never suggest that it fits.
    constexpr std::uint64_t kMegabyte = 1024 * 1024;
    const std::string neededMb = std::to_string((needed + kMegabyte - 1) / kMegabyte);
    const std::string freeMb = std::to_string(free / kMegabyte);
    return AskRetry("Pe discul " + root + " nu este destul loc pentru instalare:\r" + "sunt necesari " + neededMb +
                        " MB, sunt liberi " + freeMb +
                        " MB.\r\r"
                        "Faceti loc pe disc, apoi alegeti Reincearca.\r"
                        "Abandon opreste instalarea.",
                    "Spatiu insuficient");
}

namespace {

std::string Hex(std::uint32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = digits[value & 0xF];
    return text;
}

std::string DamageText(const DamagedPiece& damage) {
    switch (damage.result) {
    case PieceAssembly::Result::kWrongSize:
        return "are " + std::to_string(damage.read.size) + " octeti in loc de " + std::to_string(damage.expected.size) +
               ".";
    case PieceAssembly::Result::kWrongCrc:
        return "continutul lui difera de cel din kit\r(CRC " + Hex(damage.read.crc) + " in loc de " +
               Hex(damage.expected.crc) + ").";
    default: return "nu poate fi citit.";
    }
}

}  // namespace

bool AskRetryDamagedPiece(const DamagedPiece& damage) {
    const std::string disk = std::to_string(damage.disk);
    return AskRetry("Fisierul " + damage.file + " de pe discul de instalare nr. " + disk + " este deteriorat:\r" +
                        DamageText(damage) + "\r\rIntroduceti din nou discul " + disk +
                        " sau o copie buna a lui,\rapoi alegeti Reincearca.\rAbandon opreste instalarea.",
                    "Disc deteriorat");
}

void ReportUndeletable(const std::string& path) {
    ReportFailure("Nu pot sterge " + path, "Nu pot sterge " + path, {"", {mbOK}, mbOK});
}

void ReportNotRestored(const std::string& original, const std::string& copy) {
    const std::string text =
        "Nu pot pune la loc fisierul " + original + ".\rContinutul lui de dinainte este in " + copy + ".";
    ReportFailure(text, text, {"", {mbOK}, mbOK});
}
