// The database engine library: the entry points of idapi32.h over the alias
// store. Aliases added or deleted in a session are kept in memory and reach
// the store only when the configuration is saved; the store is read afresh
// at every call, so several processes see each other's saved aliases.
#include "interfaces/database_engine.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "outside/idapi32/alias_store.h"
#include "outside/idapi32/call_log.h"

struct idapi::Database {
    std::string alias;
};

namespace {

using namespace idapi;

struct EngineState {
    bool initialised = false;
    std::string storeFile;
    AliasList pending;                 // persistent adds not saved yet
    AliasList session;                 // adds that live only as long as the session
    std::vector<std::string> deleted;  // stored aliases deleted, not saved yet
    std::map<Database*, std::unique_ptr<Database>> open;
};

EngineState& Engine() {
    static EngineState state;
    return state;
}

using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;

// The alias store named by the engine's registration; empty when there is none.
std::string ConfiguredStoreFile() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EngineKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return {};
    RegistryKey key(opened, &RegCloseKey);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), ConfigFileValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::string value(size, '\0');
    if (RegQueryValueExA(key.get(), ConfigFileValue, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    value.resize(value.find('\0') == std::string::npos ? size : value.find('\0'));
    return value;
}

bool FolderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameAliasName(text.substr(0, prefix.size()), prefix);
}

// A name must survive a round trip through the store's "[NAME]" lines.
bool ValidAliasName(const std::string& name) {
    return !name.empty() && name.find_first_of("[]=;\r\n") == std::string::npos && name.front() != ' ' &&
           name.back() != ' ';
}

bool DeletedInSession(const std::string& name) {
    for (const std::string& deleted : Engine().deleted)
        if (SameAliasName(deleted, name)) return true;
    return false;
}

// Looks the alias up in this session's adds, then in the store (where a
// deletion not saved yet hides it).
Result LookUp(const std::string& name, std::optional<Alias>& found) {
    const EngineState& engine = Engine();
    for (const AliasList* list : {&engine.session, &engine.pending})
        if (const Alias* alias = FindAlias(*list, name)) {
            found = *alias;
            return Ok;
        }
    const std::optional<AliasList> stored = ReadAliasStore(engine.storeFile);
    if (!stored) return ErrStoreUnreadable;
    if (const Alias* alias = FindAlias(*stored, name); alias && !DeletedInSession(name)) found = *alias;
    return Ok;
}

// Removes the alias of that name from the list; false when it is not there.
bool Erase(AliasList& aliases, const std::string& name) {
    return std::erase_if(aliases, [&](const Alias& alias) { return SameAliasName(alias.name, name); }) != 0;
}

// Runs one entry point: the failure switch first, then the work, then the
// trace line (after the work, so that output arguments show their values).
Result Call(const char* call, bool needsEngine, const std::function<Result()>& work,
            const std::function<std::vector<TraceArgument>()>& arguments) {
    Result result = Ok;
    if (FailureSwitchedOn(call))
        result = ErrForcedFailure;
    else if (needsEngine && !Engine().initialised)
        result = ErrNotInitialized;
    else
        try {
            result = work();
        } catch (...) {
            // Nothing may unwind across the library's boundary.
            result = ErrInternal;
        }
    TraceCall(call, arguments(), result);
    return result;
}

Result Initialise(std::uint16_t version) {
    if (version != InterfaceVersion) return ErrVersion;
    EngineState& engine = Engine();
    if (engine.initialised) return Ok;
    engine.storeFile = ConfiguredStoreFile();
    if (engine.storeFile.empty()) return ErrNoConfiguration;
    engine.initialised = true;
    return Ok;
}

Result OpenDatabase(const char* name, std::int32_t openMode, std::int32_t shareMode, DatabaseHandle* database) {
    if (!database) return ErrInvalidArgument;
    *database = nullptr;
    if (!name || !*name) return ErrInvalidArgument;
    if ((openMode != OpenReadOnly && openMode != OpenReadWrite) ||
        (shareMode != ShareShared && shareMode != ShareExclusive))
        return ErrInvalidArgument;
    std::optional<Alias> alias;
    if (const Result result = LookUp(name, alias); result != Ok) return result;
    if (!alias) return ErrUnknownAlias;
    if (!FolderExists(alias->path)) return ErrFolderMissing;
    auto opened = std::make_unique<Database>(Database{alias->name});
    *database = opened.get();
    Engine().open.emplace(opened.get(), std::move(opened));
    return Ok;
}

Result CloseDatabase(DatabaseHandle* database) {
    if (!database) return ErrInvalidArgument;
    if (Engine().open.erase(*database) == 0) return ErrInvalidHandle;
    *database = nullptr;
    return Ok;
}

Result AddAlias(ConfigHandle config, const char* name, const char* driverType, const char* parameters,
                bool persistent) {
    if (config) return ErrInvalidHandle;
    if (!name || !driverType || !parameters || !ValidAliasName(name)) return ErrInvalidArgument;
    if (!SameAliasName(driverType, "PARADOX")) return ErrUnknownDriver;
    const std::string text = parameters;
    if (!StartsWithNoCase(text, PathParameter)) return ErrInvalidArgument;
    const std::string folder = text.substr(std::char_traits<char>::length(PathParameter));
    if (folder.empty() || folder.find_first_of("\r\n") != std::string::npos) return ErrInvalidArgument;

    std::optional<Alias> existing;
    if (const Result result = LookUp(name, existing); result != Ok) return result;
    if (existing) return ErrAliasExists;
    EngineState& engine = Engine();
    (persistent ? engine.pending : engine.session).push_back({name, "PARADOX", folder});
    return Ok;
}

