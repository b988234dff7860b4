// Paths of extracted members: which stored names may be written at all,
// what already stands at a member's place (a link in its way, a file), and
// creating the folders of an output path.
#pragma once

#include <string>

#include "unzip/platform.h"

namespace korven::unzip {

// False for a stored name that would not land as that file inside the
// target folder:
//  - empty, or holding a NUL byte (every file-system call would end it there);
//  - absolute ("\x", "/x"), with a drive or a stream colon ("C:x", "a:b");
//  - with a ".." piece (also ". ." and similar, which Windows trims to "..");
//  - with a piece that Windows takes for a device (CON, PRN, AUX, NUL,
//    COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$, with any extension, in any case);
//  - with a piece ending in a dot or a blank, which Windows drops, so that
//    the file would land under another name.
// The rules hold on every platform, so the tools and tests see what the
// installer sees.
bool IsSafeMemberName(const std::string& storedName);

// What already stands at the member's place below the target folder, each
// piece of its path asked about once:
//  - kLink when one of its folders, or the file itself, is a symbolic link
//    or a junction: writing through it would land wherever it points;
//  - kNothing when a piece of the path does not exist yet;
//  - else what the last piece is, kFile or kFolder.
// `targetFolder` ends in a separator; the folder itself is not looked at.
platform::PathKind WhatIsAtMemberPath(const std::string& targetFolder, const std::string& storedName);

// Creates the folders of `outputPath` up to, not including, the part after
// its last separator. Starts at the drive's root for "X:\..." and at the
// root for "\..."; stops at the first folder that can be neither entered nor
// created.
void CreateFolderPath(const std::string& outputPath);

}  // namespace korven::unzip
