// The installer's component table as far as a kit is concerned: the names of
// its archives, in the table's order. The copy page extracts in this order and
// takes a piece only when its name is one of these, so a kit carries nothing
// else and lays its pieces out in the same order. A test of the Windows tree
// holds this list against the installer's own table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace korven::kit {

inline constexpr std::array<std::string_view, 7> kComponentNames{"EXE",   "OUTPOST", "DBDAT",  "DBNEW",
                                                                 "BDE32", "HELP",    "PAYROLL"};

// The components the copy page passes over quietly when their archive is
// missing; a kit without one of the others cannot install.
inline constexpr std::array<std::string_view, 2> kOptionalComponents{"OUTPOST", "PAYROLL"};

// Row of the table for an upper-case name.
inline std::optional<size_t> ComponentRow(std::string_view name) {
    for (size_t row = 0; row < kComponentNames.size(); ++row) {
        if (kComponentNames[row] == name) return row;
    }
    return std::nullopt;
}

inline bool IsOptionalComponent(std::string_view name) {
    for (auto optional : kOptionalComponents) {
        if (optional == name) return true;
    }
    return false;
}

// "EXE, OUTPOST, ..." for messages.
inline std::string ComponentList() {
    std::string list;
    for (auto name : kComponentNames) {
        if (!list.empty()) list += ", ";
        list += name;
    }
    return list;
}

}  // namespace korven::kit
