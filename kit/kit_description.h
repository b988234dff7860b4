// The kit description: a small text file that says what a kit is made of.
//
//   # comment
//   install  PATH            the INSTALL.EXE the kit ships
//   upgrade  FOLDER          files of the upgrade archive UPGRADE.1
//   component NAME FOLDER    files of FOLDER (with sub-folders) go into the
//                            archive of component NAME; several lines of one
//                            name merge their files
//
// Paths are relative to the description's folder unless absolute; a path is
// the rest of its line, so it may hold blanks. Names are upper-cased. This
// module only reads and checks the text; gathering the files is sources.h.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korven::kit {

// A folder named on one line of the description.
struct SourceFolder {
    std::filesystem::path folder;
    int line = 0;
};

struct ComponentSource {
    std::string name;  // upper-case, one of the installer's components
    std::vector<SourceFolder> folders;
};

struct KitDescription {
    std::filesystem::path installer;  // INSTALL.EXE
    int installerLine = 0;
    std::vector<SourceFolder> upgrade;
    std::vector<ComponentSource> components;  // in the order first named
};

// Reads and checks a description; KitError names the file and the line.
KitDescription ReadKitDescription(const std::filesystem::path& file);

// The same from text, with paths taken relative to `base`; `fileName` only
// names the description in messages.
KitDescription ParseKitDescription(const std::string& text, const std::filesystem::path& base,
                                   const std::string& fileName);

}  // namespace korven::kit
