#include "framework/control.h"

#include "framework/application.h"
#include "framework/form.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>
#include <windowsx.h>

const NameList kAlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
const NameList kAlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

namespace {

// Window classes registered by us, by atom, with the procedure that handles
// what our controls leave to the default (the system class's own, for a
// control that extends BUTTON, EDIT and the like).
// Never destroyed, as windows may still be destroyed while the process exits.
std::map<ATOM, WNDPROC>& ClassProcedures() {
    static auto* const procedures = new std::map<ATOM, WNDPROC>;
    return *procedures;
}

ATOM WindowAtom(HWND window) { return static_cast<ATOM>(GetClassWord(window, GCW_ATOM)); }

WNDPROC RegisterWindowClass(const TCreateParams& params) {
    static std::map<std::string, WNDPROC> byName;
    auto known = byName.find(params.windowClass);
    if (known != byName.end()) return known->second;

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC base = DefWindowProcA;
    if (!params.baseClass.empty()) {
        if (!GetClassInfoExA(nullptr, params.baseClass.c_str(), &wc))
            throw std::runtime_error("clasa de fereastra " + params.baseClass + " lipseste");
        base = wc.lpfnWndProc;
        wc.cbSize = sizeof(wc);
        wc.style &= ~CS_GLOBALCLASS;
    } else {
        wc.style = params.classStyle;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    }
    wc.lpfnWndProc = KorvenWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = params.windowClass.c_str();
    ATOM atom = RegisterClassExA(&wc);
    if (!atom) throw std::runtime_error("nu pot inregistra clasa de fereastra " + params.windowClass);
    ClassProcedures()[atom] = base;
    byName[params.windowClass] = base;
    return base;
}

// The control whose window CreateWindowEx is making. A top-level window gets
// WM_GETMINMAXINFO before WM_NCCREATE brings `this` with the create
// parameters, and that message must reach the control's procedure as well
// (size limits). One thread makes windows, one at a time or nested.
class CreatingWindow {
public:
    explicit CreatingWindow(TWinControl* control) : outer_(std::exchange(current_, control)) {}
    CreatingWindow(const CreatingWindow&) = delete;
    CreatingWindow& operator=(const CreatingWindow&) = delete;
    ~CreatingWindow() { current_ = outer_; }
    static TWinControl* Current() { return current_; }

private:
    static inline TWinControl* current_ = nullptr;
    TWinControl* outer_;
};

// Child window identifiers: unique, and clear of IDOK/IDCANCEL.
UINT_PTR NextControlId() {
    static UINT_PTR next = 100;
    return next++;
}

TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return mbMiddle;
    default: return mbLeft;
    }
}

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

}  // namespace

// The one window procedure of every window we create.
LRESULT CALLBACK KorvenWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) {
        self = msg == WM_NCCREATE ? static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)
                                  : CreatingWindow::Current();  // a message before WM_NCCREATE
        if (!self || self->handle_) {                           // not a window we are making
            auto it = ClassProcedures().find(WindowAtom(window));
            return CallWindowProcA(it != ClassProcedures().end() ? it->second : DefWindowProcA, window, msg, wParam,
                                   lParam);
        }
        self->handle_ = window;
        self->defaultProc_ = ClassProcedures()[WindowAtom(window)];
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    TMessage message{msg, wParam, lParam, 0};
    // An error must not unwind through the system's frames: it ends the
    // action that raised it and is reported here; the message loop goes on.
    try {
        self->WndProc(message);
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        self->mouseInside_ = false;  // a window made again starts outside
        self->hotControl_ = nullptr;
    }
    return message.Result;
}

