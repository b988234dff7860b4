// The uninstaller's pages, each saved as the screen shows it, for people to
// look at; the names end in the screen's size, so that a run at 800 x 600
// keeps its pictures beside those of 1024 x 768:
//
//   uninstall_shot FOLDER   writes uninstall_confirm_WxH.bmp,
//                           uninstall_confirm_question_WxH.bmp (the question
//                           after ticking the box), uninstall_confirm_client_WxH.bmp,
//                           uninstall_progress_WxH.bmp and uninstall_end_WxH.bmp
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/unattended.h"
#include "framework/application.h"
#include "framework/extctrls.h"
#include "tests/support/screen_shots.h"
#include "toolkit/active_check_box.h"
#include "toolkit/message_dialog.h"
#include "toolkit/toolkit_start.h"
#include "uninstall/confirm_page.h"
#include "uninstall/end_page.h"
#include "uninstall/progress_page.h"
#include "uninstall/uninstall_session.h"

namespace {

std::string folder;
std::string ScreenSize() {
    return std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
}
std::string ShotPath(const std::string& name) { return folder + "uninstall_" + name + "_" + ScreenSize() + ".bmp"; }

void Shoot(TForm& page, const std::string& name) {
    PlaceAsTheWizard(page);
    page.Show();
    Settle(400);
    SaveWindow(page.Handle(), ShotPath(name));
    page.Hide();
}

UninstallSession Session(TInstallType type) {
    UninstallSession session;
    session.record.type = type;
    session.record.programDir = "C:\\WinKorv";
    session.record.dataDir = type == itClient ? "N:\\Korven" : "C:\\WinKorv";
    session.record.group = "WinKORVEN";
    session.record.aliases = {{"KORVEN", "C:\\WinKorv\\DATA"}};
    return session;
}

// The question over the page, taken from inside the dialog's modal loop.
struct QuestionShot {
    TForm* page = nullptr;
    TMessageDialogForm* dialog = nullptr;
} question;

void CALLBACK TakeQuestionShot(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    RECT pageRect, dialogRect, both;
    GetWindowRect(question.page->Handle(), &pageRect);
    GetWindowRect(question.dialog->Handle(), &dialogRect);
    UnionRect(&both, &pageRect, &dialogRect);
    SaveScreen(both, ShotPath("confirm_question"));
    question.dialog->SetModalResult(mrNo);
}

void ShootConfirm() {
    UninstallSession session = Session(itLocal);
    TUninstConfirm page(nullptr, session);
    Shoot(page, "confirm");
    page.Show();
    question = {&page, nullptr};
    SetMessageDialogWatcher([](TMessageDialogForm& dialog) {
        question.dialog = &dialog;
        SetTimer(nullptr, 0, 500, TakeQuestionShot);
    });
    SendMessageA(page.CkData->Handle(), BM_CLICK, 0, 0);
    SetMessageDialogWatcher(nullptr);
    page.Hide();

    UninstallSession client = Session(itClient);
    TUninstConfirm clientPage(nullptr, client);
    Shoot(clientPage, "confirm_client");
}

void ShootProgress() {
    UninstallSession session = Session(itLocal);
    // The page starts the removal once shown, unless an unattended run's
    // pilot is to: none comes here, so it never runs. The removal would
    // change the computer of whoever runs this.
    Unattended.Active = true;
    TUninstProgress page(nullptr, session);
    // Half-way, as it looks while files go.
    page.Progress->SetMaxValue(40);
    page.Progress->SetProgress(17);
    Shoot(page, "progress");
    Unattended.Active = false;
}

void ShootEnd() {
    UninstallSession session = Session(itLocal);
    RemovalOutcome outcome;
    outcome.filesRemoved = 57;
    outcome.changedKept = {"C:\\WinKorv\\KORVEN.INI"};
    outcome.foldersKept = {"C:\\WinKorv\\RAPOARTE"};
    outcome.engineUseCount = 0;
    outcome.engineRemoved = true;
    session.outcome = outcome;
    TUninstEnd page(nullptr, session);
    Shoot(page, "end");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "uninstall_shot FOLDER\n");
        return 2;
    }
    try {
        folder = std::string(argv[1]) + "\\";
        CreateDirectoryA(argv[1], nullptr);
        StartToolkit();
        ShootConfirm();
        ShootProgress();
        ShootEnd();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "uninstall_shot: %s\n", e.what());
        return 1;
    }
}
