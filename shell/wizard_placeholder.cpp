#include "wizard_placeholder.h"

#include "debug_log.h"

void WizardPlaceholder::Run() { DebugNote("Copia de lucru porneste din kitul " + settings_.SourceDir); }