TWinControl* FindControl(HWND window) {
    if (!window || !ClassProcedures().count(WindowAtom(window))) return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// ---------------------------------------------------------------------------
// TControl

const ClassInfo& TControl::StaticClass() {
    static const ClassInfo info = ClassBuilder<TControl>("TControl", &TComponent::StaticClass())
                                      .Integer("Left", &TControl::SetLeft, &TControl::Left)
                                      .Integer("Top", &TControl::SetTop, &TControl::Top)
                                      .Integer("Width", &TControl::SetWidth, &TControl::Width)
                                      .Integer("Height", &TControl::SetHeight, &TControl::Height)
                                      .Enumeration("Align", kAlignNames, &TControl::SetAlign, &TControl::Align)
                                      .Boolean("Visible", &TControl::SetVisible, &TControl::Visible)
                                      .Boolean("Enabled", &TControl::SetEnabled, &TControl::Enabled)
                                      .String("Hint", &TControl::SetHint, &TControl::Hint)
                                      .Boolean("ShowHint", &TControl::SetShowHint, &TControl::ShowHint)
                                      .Event("OnClick", &TControl::OnClick)
                                      .Event("OnDblClick", &TControl::OnDblClick)
                                      .Event("OnMouseDown", &TControl::OnMouseDown)
                                      .Event("OnMouseUp", &TControl::OnMouseUp)
                                      .Event("OnMouseMove", &TControl::OnMouseMove)
                                      .Event("OnMouseEnter", &TControl::OnMouseEnter)
                                      .Event("OnMouseLeave", &TControl::OnMouseLeave)
                                      .Build();
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        if (!followingParent_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EComponentError("o componenta nu poate fi parintele ei");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
    auto* windowed = dynamic_cast<TWinControl*>(parent);
    if (!windowed) throw EComponentError(Name() + " trebuie pus intr-o componenta cu fereastra");
    SetParent(windowed);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    BoundsChanged();
}

void TControl::StoreBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::BoundsChanged() {
    Invalidate();
    if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (parent_) {
        parent_->Invalidate();
        if (align_ != alNone) parent_->AlignControls();
    }
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value) ParentColorChanged();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::ParentColorChanged() {
    if (!parentColor_ || !parent_) return;
    if (color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    followingParent_ = true;
    font_.Assign(parent_->Font());
    followingParent_ = false;
}

void TControl::FontChanged() { Invalidate(); }

void TControl::SetText(const std::string& text) {
    if (text == GetText()) return;
    text_ = text;
    TextChanged();
}

void TControl::TextChanged() { Invalidate(); }

void TControl::Invalidate() {
    if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
    RECT r = BoundsRect();
    InvalidateRect(parent_->HandleIfAllocated(), &r, TRUE);
}

void TControl::Repaint() {
    Invalidate();
    if (parent_) parent_->Update();
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

bool TControl::DialogChar(char) { return false; }

void TControl::PaintInParent(HDC) {}

bool TControl::HitInParent(POINT) const { return false; }

void TControl::ChangeScale(int multiplier, int divisor) {
    SetBounds(MulDiv(left_, multiplier, divisor), MulDiv(top_, multiplier, divisor),
              MulDiv(width_, multiplier, divisor), MulDiv(height_, multiplier, divisor));
    if (!parentFont_) font_.SetHeight(MulDiv(font_.Height(), multiplier, divisor));
}

bool IsAccelerator(char key, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(caption[i + 1])))) ==
               CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(key))));
    }
    return false;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---------------------------------------------------------------------------
// TWinControl

const ClassInfo& TWinControl::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass())
            .Object("Font", &TControl::Font)
            .Boolean("ParentFont", &TControl::SetParentFont, &TControl::ParentFont)
            .Integer("TabOrder", &TWinControl::SetTabOrder, &TWinControl::TabOrder)
            .Boolean("TabStop", &TWinControl::SetTabStop, &TWinControl::TabStop)
            .Boolean("DoubleBuffered", &TWinControl::SetDoubleBuffered, &TWinControl::DoubleBuffered)
            .Event("OnKeyDown", &TWinControl::OnKeyDown)
            .Event("OnKeyUp", &TWinControl::OnKeyUp)
            .Event("OnKeyPress", &TWinControl::OnKeyPress)
            .Event("OnEnter", &TWinControl::OnEnter)
            .Event("OnExit", &TWinControl::OnExit)
            .Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // The owner frees the children; a parent that goes first lets go of them.
    while (!controls_.empty()) controls_.back()->SetParent(nullptr);
    DestroyWnd();
    SetParent(nullptr);  // while this is still known to be windowed
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (handle_) return;
    if (Parent()) Parent()->HandleNeeded();  // creates this one as well
    if (!handle_) CreateWnd();
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(Handle(), msg, wParam, lParam);
}

