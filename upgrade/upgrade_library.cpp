#include "upgrade/upgrade_library.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/entry_points.h"
#include "core/text.h"
#include "core/debug_log.h"
#include "core/program_path.h"
#include "core/unique_module.h"

namespace {

// The library and its entry points; all null until it is loaded and bound.
struct UpgradeBinding {
    UniqueModule library;
    upgrade::GetAliasPathProc getAliasPath = nullptr;
    upgrade::SetReportProcProc setReportProc = nullptr;
    upgrade::StepProc doStructureUpgrade = nullptr;
    upgrade::StepProc doListUpgrade = nullptr;
    upgrade::StepProc doConstUpgrade = nullptr;
    upgrade::GetSemaforOKProc getSemaforOK = nullptr;
    upgrade::SetQuickVerifProc setQuickVerif = nullptr;
    // Looked up for the record only: the installer never calls it, so the
    // library loads without it.
    upgrade::CheckExclusiveProc checkExclusive = nullptr;
};

UpgradeBinding binding;

}  // namespace

bool LoadUpgradeLibrary() { return LoadUpgradeLibraryFrom(ProgramFolder()); }

bool LoadUpgradeLibraryFrom(const std::string& folder) {
    FreeUpgradeLibrary();
    const std::string fileName = WithBackslash(folder) + upgrade::LibraryName;
    UniqueModule library(LoadLibraryA(fileName.c_str()));
    if (!library.valid()) {
        DebugNote("Nu pot incarca " + fileName + ", cod " + std::to_string(GetLastError()));
        return false;
    }
    UpgradeBinding bound;
    const EntryPoints entries(library, upgrade::LibraryName);
    // Every lookup runs, so that the log names each missing entry point.
    const bool complete = entries.Bind(upgrade::GetAliasPathName, bound.getAliasPath) &
                          entries.Bind(upgrade::SetReportProcName, bound.setReportProc) &
                          entries.Bind(upgrade::DoStructureUpgradeName, bound.doStructureUpgrade) &
                          entries.Bind(upgrade::DoListUpgradeName, bound.doListUpgrade) &
                          entries.Bind(upgrade::DoConstUpgradeName, bound.doConstUpgrade) &
                          entries.Bind(upgrade::GetSemaforOKName, bound.getSemaforOK) &
                          entries.Bind(upgrade::SetQuickVerifName, bound.setQuickVerif);
    if (!complete) return false;
    entries.Bind(upgrade::CheckExclusiveName, bound.checkExclusive);
    bound.library = std::move(library);
    binding = std::move(bound);
    return true;
}

void FreeUpgradeLibrary() { binding = UpgradeBinding{}; }

bool UpgradeLibraryLoaded() { return binding.library.valid(); }

std::string UpgradeAliasPath(const std::string& alias) {
    if (!binding.getAliasPath) return {};
    // The library reads and writes this buffer in place; a name too long
    // for it is cut at the buffer's end rather than overrunning it.
    std::vector<char> buffer(upgrade::AliasBufferSize, '\0');
    std::memcpy(buffer.data(), alias.data(), std::min(alias.size(), buffer.size() - 1));
    binding.getAliasPath(buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}

void SetReportProc(upgrade::ReportProc report) {
    if (binding.setReportProc) binding.setReportProc(report);
}

void DoStructureUpgrade() {
    if (binding.doStructureUpgrade) binding.doStructureUpgrade();
}

void DoListUpgrade() {
    if (binding.doListUpgrade) binding.doListUpgrade();
}

void DoConstUpgrade() {
    if (binding.doConstUpgrade) binding.doConstUpgrade();
}

bool GetSemaforOK() { return binding.getSemaforOK && binding.getSemaforOK() != 0; }

void SetQuickVerif(bool on) {
    if (binding.setQuickVerif) binding.setQuickVerif(on ? 1 : 0);
}

std::optional<std::string> ReadReportText(HGLOBAL block) {
    const SIZE_T size = block ? GlobalSize(block) : 0;
    const char* text = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (!text) return std::nullopt;
    std::string copy(text, strnlen(text, size));
    GlobalUnlock(block);
    return copy;
}
