#include "wizard.h"

#include <exception>
#include <string>

#include "debug_log.h"
#include "framework/application.h"
#include "framework/form.h"

namespace {

bool IsUpgradeSlot(std::uint8_t slot) { return slot >= SlotFindApp && slot <= SlotUpgradeEnd; }

// The page result moves the slot; anything but Next, Back and Cancel shows
// the same page again.
int MovedSlot(std::uint8_t slot, int result) {
    switch (result) {
    case mrOk: return slot + 1;
    case mrRetry: return slot - 1;
    case mrCancel: return SlotDone;
    default: return slot;
    }
}

}  // namespace

std::uint8_t NextSlot(std::uint8_t slot, int result, TInstallSettings& settings,
                      const std::function<bool()>& askServerUpgrade) {
    const int moved = MovedSlot(slot, result);
    if (moved < 0 || moved >= WizardSlotCount) return SlotDone;
    auto next = static_cast<std::uint8_t>(moved);
    // An upgrade never goes back into the first installation's pages: its
    // copy page would lay the sample database over the customer's data.
    if (settings.UpgradeMode && next <= SlotCopy) next = SlotEnd;
    if (next == SlotUpgradeCopy && askServerUpgrade()) settings.InstallType = itServer;
    if (next == SlotUpgradeData && settings.InstallType == itClient) next = SlotEnd;
    if (next == SlotUpgradeEnd) next = SlotEnd;
    return next;
}

PagePlace PlacePage(int screenWidth, int screenHeight, int pageWidth, int pageHeight) {
    return {(screenWidth - pageWidth) / 2, (screenHeight - pageHeight) / 9 * 8};
}

namespace {

// Creates, places and shows the page of the slot and frees it again, also
// when it fails; answers its result. A page whose modal loop ended because
// the program is quitting was cancelled, whatever it had set.
int ShowPage(const PageFactory& factory) {
    std::unique_ptr<TForm> page = factory();
    // The outer size is known once the window exists with its final style.
    page->HandleNeeded();
    const PagePlace place = PlacePage(Screen().Width(), Screen().Height(), page->Width(), page->Height());
    page->SetBounds(place.left, place.top, page->Width(), page->Height());
    const int result = page->ShowModal();
    return Application().Terminated() ? mrCancel : result;
}

}  // namespace

void RunWizard(const WizardParts& parts) {
    DebugBegin("RunWizard");
    TInstallSettings& settings = InstallSettings;
    parts.detectUpgrade();
    parts.readSettings();
    while (settings.CurrentPage != SlotDone) {
        const std::uint8_t slot = settings.CurrentPage;
        if (slot >= WizardSlotCount) {
            settings.CurrentPage = SlotDone;
            break;
        }
        const PageFactory& factory = (*parts.pages)[slot];
        int result = mrOk;  // a page that does not exist yet is passed over
        if (factory) {
            try {
                result = ShowPage(factory);
            } catch (...) {
                // Reported once; the wizard does not show a failing page again.
                Application().HandleException(std::current_exception());
                result = mrCancel;
            }
        }
        if (Application().Terminated()) result = mrCancel;
        settings.CurrentPage = NextSlot(slot, result, settings, parts.askServerUpgrade);
        DebugNote("Pagina " + std::to_string(slot) + " -> " + std::to_string(settings.CurrentPage));
    }
    DebugEnd("RunWizard");
}
