#include "shell/unattended_pilot.h"

#include <windows.h>

#include "core/outcome.h"
#include "core/debug_log.h"
#include "framework/application.h"
#include "framework/form.h"
#include "toolkit/message_dialog.h"
#include "core/unattended.h"
#include "core/unattended_page.h"

void PilotPage(std::uint8_t slot, TForm& page) {
    DebugNote("Instalare fara intrebari: pagina " + std::to_string(slot));
    if (auto* answering = dynamic_cast<TUnattendedPage*>(&page)) answering->AnswerUnattended();
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
