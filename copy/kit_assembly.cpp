#include "copy/kit_assembly.h"

#include <windows.h>

#include "copy/copy_messages.h"
#include "core/files.h"
#include "core/folder_listing.h"

KitSource TakeKitSource(TInstallSettings& settings) {
    const std::string root = settings.SourceDir.substr(0, 3);
    if (GetDriveTypeA(root.c_str()) != DRIVE_REMOVABLE) settings.DiskCount = 1;
    if (!settings.SourceDir.empty() && settings.SourceDir.back() == '\\') settings.SourceDir.pop_back();
    return {settings.SourceDir, settings.DiskCount};
}

bool DiskMarkerPresent(const std::string& kitFolder, std::uint32_t disk) {
    return FileExists(kitFolder + "\\DISK" + std::to_string(disk));
}

bool WaitForDiskMarker(const std::string& kitFolder, std::uint32_t disk) {
    while (!DiskMarkerPresent(kitFolder, disk)) {
        if (!AskForDisk(disk)) return false;
    }
    return true;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const WIN32_FIND_DATAA& entry : ListFolder(folder))
        if (!IsFolderEntry(entry)) files.emplace_back(entry.cFileName);
    return files;
}

namespace {

// Damage a second reading of the disk may mend: a listed piece whose bytes
// or length are not the kit's, or that could not be read.
bool Mendable(PieceAssembly::Result result, const ExpectedPiece* expected) {
    using Result = PieceAssembly::Result;
    return expected != nullptr &&
           (result == Result::kWrongSize || result == Result::kWrongCrc || result == Result::kCannotRead);
}

}  // namespace

bool AssembleKit(const KitSource& kit, TCompSet selected, const PieceManifest& listed, PieceAssembly& assembly,
                 const KitAssemblyHooks& hooks) {
    std::uint32_t piecesCopied = 0;
    for (std::uint32_t disk = 1; disk <= kit.diskCount && disk != 0; ++disk) {
        if (!hooks.waitForDisk(disk)) return false;
        hooks.diskFound(disk);
        for (const PieceName& piece : OrderPieces(FilesIn(kit.folder), selected)) {
            hooks.pieceStarting(piece.file);
            const ExpectedPiece* expected = listed.Find(piece.file);
            for (;;) {
                const PieceAssembly::Result result = assembly.Add(kit.folder + "\\" + piece.file, piece, expected);
                if (result == PieceAssembly::Result::kAdded) break;
                if (!Mendable(result, expected)) {
                    throw CopyFailure(PieceFailureText(piece.file, result, assembly.ArchivePath(piece.component)));
                }
                if (!hooks.retryDamaged({piece.file, disk, result, assembly.LastRead(), *expected})) return false;
            }
            ++piecesCopied;
        }
        hooks.diskDone(piecesCopied);
    }
    return true;
}