// An alias added in this session is simply forgotten; one in the store is
// marked, and leaves the store when the configuration is saved.
Result DeleteAlias(ConfigHandle config, const char* name) {
    if (config) return ErrInvalidHandle;
    if (!name || !ValidAliasName(name)) return ErrInvalidArgument;
    EngineState& engine = Engine();
    if (Erase(engine.session, name) || Erase(engine.pending, name)) return Ok;
    std::optional<Alias> stored;
    if (const Result result = LookUp(name, stored); result != Ok) return result;
    if (!stored) return ErrUnknownAlias;
    engine.deleted.push_back(stored->name);
    return Ok;
}

Result SaveConfiguration(ConfigHandle config, const char* fileName) {
    if (config) return ErrInvalidHandle;
    EngineState& engine = Engine();
    const std::string target = fileName && *fileName ? fileName : engine.storeFile;
    std::optional<AliasList> aliases = ReadAliasStore(target);
    if (!aliases) return ErrStoreUnreadable;
    // Deletions first, so that an alias deleted and added again in one
    // session is saved with its new folder. One that another process
    // deleted meanwhile is simply gone.
    for (const std::string& name : engine.deleted) Erase(*aliases, name);
    // Another process may have saved the same name meanwhile: its alias stays.
    Result result = Ok;
    for (const Alias& alias : engine.pending) {
        if (FindAlias(*aliases, alias.name))
            result = ErrAliasExists;
        else
            aliases->push_back(alias);
    }
    if (!WriteAliasStore(target, *aliases)) return ErrStoreUnwritable;
    if (SameAliasName(target, engine.storeFile)) {
        engine.pending.clear();
        engine.deleted.clear();
    }
    return result;
}

Result Exit() {
    Engine() = EngineState{};
    return Ok;
}

std::string Number(long long value) { return std::to_string(value); }

}  // namespace

extern "C" {

Result __stdcall DbiInitFn(std::uint16_t version, void* environment) {
    return Call(
        DbiInitFnName, false, [&] { return Initialise(version); },
        [&] {
            return std::vector<TraceArgument>{{"version", Number(version)}, {"environment", TracePointer(environment)}};
        });
}

Result __stdcall DbiOpenDatabase(const char* name, const char* type, std::int32_t openMode, std::int32_t shareMode,
                                 const char* password, std::uint16_t optionalCount, const void* optionalDescriptors,
                                 const void* optionalValues, DatabaseHandle* database) {
    return Call(
        DbiOpenDatabaseName, true, [&] { return OpenDatabase(name, openMode, shareMode, database); },
        [&] {
            return std::vector<TraceArgument>{{"name", TraceText(name)},
                                              {"type", TraceText(type)},
                                              {"openMode", Number(openMode)},
                                              {"shareMode", Number(shareMode)},
                                              {"password", TraceText(password)},
                                              {"optionalCount", Number(optionalCount)},
                                              {"optionalDescriptors", TracePointer(optionalDescriptors)},
                                              {"optionalValues", TracePointer(optionalValues)},
                                              {"database", database ? TracePointer(*database) : "null"}};
        });
}

Result __stdcall DbiCloseDatabase(DatabaseHandle* database) {
    const void* handle = database ? *database : nullptr;
    return Call(
        DbiCloseDatabaseName, true, [&] { return CloseDatabase(database); },
        [&] {
            return std::vector<TraceArgument>{{"database", TracePointer(handle)}};
        });
}

Result __stdcall DbiAddAlias(ConfigHandle config, const char* alias, const char* driverType, const char* parameters,
                             BOOL persistent) {
    return Call(
        DbiAddAliasName, true, [&] { return AddAlias(config, alias, driverType, parameters, persistent != FALSE); },
        [&] {
            return std::vector<TraceArgument>{{"config", TracePointer(config)},
                                              {"alias", TraceText(alias)},
                                              {"driverType", TraceText(driverType)},
                                              {"parameters", TraceText(parameters)},
                                              {"persistent", Number(persistent)}};
        });
}

Result __stdcall DbiCfgSave(ConfigHandle config, const char* fileName, BOOL saveAsDefault) {
    return Call(
        DbiCfgSaveName, true, [&] { return SaveConfiguration(config, fileName); },
        [&] {
            return std::vector<TraceArgument>{{"config", TracePointer(config)},
                                              {"fileName", TraceText(fileName)},
                                              {"saveAsDefault", Number(saveAsDefault)}};
        });
}

Result __stdcall DbiDeleteAlias(ConfigHandle config, const char* alias) {
    return Call(
        DbiDeleteAliasName, true, [&] { return DeleteAlias(config, alias); },
        [&] {
            return std::vector<TraceArgument>{{"config", TracePointer(config)}, {"alias", TraceText(alias)}};
        });
}

Result __stdcall DbiExit() {
    return Call(
        DbiExitName, true, [] { return Exit(); }, [] { return std::vector<TraceArgument>{}; });
}

}  // extern "C"
