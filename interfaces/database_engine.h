// The database engine's programming interface as the installer uses it: the
// seven entry points of IDAPI32.DLL, their types, names, constants and result
// codes. Shared by the installer's binding and by our engine library, so the
// two can never disagree on a signature.
//
// Every entry point is __stdcall, exported under its plain name, and answers a
// 16-bit result: 0 is success, anything else a failure code.
#pragma once
#include <windows.h>

#include <cstdint>

namespace idapi {

using Result = std::uint16_t;

// Opaque handles: a database opened by OpenDatabase, and a configuration
// (null means the engine's own, persistent configuration).
struct Database;
struct Config;
using DatabaseHandle = Database*;
using ConfigHandle = Config*;

// The interface version the installer speaks.
inline constexpr std::uint16_t InterfaceVersion = 500;

enum OpenMode : std::int32_t { OpenReadWrite = 0, OpenReadOnly = 1 };
enum ShareMode : std::int32_t { ShareShared = 0, ShareExclusive = 1 };

// Result codes. Only Ok is promised to callers, and ErrUnknownAlias from
// DbiDeleteAlias (the alias is not defined: nothing to delete); the others
// tell a log reader what went wrong.
inline constexpr Result Ok = 0;
inline constexpr Result ErrNotInitialized = 0x2101;   // a call before a successful initialisation
inline constexpr Result ErrVersion = 0x2102;          // an interface version the engine does not speak
inline constexpr Result ErrNoConfiguration = 0x2103;  // the registry names no alias store
inline constexpr Result ErrInvalidArgument = 0x2104;  // a null, empty or malformed argument
inline constexpr Result ErrUnknownAlias = 0x2201;     // no alias of that name
inline constexpr Result ErrFolderMissing = 0x2202;    // the alias's PATH folder does not exist
inline constexpr Result ErrAliasExists = 0x2203;      // adding an alias that is already defined
inline constexpr Result ErrUnknownDriver = 0x2204;    // a driver type the engine does not have
inline constexpr Result ErrInvalidHandle = 0x2205;    // closing something that is not an open database
inline constexpr Result ErrStoreUnreadable = 0x2301;  // the alias store exists but cannot be read
inline constexpr Result ErrStoreUnwritable = 0x2302;  // the alias store could not be written
inline constexpr Result ErrForcedFailure = 0x2F01;    // switched on for a test (KORVEN_ENGINE_FAIL)
inline constexpr Result ErrInternal = 0x2F02;         // the engine itself failed (out of memory)

// Entry point types, in the order the installer binds them.
using DbiInitFnProc = Result(__stdcall*)(std::uint16_t version, void* environment);
using DbiOpenDatabaseProc = Result(__stdcall*)(const char* name, const char* type, std::int32_t openMode,
                                               std::int32_t shareMode, const char* password,
                                               std::uint16_t optionalCount, const void* optionalDescriptors,
                                               const void* optionalValues, DatabaseHandle* database);
using DbiCloseDatabaseProc = Result(__stdcall*)(DatabaseHandle* database);
using DbiAddAliasProc = Result(__stdcall*)(ConfigHandle config, const char* alias, const char* driverType,
                                           const char* parameters, BOOL persistent);
using DbiCfgSaveProc = Result(__stdcall*)(ConfigHandle config, const char* fileName, BOOL saveAsDefault);
using DbiExitProc = Result(__stdcall*)();
// Deletes an alias from the configuration; like an add, the deletion reaches
// the persistent configuration when it is saved.
using DbiDeleteAliasProc = Result(__stdcall*)(ConfigHandle config, const char* alias);

inline constexpr char LibraryName[] = "IDAPI32.DLL";
inline constexpr char DbiInitFnName[] = "DbiInitFn";
inline constexpr char DbiOpenDatabaseName[] = "DbiOpenDatabase";
inline constexpr char DbiCloseDatabaseName[] = "DbiCloseDatabase";
inline constexpr char DbiAddAliasName[] = "DbiAddAlias";
inline constexpr char DbiCfgSaveName[] = "DbiCfgSave";
inline constexpr char DbiExitName[] = "DbiExit";
inline constexpr char DbiDeleteAliasName[] = "DbiDeleteAlias";

// The parameter text of an alias: "PATH:" followed by the folder.
inline constexpr char PathParameter[] = "PATH:";

// Where the engine keeps its settings under HKEY_LOCAL_MACHINE; the
// registration file writes it.
inline constexpr char EngineKey[] = "Software\\Borland\\Database Engine";
inline constexpr char DllPathValue[] = "DLLPATH";
inline constexpr char ConfigFileValue[] = "CONFIGFILE01";

}  // namespace idapi
