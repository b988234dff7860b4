// TDirs: the destination folders page, second of a new installation. The
// user confirms or picks the program folder and, by installation type, the
// data folder: LOCAL keeps the data in the program folder, SERVER may put it
// elsewhere and has it created, CLIENT must name the server's existing
// database folder (usually on a mapped network drive). Next checks the data
// folder, then the program folder, creating one level where the type allows,
// and closes the page only when both pass. Whatever happens, the names typed
// are proposed again the next time the page is shown.
#pragma once

#include "core/unattended_page.h"
#include "toolkit/title_form.h"

#include <string>

class TActiveEdit;
class TActiveLabel;
class TBevel;
class TMButton;
class TMemo;
class TNiceButton;
class TPanel;

class TDirs : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    explicit TDirs(TComponent* owner);

    // Components of the form, not owned.
    TPanel* Panel1 = nullptr;
    TActiveLabel* LProgram = nullptr;
    TActiveLabel* LDate = nullptr;
    TActiveEdit* RProgram = nullptr;
    TActiveEdit* RDate = nullptr;
    TMButton* BProgram = nullptr;
    TMButton* BDate = nullptr;
    TMemo* netmemo = nullptr;
    TMButton* BBack = nullptr;
    TMButton* BNext = nullptr;
    TBevel* Bevel1 = nullptr;
    TNiceButton* BCancel = nullptr;

    void FormCreate(TObject* sender);
    // A client must type or pick the data folder before going on.
    void RDateChange(TObject* sender);
    // Also the click of LProgram.
    void BProgramClick(TObject* sender);
    // Also the click of LDate.
    void BDateClick(TObject* sender);
    void BNextClick(TObject* sender);
    // Types the given folders (the data folder where the type shows it) and
    // goes on.
    void AnswerUnattended() override;

private:
    // Stores the data folder of the installation type in the settings when
    // it passes its check.
    bool TakeDataFolder();
    // Makes the page taller when the client's note needs more lines than
    // its place holds.
    void FitClientNote();
};
