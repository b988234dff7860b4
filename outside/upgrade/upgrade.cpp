// The sample upgrade library: the entry points of upgrade_library.h over the
// database of the alias KORVEN. The alias's folder comes from the database
// engine's alias store (the file named by CONFIGFILE01 under the engine's
// registry key), read afresh at every call.
//
// A step reports what it does through the installer's report procedure,
// pausing a little after each text, as a real upgrade working through its
// tables would; the installer's window sees the keyboard only during those
// reports.
#include "interfaces/upgrade_entry_points.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "outside/idapi32/alias_store.h"
#include "outside/upgrade/data_steps.h"
#include "interfaces/database_engine.h"
#include "outside/upgrade/upgrade_trace.h"

#ifndef UPGRADE_LIBRARY_VERSION
#error "UPGRADE_LIBRARY_VERSION: the structure version this library brings a database to"
#endif

namespace {

using namespace upgrade;

constexpr char kMainAlias[] = "KORVEN";
// Long enough for a key pressed between two reports to be seen, short
// enough for a whole upgrade to take about two seconds.
constexpr DWORD kReportPauseMs = 150;

struct LibraryState {
    ReportProc report = nullptr;
    bool quickVerif = false;
    int lastStep = 0;                   // 1 to 3 once a step has run
    bool lastOk = true;                 // whether that step's work succeeded
    const char* runningStep = nullptr;  // the step inside which we are, or null
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;

// The alias store named by the engine's registration; empty when there is none.
std::string ConfiguredStoreFile() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, idapi::EngineKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return {};
    RegistryKey key(opened, &RegCloseKey);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), idapi::ConfigFileValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::string value(size, '\0');
    if (RegQueryValueExA(key.get(), idapi::ConfigFileValue, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    value.resize(value.find('\0') == std::string::npos ? size : value.find('\0'));
    return value;
}

// The alias's folder; empty when the store or the alias is not there.
std::string AliasFolder(const std::string& name) {
    const std::string storeFile = ConfiguredStoreFile();
    if (storeFile.empty()) return {};
    const std::optional<AliasList> aliases = ReadAliasStore(storeFile);
    if (!aliases) return {};
    const Alias* alias = FindAlias(*aliases, name);
    return alias ? alias->path : std::string();
}

// Hands one text to the installer in a block of ours, freed once it is back.
void Report(const std::string& text) {
    const ReportProc report = State().report;
    if (report) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            report(block);
        }
        if (block) GlobalFree(block);
    }
    Sleep(kReportPauseMs);
}

template <class Work>
void RunStep(int step, const char* call, Work work) {
    LibraryState& state = State();
    state.runningStep = call;
    const std::string folder = AliasFolder(kMainAlias);
    const bool ok = work(folder);
    state.runningStep = nullptr;
    state.lastStep = step;
    state.lastOk = ok;
    TraceCall(call, {{"folder", TraceText(folder)}}, ok ? "ok" : "failed");
}

}  // namespace

extern "C" {

void __stdcall GetAliasPath(char* buffer) {
    if (!buffer) {
        TraceCall(GetAliasPathName, {{"buffer", "null"}}, "\"\"");
        return;
    }
    const std::string alias(buffer, strnlen(buffer, AliasBufferSize));
    const std::string folder = AliasFolder(alias);
    // Cut to the buffer, and always terminated within it.
    const size_t length = std::min(folder.size(), AliasBufferSize - 1);
    std::memcpy(buffer, folder.data(), length);
    buffer[length] = '\0';
    TraceCall(GetAliasPathName, {{"alias", TraceText(alias)}}, TraceText(std::string(buffer, length)));
}

void __stdcall SetReportProc(ReportProc report) {
    State().report = report;
    TraceCall(SetReportProcName, {{"proc", report ? "set" : "null"}}, "-");
}

void __stdcall DoStructureUpgrade() {
    RunStep(1, DoStructureUpgradeName,
            [](const std::string& folder) { return UpgradeStructures(folder, UPGRADE_LIBRARY_VERSION, Report); });
}

void __stdcall DoListUpgrade() {
    RunStep(2, DoListUpgradeName, [](const std::string& folder) { return UpgradeLists(folder, Report); });
}

void __stdcall DoConstUpgrade() {
    RunStep(3, DoConstUpgradeName,
            [](const std::string& folder) { return UpgradeConstants(folder, UPGRADE_LIBRARY_VERSION, Report); });
}

BYTE __stdcall GetSemaforOK() {
    const LibraryState& state = State();
    const bool ok = state.lastStep == 0 ? true : ScriptedSemafor(state.lastStep).value_or(state.lastOk);
    TraceCall(GetSemaforOKName, {{"step", std::to_string(state.lastStep)}}, ok ? "1" : "0");
    return ok ? 1 : 0;
}

void __stdcall SetQuickVerif(BYTE on) {
    LibraryState& state = State();
    state.quickVerif = on != 0;
    TraceCall(SetQuickVerifName,
              {{"on", state.quickVerif ? "1" : "0"}, {"during", state.runningStep ? state.runningStep : "-"}}, "-");
}

void __stdcall CheckExclusive() { TraceCall(CheckExclusiveName, {}, "-"); }

}  // extern "C"
