// The program's version: shown on the main window and in the executable's
// version resource. The resource's four 16-bit fields cannot hold 3200851,
// so they carry it as 3.2.851 and the decimals as the fourth field.
#pragma once

#define KORVEN_VERSION_TEXT "3200851.09"
#define KORVEN_VERSION_FIELDS 3, 2, 851, 9

#ifndef RC_INVOKED
inline constexpr double ProgramVersion = 3200851.09;
#endif
