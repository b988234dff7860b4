// PLACEHOLDER for the main window and the wizard driver, which need the
// toolkit; the issue that builds the main window replaces this file. It
// stands where the work copy will create the main window and run the wizard,
// and only records in the log what the wizard would start from.
#pragma once
#include "settings.h"

class WizardPlaceholder {
public:
    explicit WizardPlaceholder(const TInstallSettings& settings) : settings_(settings) {}
    void Run();

private:
    const TInstallSettings& settings_;
};
