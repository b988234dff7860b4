#include "tests/support/dialog_recorder.h"

#include "toolkit/message_dialog.h"

DialogRecorder::DialogRecorder() {
    SetMessageDialogWatcher([this](TMessageDialogForm& dialog) {
        shown.push_back({dialog.Message(), dialog.Caption()});
        dialog.ClickDefaultButtons();
    });
}

DialogRecorder::~DialogRecorder() { SetMessageDialogWatcher(nullptr); }
