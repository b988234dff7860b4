// TFindApp: the installation search page, first of an upgrade. It reads the
// data folder and the installation type from the folder of the database
// alias "KORVEN", and its first Next looks for the program folder of the
// installed application: in the profile entries the application leaves, else
// on every fixed disk. The user confirms the folder found or picks another;
// the next Next stores both folders for the upgrade's pages.
#pragma once

#include "core/unattended_page.h"
#include "toolkit/title_form.h"

#include <string>

class TActiveEdit;
class TActiveLabel;
class TBevel;
class TFmtLabel;
class TMButton;
class TNiceButton;
class TPanel;

class TFindApp : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    // `aliasFolder` is the folder of the alias "KORVEN" as the upgrade
    // library reports it.
    TFindApp(TComponent* owner, std::string aliasFolder);

    // Components of the form, not owned.
    TPanel* Panel1 = nullptr;
    TActiveLabel* LProgram = nullptr;
    TActiveLabel* LDate = nullptr;
    TActiveEdit* RProgram = nullptr;
    TActiveEdit* RDate = nullptr;
    TMButton* BProgram = nullptr;
    TMButton* BDate = nullptr;
    TFmtLabel* dirlabel = nullptr;
    TMButton* BBack = nullptr;
    TMButton* BNext = nullptr;
    TBevel* Bevel1 = nullptr;
    TNiceButton* BCancel = nullptr;

    void FormCreate(TObject* sender);
    // The first click searches and keeps the page open; the next stores the
    // folders and closes it.
    void BNextClick(TObject* sender);
    // Also the click of LProgram.
    void BProgramClick(TObject* sender);
    // Searches, then goes on with the installation found; with none found
    // the run ends, since only a person could name it.
    void AnswerUnattended() override;

    bool Searched() const { return searched_; }
    bool Found() const { return found_; }

private:
    void Search();

    std::string aliasFolder_;
    // The alias named a folder, so the data folder and the type are known.
    bool dataKnown_ = false;
    bool searched_ = false;
    // The folder in RProgram holds an installation.
    bool found_ = false;
};
