// Forms: top-level windows read from a form description, shown modelessly or
// modally. A form class publishes its handlers and fields in its constructor
// and then calls LoadForm with its description's resource name:
//
//   TIType::TIType(TComponent* owner) : TTitleForm(owner) {
//       PublishMethod("BNextClick", &TIType::BNextClick);
//       PublishField("BNext", BNext);
//       LoadForm("TIType");   // reads forms/TIType.kfd, then OnCreate
//   }
#pragma once

#include "framework/control.h"

#include <string>

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8
};
// The names a description may give a modal result, by value.
extern const NameList kModalResultNames;
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4;
enum TPosition { poDesigned, poScreenCenter, poMainFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

class TButton;

// A form's size limits in pixels, outer size; 0 means no limit. The user's
// dragging and maximising keep to them (WM_GETMINMAXINFO), and so does
// SetBounds.
class TSizeConstraints : public TPersistent {
    DECLARE_CLASS_INFO
public:
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value) { minWidth_ = value; }
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value) { minHeight_ = value; }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value) { maxWidth_ = value; }
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value) { maxHeight_ = value; }

    int ClampWidth(int width) const;
    int ClampHeight(int height) const;
    void Apply(MINMAXINFO& info) const;  // writes the limits that are set

private:
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

class TForm : public TCustomControl {
    DECLARE_CLASS_INFO
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Reads the description stored as resource `name` into this form, scales
    // it when it was made at another resolution than the screen's, then runs
    // OnCreate. Errors name the description and the line.
    void LoadForm(const std::string& name);
    // The same from text (tests, descriptions not in resources).
    void LoadFormText(const std::string& text, const std::string& name);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // The resolution the form was made for: the screen's for a form built at
    // run time, the description's for one read from a description (which is
    // then scaled to the screen's); ScaleBy keeps it up to date.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    // Scales the form's client size, its font and every control it holds,
    // e.g. ScaleBy(Screen().PixelsPerInch(), 96) for a form made at 96.
    void ScaleBy(int multiplier, int divisor);
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Set them before the window exists, or call SetBounds after.
    TSizeConstraints& Constraints() { return constraints_; }

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    int GetClientWidth() const { return ClientWidth(); }
    int GetClientHeight() const { return ClientHeight(); }

    TNotifyEvent OnCreate, OnShow, OnHide, OnResize, OnPaint, OnActivate;

    void Show();
    void Hide();
    // Disables the application's other windows, shows the form and handles
    // messages until ModalResult is not mrNone; then enables them again,
    // hides the form and returns the result.
    int ShowModal();
    // A modal form ends with mrCancel; another one hides.
    void Close();
    bool Modal() const { return modal_; }

    // The enabled, visible default (Enter) or cancel (Escape) button.
    TButton* DefaultButton() const;
    TButton* CancelButton() const;

    // Keyboard handling before the focused control sees the message: key
    // preview, Tab and arrow navigation, Enter and Escape, accelerators.
    // True when the message was used up.
    bool PreprocessMessage(MSG& msg);
    void FocusChanged(TWinControl* control);
    void SelectNext(TWinControl* current, bool forward);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void FitWindow(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void BoundsChanged() override;
    void SetVisible(bool visible) override;
    virtual void DoCreate();
    virtual void DoShow();  // the show notification: OnShow
    virtual void DoHide();
    virtual void Resize();  // the resize notification: OnResize

private:
    void PlaceOnScreen(TCreateParams& params) const;
    void ApplyClientSize();
    void FocusFirstControl();
    bool DialogKey(MSG& msg, TWinControl* focused);
    bool DialogCharacter(char key, TWinControl* focused);

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    bool keyPreview_ = false;
    int pixelsPerInch_;
    TWinControl* activeControl_ = nullptr;  // not owned
    int modalResult_ = mrNone;
    bool modal_ = false;
    int clientWidth_ = -1, clientHeight_ = -1;  // requested client size, -1 when not set
    TSizeConstraints constraints_;
};
