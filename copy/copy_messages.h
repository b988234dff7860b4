// What the copy pages say to the user, all through the toolkit's dialog:
// the disk prompt, the older-engine warning, and the failures that end or
// interrupt a copy. The texts live here so that both copy pages say the
// same things the same way.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "copy/kit_assembly.h"
#include "copy/piece_assembly.h"

// A failure that ends the copy; what() is the Romanian text for the user,
// naming what failed.
class CopyFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "introdu discul de instalare cu numarul" n, under the prefix "Pentru
// continuare"; false when the user answered Cancel.
bool AskForDisk(unsigned disk);

// The older database engine found: it is kept and the user is told so,
// under the prefix "Protectia aplicatiilor existente".
void WarnOldEngine();

// The failure text of a piece that could not be joined into its archive.
std::string PieceFailureText(const std::string& piece, PieceAssembly::Result result, const std::string& archive);

// Errors of the copy: logged, recorded as the run's outcome and shown.
void ShowCopyError(const std::string& text);

// A component's archive did not come out whole: true when the user goes on
// with the installation, false when he abandons it.
bool AskGoOnAfterDamage(const std::string& description, const std::string& archive, const std::string& shortfall);

// Files the upgrade must replace are held open by another program: the user
// is asked to close KORVEN everywhere. True for Retry, false for Abandon
// (also the answer of an unattended run, which then fails).
bool AskRetryFilesInUse(const std::vector<std::string>& files);

// The drive `root` has `free` bytes where the copy needs `needed`: the user
// is asked to make room. True for Retry, false for Abandon (also the answer
// of an unattended run, which then fails).
bool AskRetryLowSpace(const std::string& root, std::uint64_t needed, std::uint64_t free);

// A piece came off its disk damaged: the user is asked to put the disk in
// again. True for Retry, false for Abandon (also the answer of an unattended
// run, which then fails).
bool AskRetryDamagedPiece(const DamagedPiece& damage);

// An assembled archive or an extracted file that stayed where it was made.
void ReportUndeletable(const std::string& path);

// A file that the copy overwrote could not be given its bytes back: they
// stay in `copy`, which the message names.
void ReportNotRestored(const std::string& original, const std::string& copy);
