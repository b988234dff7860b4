#include "pages/find_app_page.h"

#include "framework/extctrls.h"
#include "pages/dir_dialog.h"
#include "pages/installation_search.h"
#include "core/settings.h"
#include "core/unattended.h"
#include "framework/application.h"
#include "toolkit/active_edit.h"
#include "toolkit/active_label.h"
#include "toolkit/fmt_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"

#include <optional>
#include <utility>

namespace {

// What the program field holds while no program folder is known.
const std::string kNoFolder = "????";

}  // namespace

const ClassInfo& TFindApp::StaticClass() {
    static const ClassInfo info = ClassBuilder<TFindApp>("TFindApp", &TTitleForm::StaticClass()).Build();
    return info;
}

TFindApp::TFindApp(TComponent* owner, std::string aliasFolder)
    : TTitleForm(owner), aliasFolder_(std::move(aliasFolder)) {
    PublishField("Panel1", Panel1);
    PublishField("LProgram", LProgram);
    PublishField("LDate", LDate);
    PublishField("RProgram", RProgram);
    PublishField("RDate", RDate);
    PublishField("BProgram", BProgram);
    PublishField("BDate", BDate);
    PublishField("dirlabel", dirlabel);
    PublishField("BBack", BBack);
    PublishField("BNext", BNext);
    PublishField("Bevel1", Bevel1);
    PublishField("BCancel", BCancel);
    PublishMethod("FormCreate", &TFindApp::FormCreate);
    PublishMethod("BNextClick", &TFindApp::BNextClick);
    PublishMethod("BProgramClick", &TFindApp::BProgramClick);
    PublishMethod("LProgramClick", &TFindApp::BProgramClick);
    LoadForm("TFindApp");
}

void TFindApp::FormCreate(TObject*) {
    searched_ = false;
    found_ = false;
    const std::optional<AliasFolderReading> alias = ReadAliasFolder(aliasFolder_);
    dataKnown_ = alias.has_value();
    if (!dataKnown_) {
        // Without the database's folder there is nothing to upgrade: the
        // page says so and only Back and Abandon remain.
        RProgram->SetText(kNoFolder);
        dirlabel->SetCaption("Nu gasesc instalare de KORVEN...");
        BProgram->SetEnabled(false);
        BNext->SetEnabled(false);
        return;
    }
    InstallSettings.DefaultDataDir = alias->dataFolder;
    InstallSettings.InstallType = InstallTypeOfRoot(alias->root);
}

void TFindApp::Search() {
    searched_ = true;
    std::optional<std::string> folder = ProgramFolderFromProfile();
    if (!folder) folder = SearchFixedDisks();
    found_ = folder.has_value();
    InstallSettings.DefaultProgramDir = folder.value_or(kNoFolder);
    dirlabel->SetCaption(found_ ? "" : "Nu am gasit directorul program!!!");
    RProgram->SetText(InstallSettings.DefaultProgramDir);
    RDate->SetText(InstallSettings.InstallType == itLocal ? InstallSettings.DefaultDataDir
                                                          : "Am detectat o instalare client");
    BNext->SetEnabled(found_);
    SetCaption("Confirmati corectitudinea directorului program");
}

void TFindApp::BNextClick(TObject*) {
    if (!dataKnown_) return;
    if (!searched_) {
        Search();
        return;
    }
    InstallSettings.DefaultProgramDir = RProgram->Text();
    InstallSettings.ProgramDir = InstallSettings.DefaultProgramDir;
    InstallSettings.DataDir = InstallSettings.DefaultDataDir;
    SetModalResult(mrOk);
}

void TFindApp::BProgramClick(TObject*) {
    if (!dataKnown_) return;
    const std::string current = RProgram->Text();
    const std::optional<std::string> folder = PickFolder(current == kNoFolder ? std::string() : current);
    if (folder) {
        RProgram->SetText(*folder);
        found_ = IsKorvenFolder(*folder);
        dirlabel->SetCaption(found_ ? "" : "Nu gasesc instalare de KORVEN...");
    }
    // Until the search has run, Next is what starts it: a picker given up or
    // a folder without the application must not take that away.
    BNext->SetEnabled(found_ || !searched_);
}

void TFindApp::AnswerUnattended() {
    Press(BNext);
    if (Application().Terminated()) return;
    if (!IsWindowEnabled(BNext->Handle())) {
        EndUnattendedRun("Instalarea fara intrebari nu a gasit instalarea de KORVEN pentru actualizare.");
        return;
    }
    Press(BNext);
}
