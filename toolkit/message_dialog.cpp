#include "toolkit/message_dialog.h"

#include "framework/application.h"
#include "framework/extctrls.h"
#include "toolkit/fmt_label.h"
#include "toolkit/message_layout.h"
#include "toolkit/nice_button.h"
#include "toolkit/theme_colors.h"
#include "toolkit/title_bar.h"
#include "toolkit/trans_image.h"

#include <algorithm>
#include <cstring>
#include <memory>

std::string MessagePrefix;
int AutoCloseUnits = 0;
bool AutoAnswer = false;
TMessageDialogForm* CurrentDialog = nullptr;

namespace {

constexpr TColor kTitleStart = 0x00825106;
constexpr int kTitleBarHeight = 25;
// One tick of the unattended modes; the answer comes at the second.
constexpr int kTimerUnit = 300;
constexpr const char* kRule = "---------------------------\r\n";

MessageDialogWatcher& Watcher() {
    static MessageDialogWatcher watcher;
    return watcher;
}

UnattendedDialogHandler& UnattendedHandler() {
    static UnattendedDialogHandler handler;
    return handler;
}

int AnswerUnattended(const std::string& message, const std::string& caption, TMsgDlgType kind, TMsgDlgButtons buttons,
                     TMsgDlgBtn defaultButton) {
    const int answer = KindInfo(DialogButtonKind(DecliningButton(buttons, defaultButton))).modalResult;
    UnattendedHandler()(kind, caption.empty() ? std::string(DefaultDialogCaption(kind)) : caption,
                        WithMessagePrefix(MessagePrefix, message));
    return answer;
}

std::vector<TButton*> DialogButtons(const TForm& form) {
    std::vector<TButton*> buttons;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(form.Components(i))) buttons.push_back(button);
    return buttons;
}

std::string WithoutAmpersands(const std::string& caption) {
    std::string plain;
    for (char c : caption)
        if (c != '&') plain += c;
    return plain;
}

void PutOnClipboard(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return;
    struct Closer {
        ~Closer() { CloseClipboard(); }
    } closer;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return;
    if (void* bytes = GlobalLock(memory)) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
    }
    // The clipboard owns the memory once it took it.
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
}

// The screen cursor is an arrow while a dialog is up, whatever a busy step
// had set, and comes back afterwards.
class ArrowCursor {
public:
    ArrowCursor() : saved_(Screen().Cursor()) { Screen().SetCursor(crArrow); }
    ~ArrowCursor() { Screen().SetCursor(saved_); }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;

private:
    TCursor saved_;
};

// Whatever way the call ends, no dialog is current afterwards.
struct CurrentDialogReset {
    ~CurrentDialogReset() { CurrentDialog = nullptr; }
};

// The timer procedures: a tick first counts the dialog's tag down, the next
// one stops the timer and answers.
bool SecondTick(TTimer& timer) {
    if (!CurrentDialog) return false;
    if (CurrentDialog->Tag() > 0) {
        CurrentDialog->SetTag(CurrentDialog->Tag() - 1);
        return false;
    }
    timer.SetEnabled(false);
    return true;
}

void AutoCloseTick(TTimer& timer) {
    if (SecondTick(timer)) CurrentDialog->Close();
}

void AutoAnswerTick(TTimer& timer) {
    if (!SecondTick(timer)) return;
    for (TButton* button : DialogButtons(*CurrentDialog))
        if (button->Default() && button->Visible() && button->Enabled()) {
            button->Click();
            return;
        }
}

bool HasMainWindow() {
    TForm* main = Application().MainForm();
    return main && main->HandleAllocated();
}

// Starts the timer of an unattended mode, if one is on; the timer belongs to
// the dialog and dies with it.
void StartUnattendedTimer(TMessageDialogForm& form, int buttonCount) {
    if (!HasMainWindow()) return;
    const bool autoClose = AutoCloseUnits != 0 && buttonCount == 1;
    if (!autoClose && !(AutoAnswer && buttonCount >= 1)) return;
    int interval = AutoCloseUnits * kTimerUnit;
    // A one-button dialog answered at once could never be clicked three
    // times to switch the mode off again.
    if (!autoClose && buttonCount == 1) interval = std::max(interval, kTimerUnit);
    form.SetTag(1);
    CurrentDialog = &form;
    auto* timer = new TTimer(&form);
    timer->SetEnabled(false);
    timer->SetInterval(interval);  // 0: the shortest the system has
    timer->OnTimer = [autoClose](TObject* sender) {
        auto& self = *static_cast<TTimer*>(sender);
        autoClose ? AutoCloseTick(self) : AutoAnswerTick(self);
    };
    timer->SetEnabled(true);
}

