#include "uninstall/confirm_page.h"

#include "core/debug_log.h"
#include "core/unattended.h"
#include "framework/stdctrls.h"
#include "toolkit/active_check_box.h"
#include "toolkit/format_codes.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/nice_button.h"
#include "uninstall/uninstall_session.h"

const ClassInfo& TUninstConfirm::StaticClass() {
    static const ClassInfo info = ClassBuilder<TUninstConfirm>("TUninstConfirm", &TTitleForm::StaticClass()).Build();
    return info;
}

TUninstConfirm::TUninstConfirm(TComponent* owner, UninstallSession& session) : TTitleForm(owner), session_(session) {
    PublishField("MWhat", MWhat);
    PublishField("CkData", CkData);
    PublishField("BNext", BNext);
    PublishField("BCancel", BCancel);
    PublishMethod("CkDataClick", &TUninstConfirm::CkDataClick);
    PublishMethod("BNextClick", &TUninstConfirm::BNextClick);
    LoadForm("TUninstConfirm");
    if (session_.record.type == itClient) CkData->SetVisible(false);
    ShowWhat();
}

void TUninstConfirm::ShowWhat() {
    const InstallationRecord& record = session_.record;
    const bool data = CkData->Checked() && record.type != itClient;
    std::string text = "Se sterg programele KORVEN din " + record.programDir;
    if (!record.group.empty()) text += ", grupul " + record.group;
    if (!record.aliases.empty()) text += ", aliasurile bazei de date";
    text += " si KORVEN din lista programelor instalate.";
    if (data) text += " Se sterg si datele firmei din " + record.dataDir + "!";
    text += "\r\n\r\nRaman: ";
    if (record.type == itClient)
        text += "datele firmei, care sunt pe server (" + record.dataDir + "); ";
    else if (!data)
        text += "datele firmei din " + record.dataDir + "; ";
    text += "fisierele puse sau schimbate de dumneavoastra; CONFIG.SYS.";
    MWhat->Lines().SetText(text);
}

void TUninstConfirm::CkDataClick(TObject*) {
    if (CkData->Checked() && !answeredBeforehand_) {
        const int answer =
            RomMessageDlg(LiteralFormatText("Sigur stergeti si datele firmei din\r" + session_.record.dataDir +
                                            "?\r\rConturile si documentele firmei se pierd definitiv."),
                          "", mtConfirmation, taCenter, {mbYes, mbNo}, mbNo);
        // Unticking runs this again, with the box empty.
        if (answer != mrYes) CkData->SetChecked(false);
    }
    ShowWhat();
}

void TUninstConfirm::BNextClick(TObject*) {
    session_.removeData = CkData->Checked() && session_.record.type != itClient;
    DebugNote(session_.removeData ? "Confirmat: se sterg si datele" : "Confirmat: datele raman");
}

void TUninstConfirm::AnswerUnattended() {
    if (Unattended.RemoveData && session_.record.type == itClient)
        DebugNote("/REMOVEDATA=YES nu se aplica unei instalari CLIENT: datele sunt ale serverului");
    answeredBeforehand_ = true;
    CkData->SetChecked(Unattended.RemoveData && session_.record.type != itClient);
    answeredBeforehand_ = false;
    Press(BNext);
}
