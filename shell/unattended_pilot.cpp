#include "unattended_pilot.h"

#include <windows.h>

#include "debug_log.h"
#include "framework/application.h"
#include "framework/form.h"
#include "toolkit/message_dialog.h"
#include "toolkit/radio_button.h"
#include "unattended.h"
#include "wizard.h"

namespace {

HWND ControlWindow(TForm& page, const std::string& name) {
    auto* control = dynamic_cast<TWinControl*>(page.FindComponent(name));
    return control ? control->Handle() : nullptr;
}

// The page's button with that caption (the end page names its buttons by
// what they do, not by their components' names).
HWND ButtonCaptioned(TForm& page, const std::string& caption) {
    for (int i = 0; i < page.ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(page.Components(i)); button && button->Caption() == caption)
            return button->Handle();
    return nullptr;
}

void Click(HWND button) {
    if (button) SendMessageA(button, BM_CLICK, 0, 0);
}

void Type(HWND edit, const std::string& text) {
    if (edit) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ChooseInstallType(TForm& page) {
    auto* group = dynamic_cast<TMCustomRadioGroup*>(page.FindComponent("IType"));
    const int item = static_cast<int>(Unattended.Type) - 1;
    if (group && item >= 0 && item < group->Items().Count()) Click(group->Buttons(item)->Handle());
}

void FillFolders(TForm& page) {
    Type(ControlWindow(page, "RProgram"), Unattended.ProgramDir);
    // Hidden for a local installation, whose data stays with the program.
    if (HWND data = ControlWindow(page, "RDate"); data && IsWindowVisible(data)) Type(data, Unattended.DataDir);
}

// The first Next searches and keeps the page open; Next stays disabled
// when no installation was found.
void ConfirmFoundInstallation(TForm& page) {
    const HWND next = ControlWindow(page, "BNext");
    Click(next);
    if (Application().Terminated()) return;
    if (!next || !IsWindowEnabled(next)) {
        EndUnattendedRun("Instalarea fara intrebari nu a gasit instalarea de KORVEN pentru actualizare.");
        return;
    }
    Click(next);
}

void LeaveEndPage(TForm& page) {
    // A restart that goes ahead ends the program by itself; a refused one
    // leaves the page open, and the installation is complete all the same.
    if (Unattended.Restart) Click(ButtonCaptioned(page, "&Restart!"));
    Click(ButtonCaptioned(page, "Nu &acum"));
}

}  // namespace

void PilotPage(std::uint8_t slot, TForm& page) {
    DebugNote("Instalare fara intrebari: pagina " + std::to_string(slot));
    switch (slot) {
    case SlotInstallType:
        ChooseInstallType(page);
        Click(ControlWindow(page, "BNext"));
        break;
    case SlotFolders:
        FillFolders(page);
        Click(ControlWindow(page, "BNext"));
        break;
    case SlotFindApp: ConfirmFoundInstallation(page); break;
    case SlotEnd: LeaveEndPage(page); break;
    default: Click(ControlWindow(page, "BNext")); break;
    }
    if (!Application().Terminated() && page.ModalResult() == mrNone)
        EndUnattendedRun("Instalarea fara intrebari s-a oprit la pagina " + std::to_string(slot) +
                         ": raspunsurile date nu o trec mai departe.");
}

void AnswerDialogsUnattended() {
    SetUnattendedDialogHandler([](TMsgDlgType, const std::string& caption, const std::string& message) {
        EndUnattendedRun("Instalarea fara intrebari se opreste la mesajul \"" + caption + "\": " + message);
    });
    Application().OnException = [](const std::string& message) {
        DebugNote(message);
        RecordOutcome(ecFailed);
        Application().Terminate();
    };
}

void EndUnattendedRun(const std::string& why) {
    DebugNote(why);
    RecordOutcome(ecCancelled);
    Application().Terminate();
}