bool TWinControl::CanHoldChild(const TComponent& child) const { return dynamic_cast<const TControl*>(&child); }

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(w);
        if (handle_ && !IsLoading() && !w->IsLoading()) w->CreateWnd();
    }
    control->ParentFontChanged();
    control->ParentColorChanged();
    if (control->Align() != alNone) AlignControls();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    control->Invalidate();
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        w->DestroyWnd();
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    }
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (hotControl_ == control) hotControl_ = nullptr;
    if (TForm* form = ParentForm(); form && form->ActiveControl() == control) form->SetActiveControl(nullptr);
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    if (control->Align() != alNone) AlignControls();
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->tabList_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    requestedTabOrder_ = order;
    if (!Parent() || IsLoading()) return;  // the whole list is sorted once loaded
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    // Tab orders were stored while loading, in whatever order the siblings came.
    std::vector<TWinControl*> unordered = tabList_;
    std::stable_sort(tabList_.begin(), tabList_.end(), [&](TWinControl* a, TWinControl* b) {
        auto key = [&](TWinControl* c) {
            return c->requestedTabOrder_ >= 0
                       ? c->requestedTabOrder_
                       : static_cast<int>(std::find(unordered.begin(), unordered.end(), c) - unordered.begin());
        };
        return key(a) < key(b);
    });
    AlignControls();
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TForm* form = ParentForm(); form && form != this) form->SetActiveControl(this);
    if (HandleAllocated() && CanFocus()) ::SetFocus(handle_);
}

void TWinControl::BringToFront() {
    HWND h = Handle();
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!Parent()) SetForegroundWindow(h);
}

bool TWinControl::Focused() const {
    if (!handle_) return false;
    HWND focus = GetFocus();
    return focus == handle_ || (focus && IsChild(handle_, focus) && !FindControl(focus));
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == n) start = forward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        TWinControl* c = list[((start + (forward ? step : -step)) % n + n) % n];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && c->HandleAllocated()) return c;
    }
    return nullptr;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::FocusedByArrow() {}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::SetBounds(int left, int top, int width, int height) { TControl::SetBounds(left, top, width, height); }

void TWinControl::ChangeScale(int multiplier, int divisor) {
    for (TControl* c : controls_) c->ChangeScale(multiplier, divisor);
    TControl::ChangeScale(multiplier, divisor);
}

void TWinControl::BoundsChanged() {
    if (handle_) {
        TCreateParams p = WindowParams();
        SetWindowPos(handle_, nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (Parent() && Align() != alNone) Parent()->AlignControls();
    AlignControls();
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::AdjustClientRect(RECT&) const {}

void TWinControl::AlignControls() {
    if (IsLoading()) return;
    RECT r = ClientRect();
    AdjustClientRect(r);
    auto place = [&](TAlign which) {
        for (TControl* c : controls_) {
            if (c->Align() != which || !c->Visible()) continue;
            int w = c->Width(), h = c->Height();
            switch (which) {
            case alTop:
                c->SetBounds(r.left, r.top, r.right - r.left, h);
                r.top += h;
                break;
            case alBottom:
                c->SetBounds(r.left, r.bottom - h, r.right - r.left, h);
                r.bottom -= h;
                break;
            case alLeft:
                c->SetBounds(r.left, r.top, w, r.bottom - r.top);
                r.left += w;
                break;
            case alRight:
                c->SetBounds(r.right - w, r.top, w, r.bottom - r.top);
                r.right -= w;
                break;
            case alClient: c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); break;
            case alNone: break;
            }
        }
    };
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) place(a);
}

void TWinControl::PaintControls(HDC dc, const RECT* area) {
    for (TControl* c : controls_) {
        RECT bounds = c->BoundsRect(), overlap;
        if (area && !IntersectRect(&overlap, &bounds, area)) continue;
        c->PaintInParent(dc);
    }
}

TControl* TWinControl::GraphicControlAt(POINT p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->HitInParent(p)) return *it;
    return nullptr;
}

void TWinControl::CommandNotify(WORD) {}

bool TWinControl::DrawItem(const DRAWITEMSTRUCT&) { return false; }

HBRUSH TWinControl::CtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    if (!colorBrush_) colorBrush_.Reset(CreateSolidBrush(ColorToRGB(Color())));
    return colorBrush_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.caption = text_;
    params.style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) params.style |= WS_VISIBLE;
    if (!Enabled()) params.style |= WS_DISABLED;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    params.parent = Parent() ? Parent()->handle_ : nullptr;
}

TCreateParams TWinControl::WindowParams() {
    TCreateParams p;
    CreateParams(p);
    FitWindow(p);
    return p;
}

void TWinControl::FitWindow(TCreateParams&) {}

void TWinControl::CreateWnd() {
    TCreateParams p = WindowParams();
    RegisterWindowClass(p);
    if ((p.style & WS_CHILD) && !p.parent) throw std::runtime_error(Name() + " nu are parinte");
    HMENU id = (p.style & WS_CHILD) ? reinterpret_cast<HMENU>(NextControlId()) : nullptr;
    {
        CreatingWindow creating(this);
        CreateWindowExA(p.exStyle, p.windowClass.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width, p.height,
                        p.parent, id, GetModuleHandleA(nullptr), this);
    }
    if (!handle_) throw std::runtime_error("nu pot crea fereastra " + Name());
    InitializeWnd();
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->handle_) w->CreateWnd();
}