TPanel* MakePanel(TMessageDialogForm& form) {
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetCaption("");
    panel->SetBevelOuter(bvLowered);
    panel->SetColor(MapThemeColor(panel->Color()));
    return panel;
}

// The dialog's buttons on the row, in the order of the set; answers how many.
int MakeButtons(TMessageDialogForm& form, TPanel& row, TMsgDlgButtons buttons, TMsgDlgBtn defaultButton,
                const LayoutRect& first) {
    const std::optional<TMsgDlgBtn> escape = EscapeButton(buttons);
    int count = 0;
    for (int i = 0; i < kMsgDlgBtnCount; ++i) {
        const auto which = static_cast<TMsgDlgBtn>(i);
        if (!buttons.Has(which)) continue;
        auto* button = new TNiceButton(&form);
        button->SetParent(&row);
        button->SetKind(DialogButtonKind(which));
        std::string name = DialogButtonName(button->Caption());
        // No and No to all share a caption; a name is one component's only.
        if (form.FindComponent(name)) name += std::to_string(i);
        button->SetName(name);
        button->SetBounds(first.left + count * first.width, first.top, first.width, first.height);
        button->SetDefault(which == defaultButton);
        if (which == defaultButton) form.SetActiveControl(button);
        button->SetCancel(escape == which);
        ++count;
    }
    return count;
}

std::unique_ptr<TMessageDialogForm> BuildDialog(const std::string& message, const std::string& caption,
                                                TMsgDlgType kind, TAlignment alignment, TMsgDlgButtons buttons,
                                                TMsgDlgBtn defaultButton, int helpContext) {
    const std::string text = WithMessagePrefix(MessagePrefix, message);
    auto form = std::make_unique<TMessageDialogForm>(&Application());
    TMessageDialogForm& f = *form;
    f.SetName("Message");
    f.SetPixelsPerInch(96);
    f.SetBorderStyle(bsDialog);
    f.SetBorderIcons(biSystemMenu);
    f.Font().SetName("MS Sans Serif");
    f.Font().SetHeight(-11);
    f.SetColor(MapThemeColor(f.Color()));
    f.SetMessage(text);

    auto* bar = new TTitleBar(&f);
    bar->SetParent(&f);
    bar->SetAlign(alTop);
    bar->SetHeight(kTitleBarHeight);
    bar->SetStartColor(kTitleStart);
    f.SetTitleBar(bar);

    TPanel* panel = MakePanel(f);
    panel->SetName("Panel");
    auto* bevel = new TBevel(&f);
    bevel->SetName("Bevel");
    bevel->SetParent(&f);
    bevel->SetShape(bsTopLine);

    // Broken at blanks where it is measured, so that the label, which only
    // breaks where it is told, shows the lines that were measured.
    TFont bold;
    bold.Assign(f.Font());
    bold.SetStyle(bold.Style() | fsBold);
    const int measureWidth = Screen().Width() / 2;
    const std::string lines = WrapAtBlanks(text, measureWidth, [&bold](std::string_view line) {
        return static_cast<int>(MeasureText(bold, line, DT_SINGLELINE | DT_NOPREFIX).cx);
    });
    const SIZE measured = MeasureText(bold, lines, DT_NOPREFIX, measureWidth);

    auto* label = new TFmtLabel(&f);
    label->SetName("Message");
    label->SetParent(panel);
    label->SetAlignment(alignment);
    label->SetTransparent(true);
    label->SetWordWrap(true);
    label->Font().Assign(bold);
    label->SetCaption(lines);

    auto* icon = new TTransImage(&f);
    icon->SetName("Image");
    icon->SetParent(panel);
    icon->SetKindMare(kind);  // mtCustom has no icon: an empty picture
    const TBitmap& iconPicture = icon->Picture();

    TPanel* row = MakePanel(f);
    const MessageLayout layout = LayoutMessageDialog(
        {measured.cx, measured.cy, iconPicture.Width(), iconPicture.Height(), bar->Height(), buttons.Count()});
    MakeButtons(f, *row, buttons, defaultButton, layout.FirstButton());

    f.SetClientWidth(layout.clientWidth);
    f.SetClientHeight(layout.clientHeight);
    auto place = [](TControl& control, const LayoutRect& r) { control.SetBounds(r.left, r.top, r.width, r.height); };
    place(*panel, layout.panel);
    place(*label, layout.message);
    place(*icon, layout.icon);
    place(*bevel, layout.bevel);
    place(*row, layout.buttonRow);

    for (TControl* control : std::initializer_list<TControl*>{&f, panel, label, icon, row})
        control->OnMouseDown = [&f](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
            f.DialogMouseDown(sender, button, shift, x, y);
        };

    f.SetCaption(caption.empty() ? std::string(DefaultDialogCaption(kind)) : caption);
    f.SetPosition(poScreenCenter);
    f.SetHelpContext(helpContext);
    if (const int ppi = Screen().PixelsPerInch(); ppi != 96) f.ScaleBy(ppi, 96);
    return form;
}

}  // namespace

