#include "shell/wizard.h"

#include <windows.h>

#include <exception>
#include <string>

#include "core/debug_log.h"
#include "framework/application.h"
#include "framework/form.h"

namespace {

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

namespace {

// Hands the page to the pilot once it is visible: a thread timer ticks in
// the page's modal loop. The timer stops before the pilot acts, so that
// the loops of what the pilot starts never hand the page over again.
class PilotOnShow {
public:
    PilotOnShow(std::uint8_t slot, TForm& page, const PagePilot& pilot) : slot_(slot), page_(page), pilot_(pilot) {
        if (!pilot_) return;
        waiting_ = this;
        timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
    }
    ~PilotOnShow() {
        Stop();
        if (waiting_ == this) waiting_ = nullptr;
    }
    PilotOnShow(const PilotOnShow&) = delete;
    PilotOnShow& operator=(const PilotOnShow&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        PilotOnShow* self = waiting_;
        if (!self || !IsWindowVisible(self->page_.Handle())) return;
        self->Stop();
        waiting_ = nullptr;
        // Nothing is thrown back through the system's timer dispatch.
        try {
            self->pilot_(self->slot_, self->page_);
        } catch (...) {
            Application().HandleException(std::current_exception());
            self->page_.SetModalResult(mrCancel);
        }
    }
    void Stop() {
        if (timer_) KillTimer(nullptr, timer_);
        timer_ = 0;
    }

    static inline PilotOnShow* waiting_ = nullptr;
    std::uint8_t slot_;
    TForm& page_;
    const PagePilot& pilot_;
    UINT_PTR timer_ = 0;
};

}  // namespace

int ShowPage(std::uint8_t slot, const PageFactory& factory, const PagePilot& pilot) {
    std::unique_ptr<TForm> page = factory();
    // The outer size is known once the window exists with its final style.
    page->HandleNeeded();
    const PagePlace place = PlacePage(Screen().Width(), Screen().Height(), page->Width(), page->Height());
    page->SetBounds(place.left, place.top, page->Width(), page->Height());
    PilotOnShow onShow(slot, *page, pilot);
    const int result = page->ShowModal();
    return Application().Terminated() ? mrCancel : result;
}

bool RunWizard(const WizardParts& parts, const PagePilot& pilot) {
    DebugBegin("RunWizard");
    TInstallSettings& settings = InstallSettings;
    bool completed = false;
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
                result = ShowPage(slot, factory, pilot);
            } catch (...) {
                // Reported once; the wizard does not show a failing page again.
                Application().HandleException(std::current_exception());
                result = mrCancel;
            }
        }
        if (Application().Terminated()) result = mrCancel;
        completed = slot == SlotEnd && result == mrOk;
        std::uint8_t next = NextSlot(slot, result, settings, parts.askServerUpgrade);
        if (parts.afterPage) next = parts.afterPage(slot, result, next);
        settings.CurrentPage = next;
        DebugNote("Pagina " + std::to_string(slot) + " -> " + std::to_string(settings.CurrentPage));
    }
    DebugEnd("RunWizard");
    return completed;
}
