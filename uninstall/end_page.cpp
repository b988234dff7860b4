#include "uninstall/end_page.h"

#include "framework/stdctrls.h"
#include "toolkit/nice_button.h"
#include "uninstall/uninstall_session.h"

namespace {

// "3 fisiere" / "un fisier" as Romanian counts them.
std::string Files(std::size_t count) { return count == 1 ? "un fisier" : std::to_string(count) + " fisiere"; }

}  // namespace

std::string UninstallSummary(const UninstallSession& session) {
    const InstallationRecord& record = session.record;
    if (!session.outcome) return "Nu s-a sters nimic.";
    const RemovalOutcome& outcome = *session.outcome;
    std::string text = outcome.Succeeded() ? "KORVEN a fost dezinstalat." : "KORVEN nu a putut fi dezinstalat complet.";
    text += "\r\nS-au sters " + Files(static_cast<std::size_t>(outcome.filesRemoved)) + ".";
    if (outcome.dataRemoved) text += " S-au sters si datele firmei.";
    if (outcome.engineRemoved) text += " S-a sters motorul bazei de date.";
    text += "\r\n\r\nRaman:";
    if (record.type == itClient)
        text += "\r\n- datele firmei, pe server";
    else if (!outcome.dataRemoved)
        text += "\r\n- datele firmei din " + record.dataDir;
    if (outcome.engineUseCount && *outcome.engineUseCount > 0)
        text += "\r\n- motorul bazei de date, folosit si de alte programe";
    if (outcome.changedKept.size() == 1) text += "\r\n- un fisier modificat de dvs.";
    if (outcome.changedKept.size() > 1)
        text += "\r\n- " + std::to_string(outcome.changedKept.size()) + " fisiere modificate de dvs.";
    for (const std::string& folder : outcome.foldersKept) text += "\r\n- " + folder + " (contine fisierele dvs.)";
    for (const std::string& failure : outcome.failures) text += "\r\n- " + failure;
    if (!outcome.Succeeded()) text += "\r\nInchideti programele KORVEN si dezinstalati din nou.";
    text += "\r\n- C:\\CONFIG.SYS neschimbat. Detalii in C:\\korvinst.log.";
    return text;
}

const ClassInfo& TUninstEnd::StaticClass() {
    static const ClassInfo info = ClassBuilder<TUninstEnd>("TUninstEnd", &TTitleForm::StaticClass()).Build();
    return info;
}

TUninstEnd::TUninstEnd(TComponent* owner, const UninstallSession& session) : TTitleForm(owner) {
    PublishField("MDone", MDone);
    PublishField("BDone", BDone);
    LoadForm("TUninstEnd");
    MDone->Lines().SetText(UninstallSummary(session));
}

void TUninstEnd::AnswerUnattended() { Press(BDone); }
