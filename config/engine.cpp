#include "config/engine.h"

#include <windows.h>

#include "core/entry_points.h"
#include "core/text.h"
#include "core/files.h"
#include "core/debug_log.h"
#include "interfaces/database_engine.h"
#include "core/registry_key.h"
#include "core/unique_module.h"

namespace {

// The library and its entry points; all null until it is loaded and bound.
struct EngineBinding {
    UniqueModule library;
    idapi::DbiInitFnProc init = nullptr;
    idapi::DbiOpenDatabaseProc openDatabase = nullptr;
    idapi::DbiCloseDatabaseProc closeDatabase = nullptr;
    idapi::DbiAddAliasProc addAlias = nullptr;
    idapi::DbiCfgSaveProc saveConfiguration = nullptr;
    idapi::DbiExitProc exit = nullptr;
    idapi::DbiDeleteAliasProc deleteAlias = nullptr;
    bool ready = false;  // the engine-ready flag
};

EngineBinding binding;

// The engine ends with the program. Defined after the binding, so it runs
// while the binding is still there.
struct EngineFinalisation {
    EngineFinalisation() = default;
    EngineFinalisation(const EngineFinalisation&) = delete;
    EngineFinalisation& operator=(const EngineFinalisation&) = delete;
    ~EngineFinalisation() { DoneEngine(); }
} finalisation;

EngineBinding& Engine() { return binding; }

std::string CurrentFolder() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string folder(size, '\0');
    folder.resize(GetCurrentDirectoryA(size, folder.data()));
    return folder;
}

UniqueModule LoadFrom(const std::string& fileName) {
    if (!FileExists(fileName)) return {};
    UniqueModule library(LoadLibraryA(fileName.c_str()));
    if (!library.valid()) DebugNote("Nu pot incarca " + fileName + ", cod " + std::to_string(GetLastError()));
    return library;
}

UniqueModule LoadEngineLibrary() {
    if (UniqueModule local = LoadFrom(InFolder(CurrentFolder(), idapi::LibraryName)); local.valid()) return local;
    if (const auto engineKey = RegistryKey::Open(HKEY_LOCAL_MACHINE, idapi::EngineKey))
        if (const auto folder = engineKey->ReadString(idapi::DllPathValue); folder && !folder->empty())
            if (UniqueModule registered = LoadFrom(InFolder(*folder, idapi::LibraryName)); registered.valid())
                return registered;
    UniqueModule searched(LoadLibraryA(idapi::LibraryName));
    if (!searched.valid())
        DebugNote(std::string("Nu gasesc ") + idapi::LibraryName + ", cod " + std::to_string(GetLastError()));
    return searched;
}

// Loads and binds the library unless that is done; false when it cannot be.
bool LoadEngine() {
    EngineBinding& engine = Engine();
    if (engine.library.valid()) return true;
    UniqueModule library = LoadEngineLibrary();
    if (!library.valid()) return false;
    const EntryPoints entries(library, idapi::LibraryName);
    const bool bound = entries.Bind(idapi::DbiInitFnName, engine.init) &
                       entries.Bind(idapi::DbiOpenDatabaseName, engine.openDatabase) &
                       entries.Bind(idapi::DbiCloseDatabaseName, engine.closeDatabase) &
                       entries.Bind(idapi::DbiAddAliasName, engine.addAlias) &
                       entries.Bind(idapi::DbiCfgSaveName, engine.saveConfiguration) &
                       entries.Bind(idapi::DbiExitName, engine.exit) &
                       entries.Bind(idapi::DbiDeleteAliasName, engine.deleteAlias);
    if (!bound) {
        Engine() = EngineBinding{};
        return false;
    }
    engine.library = std::move(library);
    return true;
}

// True on 0; any other result is noted with its code.
bool Succeeded(idapi::Result result, const std::string& call) {
    if (result != idapi::Ok) DebugNote(call + ": cod " + std::to_string(result));
    return result == idapi::Ok;
}

}  // namespace

bool InitEngine() {
    EngineBinding& engine = Engine();
    if (engine.ready) return true;
    if (!LoadEngine()) return false;
    engine.ready = Succeeded(engine.init(idapi::InterfaceVersion, nullptr), idapi::DbiInitFnName);
    return engine.ready;
}

bool AliasExists() {
    if (!InitEngine()) return false;
    EngineBinding& engine = Engine();
    idapi::DatabaseHandle database = nullptr;
    const idapi::Result opened = engine.openDatabase("KORVEN", nullptr, idapi::OpenReadOnly, idapi::ShareShared,
                                                     nullptr, 0, nullptr, nullptr, &database);
    if (!Succeeded(opened, std::string(idapi::DbiOpenDatabaseName) + " KORVEN")) return false;
    engine.closeDatabase(&database);
    return true;
}

bool AddAliases(const std::vector<std::string>& names, const std::vector<std::string>& folders,
                std::vector<std::size_t>* added) {
    if (added) added->clear();
    if (names.size() != folders.size() || !InitEngine()) return false;
    EngineBinding& engine = Engine();
    bool allDone = true;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string parameters = idapi::PathParameter + folders[i];
        const bool taken = Succeeded(engine.addAlias(nullptr, names[i].c_str(), "PARADOX", parameters.c_str(), TRUE),
                                     std::string(idapi::DbiAddAliasName) + " " + names[i]);
        if (taken && added) added->push_back(i);
        allDone &= taken;
    }
    allDone &= Succeeded(engine.saveConfiguration(nullptr, nullptr, FALSE), idapi::DbiCfgSaveName);
    return allDone;
}

bool RemoveAliases(const std::vector<std::string>& names) {
    if (names.empty()) return true;
    if (!InitEngine()) return false;
    EngineBinding& engine = Engine();
    bool allGone = true;
    for (const std::string& name : names) {
        const idapi::Result result = engine.deleteAlias(nullptr, name.c_str());
        if (result == idapi::ErrUnknownAlias)
            DebugNote(std::string(idapi::DbiDeleteAliasName) + " " + name + ": aliasul nu exista");
        else
            allGone &= Succeeded(result, std::string(idapi::DbiDeleteAliasName) + " " + name);
    }
    allGone &= Succeeded(engine.saveConfiguration(nullptr, nullptr, FALSE), idapi::DbiCfgSaveName);
    DoneEngine();
    return allGone;
}

void DoneEngine() {
    EngineBinding& engine = Engine();
    if (engine.ready) engine.exit();
    engine = EngineBinding{};
}
