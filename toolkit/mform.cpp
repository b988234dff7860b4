#include "toolkit/mform.h"

#include "framework/application.h"
#include "framework/stdctrls.h"
#include "toolkit/theme_colors.h"
#include "toolkit/title_bar.h"
#include "toolkit/title_form.h"
#include "toolkit/toolkit_start.h"
#include "toolkit/work_area.h"

namespace {

constexpr TColor kTitleStart = 0x004D3004;
constexpr TColor kTitleEnd = 0x00EFEFEF;

}  // namespace

const ClassInfo& TMForm::StaticClass() {
    static const ClassInfo info = ClassBuilder<TMForm>("TMForm", &TForm::StaticClass()).Build();
    return info;
}

TMForm::TMForm(TComponent* owner) : TForm(owner) {
    RegisterToolkitClasses();
    SetDoubleBuffered(true);
    // A sizeable form is kept within the work area (once the toolkit has
    // measured it), unless it has a smaller limit of its own.
    if (BorderStyle() == bsSizeable) {
        TSizeConstraints& limits = Constraints();
        if (MaxFormWidth > 0 && (limits.MaxWidth() == 0 || limits.MaxWidth() > MaxFormWidth))
            limits.SetMaxWidth(MaxFormWidth);
        if (MaxFormHeight > 0 && (limits.MaxHeight() == 0 || limits.MaxHeight() > MaxFormHeight))
            limits.SetMaxHeight(MaxFormHeight);
    }
}

void TMForm::Loaded() {
    TForm::Loaded();
    if (TColor mapped = MapThemeColor(Color()); mapped != Color()) SetColor(mapped);
    // Every published colour goes through the scheme; title bars (which
    // publish none) take the toolkit's colours whatever their description says.
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (HasOrdinalProperty(*c, "Color")) {
            auto color = static_cast<TColor>(GetOrdinalProperty(*c, "Color"));
            if (TColor mapped = MapThemeColor(color); mapped != color) SetOrdinalProperty(*c, "Color", mapped);
        } else if (auto* bar = dynamic_cast<TTitleBar*>(c)) {
            bar->SetStartColor(MapThemeColor(kTitleStart));
            bar->SetEndColor(MapThemeColor(kTitleEnd));
        }
    }
}

void TMForm::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    // Owned by the form that is active when it appears, so that a page or a
    // dialog can never fall behind the window it covers.
    TForm* active = Screen().ActiveForm();
    if (active && active != this && active->HandleAllocated() && IsWindowVisible(active->HandleIfAllocated()))
        params.parent = active->HandleIfAllocated();
}

void TMForm::DoShow() {
    TForm::DoShow();
    if (collectButtons_) CollectButtons();
}

void TMForm::CollectButtons() {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(Components(i))) buttons_.Add(button, button->Enabled());
    collectButtons_ = false;
}

void TMForm::SaveAndDisableButtons() {
    focusedButton_ = nullptr;
    for (int i = 0; i < buttons_.Count(); ++i) {
        auto* button = dynamic_cast<TWinControl*>(buttons_.Button(i));
        if (!button) continue;
        buttons_.SetWasEnabled(i, button->Enabled());
        // The system takes the focus away before it tells a window it is
        // disabled: the form's own record says which control had it.
        if (button->Focused() || ActiveControl() == button) focusedButton_ = button;
        button->SetEnabled(false);
    }
}

void TMForm::RestoreButtons() {
    for (int i = 0; i < buttons_.Count(); ++i)
        if (auto* button = dynamic_cast<TWinControl*>(buttons_.Button(i))) button->SetEnabled(buttons_.WasEnabled(i));
    if (focusedButton_ && focusedButton_->Visible()) focusedButton_->SetFocus();
}

void TMForm::Notification(TComponent* component, bool removing) {
    TForm::Notification(component, removing);
    if (!removing) return;
    buttons_.Remove(component);
    if (focusedButton_ == component) focusedButton_ = nullptr;
}

void TMForm::TranslateSystemMenu() {
    if (BorderStyle() == bsNone || !(BorderIcons() & biSystemMenu)) return;
    HMENU menu = GetSystemMenu(HandleIfAllocated(), FALSE);
    if (!menu) return;
    static constexpr struct {
        UINT command;
        const char* text;
    } kItems[] = {
        {SC_RESTORE, "&Restaureaza"},  {SC_MOVE, "&Muta"},
        {SC_SIZE, "&Dimensioneaza"},   {SC_MINIMIZE, "Mi&nimizeaza"},
        {SC_MAXIMIZE, "Ma&ximizeaza"}, {SC_CLOSE, "&Inchide    ALT+F4"},
    };
    for (const auto& item : kItems) ModifyMenuA(menu, item.command, MF_BYCOMMAND | MF_STRING, item.command, item.text);
    if (!SystemCloseEnabled()) EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

// A right click on any toolkit form, while a message dialog is the active
// form, answers the dialog with its default button.
bool TMForm::AnswerMessageDialog(TMessage& message) {
    if (HIWORD(message.LParam) != WM_RBUTTONDOWN) return false;
    auto* dialog = dynamic_cast<TMessageForm*>(Screen().ActiveForm());
    if (!dialog || !dialog->HandleAllocated()) return false;
    PostMessageA(dialog->HandleIfAllocated(), WM_KEYDOWN, VK_RETURN, 1);
    message.Result = -1;
    return true;
}

void TMForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SETCURSOR:
        if (AnswerMessageDialog(message)) return;
        break;
    case WM_NCCREATE:
        TForm::WndProc(message);
        TranslateSystemMenu();
        return;
    case WM_ENABLE:
        TForm::WndProc(message);
        if (message.WParam)
            RestoreButtons();
        else
            SaveAndDisableButtons();
        return;
    default: break;
    }
    TForm::WndProc(message);
}

const ClassInfo& TPaintedForm::StaticClass() {
    static const ClassInfo info = ClassBuilder<TPaintedForm>("TPaintedForm", &TMForm::StaticClass()).Build();
    return info;
}

TPaintedForm::TPaintedForm(TComponent* owner) : TMForm(owner) {}

const ClassInfo& TMainForm::StaticClass() {
    static const ClassInfo info = ClassBuilder<TMainForm>("TMainForm", &TMForm::StaticClass()).Build();
    return info;
}

TMainForm::TMainForm(TComponent* owner) : TMForm(owner) {}
