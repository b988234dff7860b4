#include "pages/dirs_page.h"

#include "framework/extctrls.h"
#include "framework/graphics.h"
#include "pages/dir_dialog.h"
#include "pages/folder_names.h"
#include "core/settings.h"
#include "core/unattended.h"
#include "framework/application.h"
#include "toolkit/active_edit.h"
#include "toolkit/active_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/nice_button.h"

namespace {

void ReportMissingClientDatabase() {
    RomMessageDlg("La instalarea client baza de date trebuie sa existe!", "Eroare!", mtError, taCenter, {mbCancel},
                  mbCancel);
}

}  // namespace

const ClassInfo& TDirs::StaticClass() {
    static const ClassInfo info = ClassBuilder<TDirs>("TDirs", &TTitleForm::StaticClass()).Build();
    return info;
}

TDirs::TDirs(TComponent* owner) : TTitleForm(owner) {
    PublishField("Panel1", Panel1);
    PublishField("LProgram", LProgram);
    PublishField("LDate", LDate);
    PublishField("RProgram", RProgram);
    PublishField("RDate", RDate);
    PublishField("BProgram", BProgram);
    PublishField("BDate", BDate);
    PublishField("netmemo", netmemo);
    PublishField("BBack", BBack);
    PublishField("BNext", BNext);
    PublishField("Bevel1", Bevel1);
    PublishField("BCancel", BCancel);
    PublishMethod("FormCreate", &TDirs::FormCreate);
    PublishMethod("RDateChange", &TDirs::RDateChange);
    PublishMethod("BProgramClick", &TDirs::BProgramClick);
    PublishMethod("LProgramClick", &TDirs::BProgramClick);
    PublishMethod("BDateClick", &TDirs::BDateClick);
    PublishMethod("LDateClick", &TDirs::BDateClick);
    PublishMethod("BNextClick", &TDirs::BNextClick);
    LoadForm("TDirs");
}

void TDirs::FormCreate(TObject*) {
    const TInstallType type = InstallSettings.InstallType;
    RProgram->SetText(InstallSettings.DefaultProgramDir);
    const bool hasDataFolder = type == itServer || type == itClient;
    LDate->SetVisible(hasDataFolder);
    RDate->SetVisible(hasDataFolder);
    BDate->SetVisible(hasDataFolder);
    netmemo->SetVisible(type == itClient);
    RDate->SetText(type == itServer ? InstallSettings.DefaultDataDir : std::string());
    BNext->SetEnabled(type != itClient);
    if (type == itClient) FitClientNote();
}

void TDirs::FitClientNote() {
    // The memo wraps its lines itself: ask it how many it made.
    const int lines = static_cast<int>(SendMessageA(netmemo->Handle(), EM_GETLINECOUNT, 0, 0));
    const int lineHeight = MeasureText(netmemo->Font(), "Wg", DT_SINGLELINE).cy;
    const int grow = lines * lineHeight + 2 - netmemo->Height();
    if (grow <= 0) return;
    netmemo->SetHeight(netmemo->Height() + grow);
    Panel1->SetHeight(Panel1->Height() + grow);
    SetClientHeight(ClientHeight() + grow);
    // The buttons keep their place in the middle of the page's height.
    for (TControl* control : std::initializer_list<TControl*>{BBack, BNext, Bevel1, BCancel})
        control->SetTop(control->Top() + grow / 2);
}

void TDirs::RDateChange(TObject*) { BNext->SetEnabled(true); }

void TDirs::BProgramClick(TObject*) {
    const std::optional<std::string> folder = PickFolder(RProgram->Text());
    if (!folder) return;
    RProgram->SetText(*folder);
    if (InstallSettings.InstallType == itLocal) RDate->SetText(*folder);
}

void TDirs::BDateClick(TObject*) {
    const std::optional<std::string> folder = PickFolder(RDate->Text());
    if (folder) RDate->SetText(*folder);
}

bool TDirs::TakeDataFolder() {
    const std::string data = RDate->Text();
    switch (InstallSettings.InstallType) {
    case itServer:
        if (!EnsureFolderOneLevel(data)) return false;
        break;
    case itClient:
        if (!FolderExists(data)) {
            ReportMissingClientDatabase();
            return false;
        }
        break;
    default:
        // LOCAL keeps the data in the program folder.
        InstallSettings.DataDir = InstallSettings.ProgramDir;
        return true;
    }
    InstallSettings.DataDir = data;
    return true;
}

void TDirs::BNextClick(TObject*) {
    InstallSettings.ProgramDir = RProgram->Text();
    const bool dataPassed = TakeDataFolder();
    const bool programPassed = EnsureFolderOneLevel(InstallSettings.ProgramDir);
    if (dataPassed && programPassed) SetModalResult(mrOk);
    InstallSettings.DefaultProgramDir = InstallSettings.ProgramDir;
    InstallSettings.DefaultDataDir = InstallSettings.DataDir;
}

void TDirs::AnswerUnattended() {
    Type(RProgram, Unattended.ProgramDir);
    // Hidden for a local installation, whose data stays with the program.
    if (IsWindowVisible(RDate->Handle())) Type(RDate, Unattended.DataDir);
    Press(BNext);
}
