#include "framework/form.h"

#include "framework/application.h"
#include "framework/classes.h"
#include "framework/form_reader.h"
#include "framework/stdctrls.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

const NameList kModalResultNames = {"mrNone",   "mrOk",  "mrCancel", "mrAbort", "mrRetry",
                                    "mrIgnore", "mrYes", "mrNo",     "mrAll"};

namespace {

const NameList kBorderStyleNames = {"bsNone", "bsSingle", "bsSizeable", "bsDialog"};
const NameList kBorderIconNames = {"biSystemMenu", "biMinimize", "biMaximize"};
const NameList kPositionNames = {"poDesigned", "poScreenCenter", "poMainFormCenter"};
const NameList kWindowStateNames = {"wsNormal", "wsMinimized", "wsMaximized"};

std::string FormResourceText(const std::string& name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) throw std::runtime_error("lipseste descrierea ferestrei " + name + " din resursele programului");
    return std::string(data, SizeofResource(module, resource));
}

// Enables again, on every way out of a modal loop, the windows it disabled.
class DisabledWindows {
public:
    explicit DisabledWindows(HWND except) {
        EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::Collect, reinterpret_cast<LPARAM>(this));
        windows_.erase(std::remove(windows_.begin(), windows_.end(), except), windows_.end());
        for (HWND w : windows_) EnableWindow(w, FALSE);
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows() { Restore(); }
    void Restore() {
        for (HWND w : windows_)
            if (IsWindow(w)) EnableWindow(w, TRUE);
        windows_.clear();
    }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self) {
        if (IsWindowVisible(window) && IsWindowEnabled(window))
            reinterpret_cast<DisabledWindows*>(self)->windows_.push_back(window);
        return TRUE;
    }
    std::vector<HWND> windows_;
};

}  // namespace

const ClassInfo& TForm::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TForm>("TForm", &TCustomControl::StaticClass())
            .Enumeration("BorderStyle", kBorderStyleNames, &TForm::SetBorderStyle, &TForm::BorderStyle)
            .Set("BorderIcons", kBorderIconNames, &TForm::SetBorderIcons, &TForm::BorderIcons)
            .Enumeration("Position", kPositionNames, &TForm::SetPosition, &TForm::Position)
            .Enumeration("WindowState", kWindowStateNames, &TForm::SetWindowState, &TForm::WindowState)
            .Boolean("KeyPreview", &TForm::SetKeyPreview, &TForm::KeyPreview)
            .Integer("PixelsPerInch", &TForm::SetPixelsPerInch, &TForm::PixelsPerInch)
            .Integer("ClientWidth", &TForm::SetClientWidth, &TForm::GetClientWidth)
            .Integer("ClientHeight", &TForm::SetClientHeight, &TForm::GetClientHeight)
            .String("Caption", &TControl::SetCaption, &TControl::Caption)
            .Integer("ModalResult", &TForm::SetModalResult, &TForm::ModalResult, &kModalResultNames)
            .Reference("ActiveControl", &TForm::SetActiveControl)
            .Object("Constraints", &TForm::Constraints)
            .Event("OnCreate", &TForm::OnCreate)
            .Event("OnShow", &TForm::OnShow)
            .Event("OnHide", &TForm::OnHide)
            .Event("OnResize", &TForm::OnResize)
            .Event("OnPaint", &TForm::OnPaint)
            .Event("OnActivate", &TForm::OnActivate)
            .Build();
    return info;
}

const ClassInfo& TSizeConstraints::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TSizeConstraints>("TSizeConstraints", &TPersistent::StaticClass())
            .Integer("MinWidth", &TSizeConstraints::SetMinWidth, &TSizeConstraints::MinWidth)
            .Integer("MinHeight", &TSizeConstraints::SetMinHeight, &TSizeConstraints::MinHeight)
            .Integer("MaxWidth", &TSizeConstraints::SetMaxWidth, &TSizeConstraints::MaxWidth)
            .Integer("MaxHeight", &TSizeConstraints::SetMaxHeight, &TSizeConstraints::MaxHeight)
            .Build();
    return info;
}

namespace {

int Clamp(int size, int least, int most) {
    if (most > 0) size = std::min(size, most);
    return std::max(size, least);
}

}  // namespace

int TSizeConstraints::ClampWidth(int width) const { return Clamp(width, minWidth_, maxWidth_); }

int TSizeConstraints::ClampHeight(int height) const { return Clamp(height, minHeight_, maxHeight_); }

