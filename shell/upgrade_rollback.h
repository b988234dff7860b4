// An upgrade never leaves the customer worse off: when its copy or its
// database steps do not end well (a failure, Abandon, a step the library
// reports as failed, the program quitting), everything is put back from the
// run's backup, after one question whose default is to restore. An
// unattended run restores unasked (unless /ROLLBACK=NO) and fails. An
// upgrade that ended well keeps its backup.
#pragma once

#include <cstdint>

#include "core/settings.h"

// Called by the wizard driver after each page: answers the slot to show
// next instead of `next` (the end page after a restore).
std::uint8_t AfterUpgradePage(std::uint8_t slot, int result, std::uint8_t next, TInstallSettings& settings);

// A run that was cut off (power, a killed process) left its backup marked:
// offers to finish its restore, before anything else.
void OfferUnfinishedRestore();