void TWinControl::InitializeWnd() { SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE); }

void TWinControl::DestroyWnd() {
    if (!handle_) return;
    DestroyWindow(handle_);  // WM_NCDESTROY clears handle_ (children go with it)
    handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    bool hadFocus = Focused();
    // Children are re-made under the new window.
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyWnd();
    DestroyWnd();
    CreateWnd();
    if (hadFocus) SetFocus();
}

HFONT TWinControl::FontHandle() {
    if (!gdiFont_) gdiFont_ = Font().Create();
    return gdiFont_;
}

void TWinControl::TextChanged() {
    if (handle_) {
        settingText_ = true;
        SetWindowTextA(handle_, text_.c_str());
        settingText_ = false;
    }
    TControl::TextChanged();
}

void TWinControl::FontChanged() {
    gdi::Font old = std::move(gdiFont_);
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    for (TControl* c : controls_) c->ParentFontChanged();
    TControl::FontChanged();
}

void TWinControl::ColorChanged() {
    colorBrush_.Reset();
    for (TControl* c : controls_) c->ParentColorChanged();
    TControl::ColorChanged();
}

void TWinControl::EnabledChanged() {
    if (handle_) EnableWindow(handle_, Enabled());
    TControl::EnabledChanged();
}

void TWinControl::VisibleChanged() {
    if (handle_ && Parent()) ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
    TControl::VisibleChanged();
}

// Windows tells a window that the mouse left it only when asked, once per
// entry: the first move asks.
void TWinControl::TrackMouse(POINT p) {
    if (!mouseInside_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
        TrackMouseEvent(&track);
        mouseInside_ = true;
        MouseEnter();
    }
    TControl* under = GraphicControlAt(p);
    if (under == hotControl_) return;
    TControl* left = std::exchange(hotControl_, under);
    if (left) left->MouseLeave();
    if (under) under->MouseEnter();
}

void TWinControl::MouseLeft() {
    mouseInside_ = false;
    if (TControl* left = std::exchange(hotControl_, nullptr)) left->MouseLeave();
    MouseLeave();
}

void TWinControl::DispatchMouse(TMessage& m) {
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TShiftState shift = MouseShiftState(m.WParam);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: MouseDown(ButtonOf(m.Msg), shift, p.x, p.y); break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: MouseDown(ButtonOf(m.Msg), shift | ssDouble, p.x, p.y); break;
    case WM_MOUSEMOVE: MouseMove(shift, p.x, p.y); break;
    default: MouseUp(ButtonOf(m.Msg), shift, p.x, p.y); break;
    }
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_COMMAND:
        if (TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
            child->CommandNotify(HIWORD(m.WParam));
            return;
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        if (item->CtlType != ODT_MENU)
            if (TWinControl* child = FindControl(item->hwndItem); child && child->DrawItem(*item)) {
                m.Result = TRUE;
                return;
            }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
        TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam));
        TWinControl* target = child ? child : this;  // a system part of ours: a combo box's edit
        m.Result = reinterpret_cast<LRESULT>(target->CtlColor(reinterpret_cast<HDC>(m.WParam)));
        return;
    }
    case WM_SETFOCUS:
        DefaultHandler(m);
        if (TForm* form = ParentForm(); form && form != this) form->FocusChanged(this);
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(m);
        DoExit();
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(m.WParam);
        KeyDown(key, KeyboardShiftState());
        if (key == 0) return;
        m.WParam = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(m.WParam);
        KeyUp(key, KeyboardShiftState());
        if (key == 0) return;
        m.WParam = key;
        break;
    }
    case WM_CHAR: {
        char key = static_cast<char>(m.WParam);
        KeyPress(key);
        if (key == 0) return;
        m.WParam = static_cast<unsigned char>(key);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (m.Msg == WM_MOUSEMOVE) TrackMouse(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        DispatchMouse(m);
        break;
    case WM_MOUSELEAVE: MouseLeft(); break;
    case WM_WINDOWPOSCHANGED: {
        // The window moved or changed size by itself (the user, the system,
        // a combo box fixing its height): the stored bounds follow it.
        RECT r;
        GetWindowRect(handle_, &r);
        POINT topLeft{r.left, r.top};
        if (Parent() && Parent()->handle_) ScreenToClient(Parent()->handle_, &topLeft);
        StoreBounds(topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top);
        break;
    }
    case WM_SIZE: AlignControls(); break;
    default: break;
    }
    DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    m.Result = CallWindowProcA(defaultProc_ ? defaultProc_ : DefWindowProcA, handle_, m.Msg, m.WParam, m.LParam);
}

