// Controls: the common base (bounds, alignment, colour, font, caption, mouse
// events), windowed controls as Win32 windows with a virtual window procedure,
// graphic controls painted by their parent, and custom controls that paint
// themselves and the graphic controls they hold.
//
// Ownership: a control has one deleter, its owner (the component it was
// created with: for a form's controls, the form). Its parent only shows it: a
// parent freed before its children lets go of them (they lose their windows
// and can be given another parent); a child freed first leaves its parent.
//
// Messages reach TWinControl::WndProc, whose default passes the parent's
// WM_COMMAND, WM_DRAWITEM and WM_CTLCOLOR* on to the child they concern, so a
// control owns its behaviour. `this` arrives through the create parameters at
// WM_NCCREATE. Handles are made on demand (Show, Handle()), after loading.
#pragma once

#include "framework/graphics.h"

#include <functional>
#include <string>
#include <vector>

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result = 0;
};

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// A form's border; controls with a border use the first two.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
using TBorderStyle = TFormBorderStyle;

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;
TShiftState KeyboardShiftState();

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

extern const NameList kAlignNames;      // alNone ...
extern const NameList kAlignmentNames;  // taLeftJustify ...

class TWinControl;
class TForm;
LRESULT CALLBACK KorvenWindowProc(HWND, UINT, WPARAM, LPARAM);

class TControl : public TComponent {
    DECLARE_CLASS_INFO
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing() const;  // visible, and so are all its parents
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& text) { SetText(text); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& text);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }

    TNotifyEvent OnClick, OnDblClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter, OnMouseLeave;

    virtual void Invalidate();
    virtual void Repaint();     // paints at once
    TForm* ParentForm() const;  // the top-level form that holds it (itself for a form)

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The mouse came over the control, or left it (hot buttons light up and
    // go dark). A windowed control learns it from its own window; a graphic
    // control from its parent, which follows which child is under the mouse.
    // Moving onto a windowed child leaves the parent, as Windows sees it.
    virtual void MouseEnter();
    virtual void MouseLeave();
    // An Alt+letter (or a letter the focused control does not want): true
    // when this control took it as its accelerator.
    virtual bool DialogChar(char key);
    // A control without a window of its own is painted by its parent into
    // the parent's DC, and the parent's mouse messages at a point of its
    // (parent coordinates) reach it. A windowed control paints itself and
    // has its own mouse: by default nothing is painted and nothing is hit.
    virtual void PaintInParent(HDC dc);
    virtual bool HitInParent(POINT p) const;
    // Bounds and own font multiplied by multiplier / divisor (a form made for
    // one screen resolution shown on another); windowed controls scale the
    // controls they hold too.
    virtual void ChangeScale(int multiplier, int divisor);

protected:
    // Notifications after a property changed; overrides call the inherited one.
    virtual void TextChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void BoundsChanged();
    // The parent's font or colour changed: follow it when told to.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    void StoreBounds(int left, int top, int width, int height);  // after the window moved by itself

    std::string text_;

private:
    friend class TWinControl;
    TWinControl* parent_ = nullptr;  // not owned
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true, enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false, parentFont_ = true;
    bool followingParent_ = false;  // a font change that comes from the parent
    TFont font_;
    std::string hint_;
    bool showHint_ = false;
};

