// The upgrade library's programming interface as the installer uses it: the
// eight entry points of UPGRADE.DLL, their types and names. Shared by the
// installer's binding and by our sample library, so the two can never
// disagree on a signature.
//
// Every entry point is __stdcall and exported under its plain name. All calls
// come from the installer's user-interface thread and return when their work
// is done; the report procedure is called back on that same thread, inside a
// step.
//
// What a test can switch in our sample library, through the environment:
//
//   KORVEN_TRACE=<file>             one line appended (and flushed) per call:
//                                   "pid=<n> <call> <name>=<value> ... result=<r>"
//   KORVEN_UPGRADE_SEMAFOR=<list>   what GetSemaforOK answers after a step,
//                                   comma-separated "<step>=<0|1>" with steps
//                                   1 (structures), 2 (lists), 3 (constants):
//                                   "1=0" makes it false after step 1 only;
//                                   a step not named answers whether its
//                                   work succeeded.
#pragma once
#include <windows.h>

#include <cstddef>

namespace upgrade {

// The alias buffer of GetAliasPath: in, a zero-terminated alias name; out,
// that alias's folder, zero-terminated, in the same buffer. The library never
// writes past it and always terminates what it writes (an unknown alias
// gives an empty text).
inline constexpr std::size_t AliasBufferSize = 256;

// Called by the library with a global memory block holding a zero-terminated
// text; the block stays the library's, which frees it after the call.
using ReportProc = void(__stdcall*)(HGLOBAL text);

using GetAliasPathProc = void(__stdcall*)(char* buffer);
using SetReportProcProc = void(__stdcall*)(ReportProc report);
using StepProc = void(__stdcall*)();
// Non-zero: the step that ran last ended well.
using GetSemaforOKProc = BYTE(__stdcall*)();
using SetQuickVerifProc = void(__stdcall*)(BYTE on);
using CheckExclusiveProc = void(__stdcall*)();

inline constexpr char LibraryName[] = "UPGRADE.DLL";
inline constexpr char GetAliasPathName[] = "GetAliasPath";
inline constexpr char SetReportProcName[] = "SetReportProc";
inline constexpr char DoStructureUpgradeName[] = "DoStructureUpgrade";
inline constexpr char DoListUpgradeName[] = "DoListUpgrade";
inline constexpr char DoConstUpgradeName[] = "DoConstUpgrade";
inline constexpr char GetSemaforOKName[] = "GetSemaforOK";
inline constexpr char SetQuickVerifName[] = "SetQuickVerif";
inline constexpr char CheckExclusiveName[] = "CheckExclusive";

}  // namespace upgrade
