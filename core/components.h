// The fixed table of installable components: the archives a kit carries, the
// folder each is extracted into, which installation types receive which, and
// which may be missing from a kit. The one table of the installer and of the
// kit builder, so the two can never lay out a kit differently. Portable: the
// host's kit builder includes it too.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

enum TInstallType : std::uint8_t {
    itNone = 0,    // not chosen yet
    itLocal = 1,   // program and data on this computer
    itServer = 2,  // this computer holds the database
    itClient = 3,  // the database lies on another computer
};

// Folder into which a component's archive is extracted.
enum TCompTarget : std::uint8_t {
    ctData = 0,     // DataDir, database with examples
    ctNewData = 1,  // DataDir, blank database
    ctProgram = 2,  // ProgramDir
    ctEngine = 3,   // the database engine's folder, chosen by the copy page
};

struct TCompRecord {
    const char* CompName;  // the kit carries CompName.1, CompName.2, ...
    const char* CompDescription;
    TCompTarget CompTarget;
};

// Bit i stands for row i of Components.
using TCompSet = std::uint16_t;

inline constexpr int ComponentCount = 7;
inline constexpr std::array<TCompRecord, ComponentCount> Components{{
    {"EXE", "Fisiere executabile", ctProgram},
    {"OUTPOST", "Outpost KORVEN", ctProgram},
    {"DBDAT", "KORVEN: baza de date si exemple", ctData},
    {"DBNEW", "KORVEN: baza de date martor", ctNewData},
    {"BDE32", "Borland Database Engine", ctEngine},
    {"HELP", "Help Winkorven", ctProgram},
    {"PAYROLL", "Payroll KORVEN", ctProgram},
}};

namespace component_rows {
enum Row { EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYROLL };

constexpr TCompSet Rows(std::initializer_list<int> rows) {
    TCompSet set = 0;
    for (int row : rows) set = static_cast<TCompSet>(set | (1u << row));
    return set;
}

inline constexpr TCompSet Everything = Rows({EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYROLL});
inline constexpr TCompSet WithoutDatabase = Rows({EXE, OUTPOST, BDE32, HELP, PAYROLL});
inline constexpr TCompSet WithoutEngine = Rows({EXE, OUTPOST, DBDAT, DBNEW, HELP, PAYROLL});
inline constexpr TCompSet WithoutDatabaseAndEngine = Rows({EXE, OUTPOST, HELP, PAYROLL});
inline constexpr TCompSet Optional = Rows({OUTPOST, PAYROLL});
}  // namespace component_rows

// Indexed by TInstallType. A client never receives the database archives;
// an upgrade never re-installs the database engine.
inline constexpr std::array<TCompSet, 4> InstallSets{0, component_rows::Everything, component_rows::Everything,
                                                     component_rows::WithoutDatabase};
inline constexpr std::array<TCompSet, 4> UpgradeSets{0, component_rows::WithoutEngine, component_rows::WithoutEngine,
                                                     component_rows::WithoutDatabaseAndEngine};

// The components the copy pages pass over quietly when their archive is
// missing; a kit without one of the others cannot install.
inline constexpr TCompSet OptionalComponents = component_rows::Optional;

constexpr bool InSet(TCompSet set, int row) { return (set >> row) & 1u; }

// Row of the table for an upper-case component name.
inline std::optional<int> ComponentRow(std::string_view name) {
    for (int row = 0; row < ComponentCount; ++row)
        if (name == Components[row].CompName) return row;
    return std::nullopt;
}

// Whether the upper-case name is a component that may be missing.
inline bool IsOptionalComponent(std::string_view name) {
    const std::optional<int> row = ComponentRow(name);
    return row && InSet(OptionalComponents, *row);
}

// "EXE, OUTPOST, ..." for messages.
inline std::string ComponentList() {
    std::string list;
    for (const TCompRecord& component : Components) {
        if (!list.empty()) list += ", ";
        list += component.CompName;
    }
    return list;
}
