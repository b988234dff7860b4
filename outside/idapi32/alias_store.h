// The engine's alias store: one INI-style text file, lines ended by CR LF,
// one section per alias:
//
//   [KORVEN]
//   TYPE=PARADOX
//   PATH=C:\WinKorv\DATA
//
// Other programs read this file too (the upgrade library, the tests), so its
// layout is kept plain. Names compare without regard to case, as Windows
// compares them.
#pragma once
#include <optional>
#include <string>
#include <vector>

struct Alias {
    std::string name;
    std::string type;
    std::string path;
};

using AliasList = std::vector<Alias>;

bool SameAliasName(const std::string& a, const std::string& b);
const Alias* FindAlias(const AliasList& aliases, const std::string& name);

std::string FormatAliasStore(const AliasList& aliases);
// Sections without a PATH are kept with an empty one; unknown keys, comment
// lines (";") and text before the first section are ignored.
AliasList ParseAliasStore(const std::string& text);

// A store that does not exist yet is empty; nullopt when it exists but cannot
// be read.
std::optional<AliasList> ReadAliasStore(const std::string& fileName);
// Writes a temporary file beside the store and renames it over the store, so
// a reader sees either the old store or the new one, never a part.
bool WriteAliasStore(const std::string& fileName, const AliasList& aliases);
