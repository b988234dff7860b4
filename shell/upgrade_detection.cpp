#include "upgrade_detection.h"

#include "framework/application.h"
#include "settings.h"

void DetectUpgrade() {
    InstallSettings.UpgradeMode = false;
    Application().ProcessMessages();
}
