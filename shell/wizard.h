// The wizard driver: shows the pages one at a time, each created afresh for
// its visit, placed near the bottom of the screen and shown modally, and
// moves from slot to slot by how the page was closed and by the settings.
//
// Slots: 0 installation type, 1 folders, 2 copy, 3 configuration, 4 end,
// 5 the wizard ends; 6 installation search, 7 upgrade copy, 8 database
// upgrade, 9 continues at the end page.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/page_placement.h"
#include "core/settings.h"

class TForm;

enum WizardSlot : std::uint8_t {
    SlotInstallType = 0,
    SlotFolders = 1,
    SlotCopy = 2,
    SlotConfig = 3,
    SlotEnd = 4,
    SlotDone = 5,
    SlotFindApp = 6,
    SlotUpgradeCopy = 7,
    SlotUpgradeData = 8,
    SlotUpgradeEnd = 9,
};
inline constexpr int WizardSlotCount = 10;

// Makes the page of a slot, ready to be shown; the caller owns it.
using PageFactory = std::function<std::unique_ptr<TForm>()>;
// One factory per slot; an empty one is a page that does not exist yet, and
// the driver passes over it as if it had answered Next.
using WizardPageTable = std::array<PageFactory, WizardSlotCount>;

// The installer's pages.
const WizardPageTable& WizardPages();

// The slot after a page closed with `result`, from `slot`; asks the client's
// question through askServerUpgrade when the upgrade copy comes next. Any
// slot outside the table ends the wizard.
std::uint8_t NextSlot(std::uint8_t slot, int result, TInstallSettings& settings,
                      const std::function<bool()>& askServerUpgrade);

// Acts on a page once it is on the screen, from inside its modal loop.
using PagePilot = std::function<void(std::uint8_t slot, TForm& page)>;

// Creates, places and shows the page of the slot and frees it again, also
// when it fails; answers its result. A page whose modal loop ended because
// the program is quitting was cancelled, whatever it had set. The pilot, if
// any, is handed the page once it is on the screen.
int ShowPage(std::uint8_t slot, const PageFactory& factory, const PagePilot& pilot);

// What the driver works with; RunWizard() passes the installer's own.
struct WizardParts {
    const WizardPageTable* pages = nullptr;  // not owned
    std::function<void()> detectUpgrade;
    std::function<void()> readSettings;
    std::function<bool()> askServerUpgrade;
    // After each page: the slot to show next instead of the one the page
    // result gives; empty keeps that one.
    std::function<std::uint8_t(std::uint8_t slot, int result, std::uint8_t next)> afterPage;
};

// Runs the wizard on InstallSettings until it ends by any route, handing
// each page to the pilot once it is shown (empty: the pages wait for a
// person). True when it ended by leaving the end page with Next, the
// installation complete.
bool RunWizard(const WizardParts& parts, const PagePilot& pilot = {});
// The same with the installer's pages, upgrade detection, settings file and
// question.
void RunWizard();