int RomMessageDlg(const std::string& message, const std::string& caption, TMsgDlgType kind, TAlignment alignment,
                  TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, int helpContext, bool /*showAlways*/) {
    if (UnattendedHandler()) return AnswerUnattended(message, caption, kind, buttons, defaultButton);
    ArrowCursor arrow;
    CurrentDialogReset reset;
    try {
        std::unique_ptr<TMessageDialogForm> form =
            BuildDialog(message, caption, kind, alignment, buttons, defaultButton, helpContext);
        StartUnattendedTimer(*form, buttons.Count());
        return static_cast<uint16_t>(form->ShowModal());
    } catch (...) {
        return 0;
    }
}

void SetMessageDialogWatcher(MessageDialogWatcher watcher) { Watcher() = std::move(watcher); }

void SetUnattendedDialogHandler(UnattendedDialogHandler handler) { UnattendedHandler() = std::move(handler); }

const ClassInfo& TMessageDialogForm::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TMessageDialogForm>("TMessageDialogForm", &TMessageForm::StaticClass()).Build();
    return info;
}

TMessageDialogForm::TMessageDialogForm(TComponent* owner) : TMessageForm(owner) {}

void TMessageDialogForm::DialogMouseDown(TObject* sender, TMouseButton button, TShiftState, int, int) {
    if (button == mbRight) {
        ClickDefaultButtons();
        return;
    }
    if (sender == FindComponent("Image")) CountIconClick();
}

void TMessageDialogForm::ClickDefaultButtons() {
    for (TButton* button : DialogButtons(*this))
        if (button->Default()) button->Click();
}

// From the third click on the icon each click switches a mode: a one-button
// dialog closes with mrIgnore and switches auto-close; a dialog with more
// buttons switches auto-answer and is answered with its default button.
void TMessageDialogForm::CountIconClick() {
    if (++iconClicks_ < 3) return;
    if (DialogButtons(*this).size() < 2) {
        SetModalResult(mrIgnore);
        AutoCloseUnits = AutoCloseUnits == 0 ? 1 : 0;
    } else {
        AutoAnswer = !AutoAnswer;
        ClickDefaultButtons();
    }
}

std::string TMessageDialogForm::CopyText() const {
    std::string text = kRule + Caption() + "\r\n" + kRule;
    for (char c : message_) text += c == '\r' ? std::string("\r\n") : std::string(1, c);
    text += "\r\n";
    text += kRule;
    for (TButton* button : DialogButtons(*this)) text += WithoutAmpersands(button->Caption()) + "   ";
    text += "\r\n";
    text += kRule;
    return text;
}

void TMessageDialogForm::WndProc(TMessage& message) {
    if (message.Msg == WM_COPY) {
        PutOnClipboard(HandleIfAllocated(), CopyText());
        return;
    }
    TMessageForm::WndProc(message);
}

void TMessageDialogForm::KeyDown(WORD& key, TShiftState shift) {
    if (key == 'C' && (shift & ssCtrl)) {
        PutOnClipboard(HandleIfAllocated(), CopyText());
        key = 0;
        return;
    }
    TMessageForm::KeyDown(key, shift);
}

void TMessageDialogForm::DoShow() {
    TMessageForm::DoShow();
    if (Watcher()) Watcher()(*this);
}