void TSizeConstraints::Apply(MINMAXINFO& info) const {
    if (minWidth_ > 0) info.ptMinTrackSize.x = minWidth_;
    if (minHeight_ > 0) info.ptMinTrackSize.y = minHeight_;
    if (maxWidth_ > 0) info.ptMaxTrackSize.x = info.ptMaxSize.x = maxWidth_;
    if (maxHeight_ > 0) info.ptMaxTrackSize.y = info.ptMaxSize.y = maxHeight_;
}

TForm::TForm(TComponent* owner) : TCustomControl(owner), pixelsPerInch_(Screen().PixelsPerInch()) {
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    SetTabStop(false);
    Screen().AddForm(this);
}

TForm::~TForm() {
    DestroyWnd();  // while the form's own window procedure still stands
    Screen().RemoveForm(this);
    if (Application().MainForm() == this) Application().SetMainForm(nullptr);
}

void TForm::LoadForm(const std::string& name) { LoadFormText(FormResourceText(name), name); }

void TForm::LoadFormText(const std::string& text, const std::string& name) {
    RegisterFrameworkClasses();
    ReadComponent(*this, text, name);
    // A description made at another resolution: its sizes and fonts are made
    // for that one, and the form is shown at the screen's.
    if (int screen = Screen().PixelsPerInch(); pixelsPerInch_ != screen) ScaleBy(screen, pixelsPerInch_);
    DoCreate();
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    RecreateWnd();
    ApplyClientSize();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
    RecreateWnd();
    ApplyClientSize();
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (HandleAllocated() && Visible())
        ShowWindow(Handle(), state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TForm::SetActiveControl(TWinControl* control) {
    activeControl_ = control;
    if (control && HandleAllocated() && Visible() && control->CanFocus() && GetActiveWindow() == Handle())
        ::SetFocus(control->Handle());
}

void TForm::ScaleBy(int multiplier, int divisor) {
    if (multiplier == divisor || divisor == 0) return;
    int width = MulDiv(ClientWidth(), multiplier, divisor), height = MulDiv(ClientHeight(), multiplier, divisor);
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(multiplier, divisor);
    Font().SetHeight(MulDiv(Font().Height(), multiplier, divisor));
    pixelsPerInch_ = MulDiv(pixelsPerInch_, multiplier, divisor);
    SetClientWidth(width);
    SetClientHeight(height);
}

void TForm::SetBounds(int left, int top, int width, int height) {
    width = constraints_.ClampWidth(width);
    height = constraints_.ClampHeight(height);
    if (width != Width() || height != Height()) clientWidth_ = clientHeight_ = -1;  // the outer size wins
    TCustomControl::SetBounds(left, top, width, height);
}

void TForm::BoundsChanged() {
    if (HWND h = HandleIfAllocated())
        SetWindowPos(h, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TForm::ClientRect() const {
    if (HWND h = HandleIfAllocated()) {
        RECT r;
        GetClientRect(h, &r);
        return r;
    }
    if (clientWidth_ >= 0 && clientHeight_ >= 0) return {0, 0, clientWidth_, clientHeight_};
    return TCustomControl::ClientRect();
}

void TForm::SetClientWidth(int width) {
    clientWidth_ = width;
    if (clientHeight_ < 0) clientHeight_ = ClientHeight();
    ApplyClientSize();
}

void TForm::SetClientHeight(int height) {
    clientHeight_ = height;
    if (clientWidth_ < 0) clientWidth_ = ClientWidth();
    ApplyClientSize();
}

// Grows or shrinks the window until its client area has the requested size,
// whatever frame the window ended up with. Before the window exists, the outer
// size is worked out from the frame its style will give, so that a caller
// placing the form by its Width and Height sees the size it will have.
void TForm::ApplyClientSize() {
    if (clientWidth_ < 0) return;
    HWND h = HandleIfAllocated();
    if (!h) {
        TCreateParams p = WindowParams();
        StoreBounds(Left(), Top(), p.width, p.height);
        return;
    }
    RECT client, window;
    GetClientRect(h, &client);
    GetWindowRect(h, &window);
    int width = (window.right - window.left) + clientWidth_ - client.right;
    int height = (window.bottom - window.top) + clientHeight_ - client.bottom;
    if (width != window.right - window.left || height != window.bottom - window.top)
        SetWindowPos(h, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.style = WS_CLIPCHILDREN;
    params.exStyle = WS_EX_CONTROLPARENT;
    switch (borderStyle_) {
    case bsNone: params.style |= WS_POPUP; break;
    case bsSingle: params.style |= WS_CAPTION; break;
    case bsSizeable: params.style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.style |= WS_POPUP | WS_CAPTION;
        params.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        params.style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog) {
            if (borderIcons_ & biMinimize) params.style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) params.style |= WS_MAXIMIZEBOX;
        }
    }
    if (!Enabled()) params.style |= WS_DISABLED;
    // Owned by the main window, so that pages stay above it.
    TForm* main = Application().MainForm();
    params.parent = (main && main != this && main->HandleAllocated()) ? main->HandleIfAllocated() : nullptr;
}

// The frame comes from the style as the form's class and every class derived
// from it left it, so a form whose class drops part of the frame knows its
// outer size before its window exists.
void TForm::FitWindow(TCreateParams& params) {
    if (clientWidth_ >= 0) {
        RECT r{0, 0, clientWidth_, clientHeight_};
        AdjustWindowRectEx(&r, params.style, FALSE, params.exStyle);
        params.width = r.right - r.left;
        params.height = r.bottom - r.top;
    }
    params.width = constraints_.ClampWidth(params.width);
    params.height = constraints_.ClampHeight(params.height);
    PlaceOnScreen(params);
}

void TForm::PlaceOnScreen(TCreateParams& params) const {
    if (position_ == poScreenCenter) {
        params.x = (Screen().Width() - params.width) / 2;
        params.y = (Screen().Height() - params.height) / 2;
    } else if (position_ == poMainFormCenter) {
        TForm* main = Application().MainForm();
        if (main && main != this && main->HandleAllocated()) {
            RECT r;
            GetWindowRect(main->HandleIfAllocated(), &r);
            params.x = r.left + (r.right - r.left - params.width) / 2;
            params.y = r.top + (r.bottom - r.top - params.height) / 2;
        }
    }
}

void TForm::CreateWnd() {
    TCustomControl::CreateWnd();
    ApplyClientSize();  // a derived class may have changed the frame at WM_NCCREATE
    AlignControls();
}

void TForm::Paint() {
    TCustomControl::Paint();
    if (OnPaint) OnPaint(this);
}

void TForm::SetVisible(bool visible) {
    if (IsLoading()) {  // a description only records it; the form shows when asked
        TCustomControl::SetVisible(visible);
        return;
    }
    bool onScreen = HandleAllocated() && IsWindowVisible(HandleIfAllocated());
    if (visible) {
        if (onScreen) return;
        HandleNeeded();
        TCustomControl::SetVisible(true);
        DoShow();
        ShowWindow(Handle(), windowState_ == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        SetForegroundWindow(Handle());
        FocusFirstControl();
    } else {
        TCustomControl::SetVisible(false);
        if (onScreen) {
            ShowWindow(HandleIfAllocated(), SW_HIDE);
            DoHide();
        }
    }
}

void TForm::Show() { SetVisible(true); }

void TForm::Hide() { SetVisible(false); }

void TForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TForm::Resize() {
    if (OnResize) OnResize(this);
}

int TForm::ShowModal() {
    if (modal_ || (Visible() && HandleAllocated()))
        throw std::logic_error("fereastra " + Name() + " este deja afisata");
    HandleNeeded();
    HWND previous = GetActiveWindow();
    modalResult_ = mrNone;
    modal_ = true;
    struct ModalFlag {
        bool& flag;
        ~ModalFlag() { flag = false; }
    } modalFlag{modal_};
    int result;
    {
        DisabledWindows disabled(Handle());
        Show();
        while (modalResult_ == mrNone) {
            Application().HandleMessage();
            if (Application().Terminated() && modalResult_ == mrNone) modalResult_ = mrCancel;
        }
        result = modalResult_;
        disabled.Restore();  // before hiding, so that the activation goes back to them
        Hide();
    }
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return result;
}

void TForm::Close() {
    if (modal_)
        modalResult_ = mrCancel;
    else
        Hide();
}

namespace {

template <class Pick>
TButton* FindButton(const TForm& form, Pick pick) {
    std::vector<TWinControl*> list;
    form.GetTabOrderList(list);
    for (TWinControl* c : list)
        if (auto* b = dynamic_cast<TButton*>(c); b && pick(*b) && b->CanFocus()) return b;
    return nullptr;
}

bool FindAccelerator(TWinControl& container, char key) {
    for (int i = 0; i < container.ControlCount(); ++i) {
        TControl* c = container.Controls(i);
        if (!c->Visible() || !c->Enabled()) continue;
        if (c->DialogChar(key)) return true;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && FindAccelerator(*w, key)) return true;
    }
    return false;
}

}  // namespace

TButton* TForm::DefaultButton() const {
    return FindButton(*this, [](const TButton& b) { return b.Default(); });
}

TButton* TForm::CancelButton() const {
    return FindButton(*this, [](const TButton& b) { return b.Cancel(); });
}

void TForm::FocusChanged(TWinControl* control) { activeControl_ = control; }

void TForm::SelectNext(TWinControl* current, bool forward) {
    if (TWinControl* next = FindNextControl(current, forward, true)) next->SetFocus();
}

void TForm::FocusFirstControl() {
    if (!HandleAllocated()) return;
    if (activeControl_ && activeControl_->CanFocus() && activeControl_->HandleAllocated()) {
        ::SetFocus(activeControl_->HandleIfAllocated());
        return;
    }
    if (TWinControl* first = FindNextControl(nullptr, true, true))
        first->SetFocus();
    else
        ::SetFocus(HandleIfAllocated());
}

bool TForm::PreprocessMessage(MSG& msg) {
    // The focused control, or ours that holds it (a combo box holds an edit).
    TWinControl* focused = nullptr;
    for (HWND h = msg.hwnd; h && !focused; h = GetParent(h)) focused = FindControl(h);
    bool fromChild = msg.hwnd != HandleIfAllocated();
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (keyPreview_ && fromChild) {
            WORD key = static_cast<WORD>(msg.wParam);
            KeyDown(key, KeyboardShiftState());
            if (key == 0) return true;
            msg.wParam = key;
        }
        return msg.message == WM_KEYDOWN && DialogKey(msg, focused);
    }
    case WM_CHAR: {
        if (keyPreview_ && fromChild) {
            char key = static_cast<char>(msg.wParam);
            KeyPress(key);
            if (key == 0) return true;
            msg.wParam = static_cast<unsigned char>(key);
        }
        UINT code =
            static_cast<UINT>(SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)));
        if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
        return DialogCharacter(static_cast<char>(msg.wParam), focused);
    }
    case WM_SYSCHAR: return DialogCharacter(static_cast<char>(msg.wParam), focused);
    default: return false;
    }
}

