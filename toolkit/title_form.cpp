#include "toolkit/title_form.h"

#include "toolkit/title_bar.h"

const ClassInfo& TTitleForm::StaticClass() {
    static const ClassInfo info = ClassBuilder<TTitleForm>("TTitleForm", &TPaintedForm::StaticClass()).Build();
    return info;
}

TTitleForm::TTitleForm(TComponent* owner) : TPaintedForm(owner) { SetKeyPreview(true); }

void TTitleForm::Loaded() {
    TPaintedForm::Loaded();
    titleBar_ = FindChild<TTitleBar>("TitleBar1");
}

void TTitleForm::CreateParams(TCreateParams& params) {
    TPaintedForm::CreateParams(params);
    // No Windows caption: the painted title bar serves as one.
    params.style &= ~static_cast<DWORD>(WS_DLGFRAME);
}

void TTitleForm::TextChanged() {
    TPaintedForm::TextChanged();
    if (titleBar_) titleBar_->SetCaption(Caption());
}

void TTitleForm::KeyDown(WORD& key, TShiftState shift) {
    TPaintedForm::KeyDown(key, shift);
    if (key == VK_F4 && (shift & ssAlt)) key = 0;  // a page closes through its buttons only
}

void TTitleForm::Notification(TComponent* component, bool removing) {
    TPaintedForm::Notification(component, removing);
    if (removing && component == titleBar_) titleBar_ = nullptr;
}

void TTitleForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_NCHITTEST:
        TPaintedForm::WndProc(message);
        // Dragged by any bare part of its surface, the title bar included.
        if (message.Result == HTCLIENT) message.Result = HTCAPTION;
        return;
    case WM_GETMINMAXINFO:
        TPaintedForm::WndProc(message);
        if (titleBar_) reinterpret_cast<MINMAXINFO*>(message.LParam)->ptMinTrackSize.y = Height() - ClientHeight() + 25;
        return;
    case WM_ENABLE:
        TPaintedForm::WndProc(message);
        if (titleBar_) titleBar_->SetGrayed(message.WParam == 0);
        return;
    default: TPaintedForm::WndProc(message);
    }
}

const ClassInfo& TMessageForm::StaticClass() {
    static const ClassInfo info = ClassBuilder<TMessageForm>("TMessageForm", &TTitleForm::StaticClass()).Build();
    return info;
}

TMessageForm::TMessageForm(TComponent* owner) : TTitleForm(owner) {}
