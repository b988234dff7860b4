// Assembling the archives from the kit: disk after disk, wait for the disk,
// then join each of its pieces of the selected components into the archives
// in the program folder. A kit on a hard disk or CD is one folder with one
// disk marker; on floppies each disk carries its own marker DISKn.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "copy/piece_assembly.h"
#include "core/settings.h"

// Where the kit lies and how many disks to read, from the settings: a kit
// that is not on a removable drive is one folder, whatever the settings
// file said (DiskCount becomes 1); SourceDir loses its final "\".
struct KitSource {
    std::string folder;  // without a final "\"
    std::uint32_t diskCount = 1;
};
KitSource TakeKitSource(TInstallSettings& settings);

// True when the marker of disk n lies in the kit folder.
bool DiskMarkerPresent(const std::string& kitFolder, std::uint32_t disk);

// Asks for disk n, under the disk prompts' prefix, until its marker is
// found; false when the user answered Cancel.
bool WaitForDiskMarker(const std::string& kitFolder, std::uint32_t disk);

// The names of the files (not folders) in a folder; empty when it cannot
// be read.
std::vector<std::string> FilesIn(const std::string& folder);

// A piece the kit lists that came off its disk damaged: what was expected of
// it and what was read.
struct DamagedPiece {
    std::string file;
    std::uint32_t disk = 0;  // the disk in the drive when it was read
    PieceAssembly::Result result = PieceAssembly::Result::kCannotRead;
    PieceAssembly::ReadPiece read;
    ExpectedPiece expected;
};

// What the page shows and asks while the kit is assembled.
struct KitAssemblyHooks {
    std::function<bool(std::uint32_t disk)> waitForDisk;  // false: the user declined
    std::function<void(std::uint32_t disk)> diskFound;
    std::function<void(const std::string& piece)> pieceStarting;
    std::function<void(std::uint32_t piecesCopied)> diskDone;  // over all disks so far
    // True when the disk is back in the drive for another try at the piece,
    // false when the user abandoned.
    std::function<bool(const DamagedPiece& damage)> retryDamaged;
};

// Joins the pieces of every disk into `assembly`, checking those that
// `listed` names. False when a disk was declined or a damaged piece
// abandoned. A piece that cannot be joined otherwise throws CopyFailure
// naming it.
bool AssembleKit(const KitSource& kit, TCompSet selected, const PieceManifest& listed, PieceAssembly& assembly,
                 const KitAssemblyHooks& hooks);