// Parameters of CreateWindowEx, filled by CreateParams and its overrides.
struct TCreateParams {
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;    // parent or, for a top-level window, owner
    std::string windowClass;  // name registered for us
    std::string baseClass;    // a system class that windowClass extends ("BUTTON"), or empty
    UINT classStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
    DECLARE_CLASS_INFO
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();  // creates the window when needed
    HWND HandleIfAllocated() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }
    bool CanHoldChild(const TComponent& child) const override;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter, OnExit;

    virtual bool CanFocus() const;
    void SetFocus();
    // On top of its siblings; a top-level window also becomes the foreground one.
    void BringToFront();
    bool Focused() const;
    // The windowed controls in tab order, depth first (containers' contents
    // where the container stands).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) control after current that can take the focus.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;

    // Keys for this control (and, with a form's KeyPreview, for the form
    // first); setting the key to 0 swallows it.
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // The arrow keys moved the focus here from a sibling, as in a dialog box:
    // a radio button checks itself. Nothing by default.
    virtual void FocusedByArrow();

    void SetBounds(int left, int top, int width, int height) override;
    void ChangeScale(int multiplier, int divisor) override;
    void Invalidate() override;
    void Repaint() override;
    void Update();  // paints what is invalid now
    void Loaded() override;
    void AlignControls();
    void PaintControls(HDC dc, const RECT* area);  // the graphic controls it holds
    TControl* GraphicControlAt(POINT p) const;     // the topmost one hit at p

    // Reflected by the parent: WM_COMMAND notification codes, owner drawing
    // and the colours of a standard control.
    virtual void CommandNotify(WORD code);
    virtual bool DrawItem(const DRAWITEMSTRUCT& item);
    virtual HBRUSH CtlColor(HDC dc);

    // Every message of the window, from the first (WM_GETMINMAXINFO of a
    // top-level window, then WM_NCCREATE) to WM_NCDESTROY. An override takes
    // what it handles and passes the rest to the inherited WndProc; set
    // message.Result for the answer. DefaultHandler is the system's handling.
    virtual void WndProc(TMessage& message);
    void DefaultHandler(TMessage& message);

protected:
    friend class TControl;
    // The window's class, style, place and parent; overrides add to them.
    virtual void CreateParams(TCreateParams& params);
    // After CreateParams and every override of it: what depends on the final
    // style (a form's outer size from its client size, its place on screen).
    virtual void FitWindow(TCreateParams& params);
    TCreateParams WindowParams();  // CreateParams, then FitWindow
    virtual void CreateWnd();
    // After the window exists: push the stored state into it.
    virtual void InitializeWnd();
    virtual void DestroyWnd();
    void RecreateWnd();
    // The part of the client area left to aligned controls.
    virtual void AdjustClientRect(RECT& rect) const;

    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void BoundsChanged() override;

    HFONT FontHandle();
    virtual void DoEnter();
    virtual void DoExit();
    // Mouse messages: enter and leave for this window and the graphic child
    // under the mouse, then MouseDown, MouseMove or MouseUp.
    void TrackMouse(POINT p);
    void DispatchMouse(TMessage& message);

    bool settingText_ = false;          // our own WM_SETTEXT is under way
    TControl* mouseControl_ = nullptr;  // graphic control that has the mouse captured

private:
    friend LRESULT CALLBACK KorvenWindowProc(HWND, UINT, WPARAM, LPARAM);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MouseLeft();

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr;
    std::vector<TControl*> controls_;    // not owned (their owner frees them), z-order
    std::vector<TWinControl*> tabList_;  // not owned
    int requestedTabOrder_ = -1;         // set while loading, applied in Loaded
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    bool mouseInside_ = false;        // enter seen, leave not yet
    TControl* hotControl_ = nullptr;  // not owned: the graphic child under the mouse
    gdi::Font gdiFont_;
    gdi::Brush colorBrush_;
};

// True when key is the letter after the single '&' of caption.
bool IsAccelerator(char key, const std::string& caption);

// The windowed control that owns this window, or nullptr for a window of
// someone else.
TWinControl* FindControl(HWND window);

// A control without a window of its own, painted by its parent.
class TGraphicControl : public TControl {
    DECLARE_CLASS_INFO
public:
    explicit TGraphicControl(TComponent* owner);
    // Valid while painting: the parent's device context, origin at the control.
    TCanvas& Canvas() { return canvas_; }
    void PaintOn(HDC dc);  // paints into dc with the origin at the control's corner
    // The parent paints the place it leaves as well as the one it takes.
    void SetBounds(int left, int top, int width, int height) override;
    void PaintInParent(HDC dc) override;       // when visible
    bool HitInParent(POINT p) const override;  // visible, enabled and within its bounds

protected:
    virtual void Paint() = 0;

private:
    TCanvas canvas_;
};

// A windowed control of its own window class that paints itself (and the
// graphic controls it holds): panels, group boxes, forms.
class TCustomControl : public TWinControl {
    DECLARE_CLASS_INFO
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas& Canvas() { return canvas_; }
    // Paints the client area and the graphic controls into dc.
    void PaintTo(HDC dc);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // Paints the control's own face; the default fills it with Color.
    virtual void Paint();

private:
    TCanvas canvas_;
};