// ---------------------------------------------------------------------------
// TGraphicControl

const ClassInfo& TGraphicControl::StaticClass() {
    static const ClassInfo info = ClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClass()).Build();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
    if (left != Left() || top != Top() || width != Width() || height != Height()) Invalidate();  // the old place
    TControl::SetBounds(left, top, width, height);
}

void TGraphicControl::PaintInParent(HDC dc) {
    if (Visible()) PaintOn(dc);
}

bool TGraphicControl::HitInParent(POINT p) const {
    RECT r = BoundsRect();
    return Visible() && Enabled() && PtInRect(&r, p);
}

void TGraphicControl::PaintOn(HDC dc) {
    gdi::SavedState saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + Left(), origin.y + Top(), nullptr);
    IntersectClipRect(dc, 0, 0, Width(), Height());
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    canvas_.Brush().SetColor(Color());
    canvas_.Brush().SetStyle(bsSolid);
    Paint();
    canvas_.SetHandle(nullptr);
}

// ---------------------------------------------------------------------------
// TCustomControl

const ClassInfo& TCustomControl::StaticClass() {
    static const ClassInfo info = ClassBuilder<TCustomControl>("TCustomControl", &TWinControl::StaticClass())
                                      .Color("Color", &TControl::SetColor, &TControl::Color)
                                      .Boolean("ParentColor", &TControl::SetParentColor, &TControl::ParentColor)
                                      .Build();
    return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style |= WS_CLIPCHILDREN;
    params.windowClass = "Korven." + ClassName();
}

void TCustomControl::Paint() {
    RECT r = ClientRect();
    canvas_.Brush().SetColor(Color());
    canvas_.Brush().SetStyle(bsSolid);
    canvas_.FillRect(r);
}

void TCustomControl::PaintTo(HDC dc) {
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    canvas_.Brush().SetColor(Color());
    canvas_.Brush().SetStyle(bsSolid);
    Paint();
    canvas_.SetHandle(nullptr);
    PaintControls(dc, nullptr);
}

void TCustomControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;  // WM_PAINT paints everything
        return;
    case WM_PAINT: {
        gdi::PaintDC paint(HandleIfAllocated());
        RECT client;
        GetClientRect(HandleIfAllocated(), &client);
        if (DoubleBuffered() && client.right > 0 && client.bottom > 0) {
            // Paint into a bitmap and copy it in one step, so nothing flickers.
            gdi::MemoryDC memory(paint);
            gdi::Bitmap bitmap(CreateCompatibleBitmap(paint, client.right, client.bottom));
            gdi::Selection selection(memory);
            selection.Select(bitmap);
            PaintTo(memory);
            BitBlt(paint, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        } else {
            PaintTo(paint);
        }
        return;
    }
    case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(m.WParam)); return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        // Graphic controls have no window: the mouse reaches them through us.
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (m.Msg == WM_MOUSEMOVE) TrackMouse(p);
        TControl* target = mouseControl_ ? mouseControl_ : GraphicControlAt(p);
        bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK ||
                    m.Msg == WM_RBUTTONDBLCLK;
        bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP;
        if (down) {
            mouseControl_ = target;
            SetCapture(HandleIfAllocated());
        }
        if (target) {
            TShiftState shift = MouseShiftState(m.WParam);
            int x = p.x - target->Left(), y = p.y - target->Top();
            if (down)
                target->MouseDown(ButtonOf(m.Msg), shift | (m.Msg == WM_LBUTTONDBLCLK ? ssDouble : 0), x, y);
            else if (up)
                target->MouseUp(ButtonOf(m.Msg), shift, x, y);
            else
                target->MouseMove(shift, x, y);
            RECT r = target->BoundsRect();
            if (m.Msg == WM_LBUTTONUP && PtInRect(&r, p)) target->Click();
            if (m.Msg == WM_LBUTTONDBLCLK) target->DblClick();
        } else {
            DispatchMouse(m);
            DefaultHandler(m);
            RECT r = ClientRect();
            if (m.Msg == WM_LBUTTONUP && GetCapture() == HandleIfAllocated() && PtInRect(&r, p)) Click();
            if (m.Msg == WM_LBUTTONDBLCLK) DblClick();
        }
        if (up) {
            mouseControl_ = nullptr;
            if (GetCapture() == HandleIfAllocated()) ReleaseCapture();
        }
        return;
    }
    default: TWinControl::WndProc(m);
    }
}