bool TForm::DialogKey(MSG& msg, TWinControl* focused) {
    UINT code = static_cast<UINT>(SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)));
    TShiftState shift = KeyboardShiftState();
    switch (msg.wParam) {
    case VK_TAB:
        if ((shift & (ssCtrl | ssAlt)) || (code & DLGC_WANTTAB)) return false;
        SelectNext(focused, !(shift & ssShift));
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if ((code & DLGC_WANTARROWS) || !focused || !focused->Parent()) return false;
        // Arrows move among the controls of one container, as in a dialog box.
        std::vector<TWinControl*> siblings;
        for (int i = 0; i < focused->Parent()->ControlCount(); ++i)
            if (auto* w = dynamic_cast<TWinControl*>(focused->Parent()->Controls(i))) siblings.push_back(w);
        std::sort(siblings.begin(), siblings.end(),
                  [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
        bool forward = msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN;
        auto it = std::find(siblings.begin(), siblings.end(), focused);
        int n = static_cast<int>(siblings.size()), at = static_cast<int>(it - siblings.begin());
        for (int step = 1; step < n; ++step) {
            TWinControl* c = siblings[((at + (forward ? step : -step)) % n + n) % n];
            if (c->CanFocus() && c->HandleAllocated()) {
                c->SetFocus();
                c->FocusedByArrow();
                return true;
            }
        }
        return true;
    }
    case VK_RETURN:
    case VK_ESCAPE: {
        if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
        TButton* button = nullptr;
        if (msg.wParam == VK_RETURN) {
            button = dynamic_cast<TButton*>(focused);
            if (!button) button = DefaultButton();
        } else {
            button = CancelButton();
        }
        if (!button) return false;
        button->Click();
        return true;
    }
    default: return false;
    }
}

bool TForm::DialogCharacter(char key, TWinControl*) { return FindAccelerator(*this, key); }

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE) {
            Screen().SetActiveForm(this);
            if (OnActivate) OnActivate(this);
            if (!HIWORD(m.WParam)) FocusFirstControl();  // not when minimised
            return;
        }
        break;
    case WM_SETCURSOR:
        if (Screen().Cursor() != crDefault) {
            SetCursor(Screen().CursorHandle(Screen().Cursor()));
            m.Result = TRUE;
            return;
        }
        break;
    case WM_SIZE:
        TCustomControl::WndProc(m);
        if (!IsLoading()) Resize();
        return;
    case WM_GETMINMAXINFO:
        TCustomControl::WndProc(m);
        constraints_.Apply(*reinterpret_cast<MINMAXINFO*>(m.LParam));
        return;
    default: break;
    }
    TCustomControl::WndProc(m);
}
