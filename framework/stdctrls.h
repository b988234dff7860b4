// The standard controls: push buttons, check boxes and radio buttons (also
// as bases for owner-drawn ones), edits, memos, combo boxes, list boxes as
// Win32 child windows; labels painted by their parent; group boxes.
#pragma once

#include "framework/control.h"

// Base of push buttons, check boxes and radio buttons: a BUTTON window.
// A derived class that draws the button itself answers OwnerDrawn() true and
// overrides DrawItem.
class TButtonControl : public TWinControl {
    DECLARE_CLASS_INFO
public:
    explicit TButtonControl(TComponent* owner);
    void CommandNotify(WORD code) override;
    bool DialogChar(char key) override;

protected:
    void CreateParams(TCreateParams& params) override;
    virtual bool OwnerDrawn() const { return false; }
    virtual DWORD ButtonStyle() const = 0;
};

class TButton : public TButtonControl {
    DECLARE_CLASS_INFO
public:
    explicit TButton(TComponent* owner);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Copies ModalResult into the form first, then runs OnClick.
    void Click() override;
    bool DialogChar(char key) override;  // clicks without taking the focus

protected:
    DWORD ButtonStyle() const override;

private:
    int modalResult_ = 0;
    bool default_ = false, cancel_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
extern const NameList kCheckBoxStateNames;

// Check box with three states; a click advances the state and runs OnClick.
class TCheckBox : public TButtonControl {
    DECLARE_CLASS_INFO
public:
    explicit TCheckBox(TComponent* owner);
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    void Click() override;

protected:
    DWORD ButtonStyle() const override;
    void InitializeWnd() override;
    virtual void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;  // the box on the left of the text
};

// Radio button; checking one unchecks its sibling radio buttons, and the
// arrow keys that bring the focus to it check it.
class TRadioButton : public TButtonControl {
    DECLARE_CLASS_INFO
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    void Click() override;
    void FocusedByArrow() override;

protected:
    DWORD ButtonStyle() const override;
    void InitializeWnd() override;
    // Which siblings form the group that a checked button unchecks: by
    // default the radio buttons with the same parent.
    virtual void UncheckSiblings();

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

extern const NameList kControlBorderNames;  // bsNone, bsSingle

class TCustomEdit : public TWinControl {
    DECLARE_CLASS_INFO
public:
    explicit TCustomEdit(TComponent* owner);
    std::string GetText() const override;
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    int SelStart() const;
    int SelLength() const;
    void SetSelection(int start, int length);
    void SelectAll() { SetSelection(0, -1); }

    TNotifyEvent OnChange;
    void CommandNotify(WORD code) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void TextChanged() override;
    virtual void Change();

private:
    TBorderStyle borderStyle_ = bsSingle;
    bool readOnly_ = false;
    int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
    DECLARE_CLASS_INFO
public:
    explicit TEdit(TComponent* owner);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char c);
    int GetPasswordChar() const { return static_cast<unsigned char>(passwordChar_); }
    void SetPasswordCharCode(int code) { SetPasswordChar(static_cast<char>(code)); }

protected:
    void InitializeWnd() override;

private:
    char passwordChar_ = 0;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
    DECLARE_CLASS_INFO
public:
    explicit TMemo(TComponent* owner);
    TStrings& Lines();
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void Change() override;

private:
    TStrings lines_;
    TAlignment alignment_ = taLeftJustify;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A combo box; the keys typed into its edit reach its KeyDown, KeyPress and
// KeyUp (and the events) before the edit, as keys to the combo box itself do.

class TComboBox : public TWinControl {
    DECLARE_CLASS_INFO
public:
    explicit TComboBox(TComponent* owner);
    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string GetText() const override;
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    void SetEditSelection(int start, int end);

    TNotifyEvent OnChange, OnDropDown, OnCloseUp, OnSelect;
    void CommandNotify(WORD code) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void TextChanged() override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();

private:
    void FillList();
    void HookEdit();
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam);
    TStrings items_;
    int itemIndex_ = -1;               // while there is no window
    WNDPROC editProcedure_ = nullptr;  // the system's, of the edit inside a combo box that has one
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    bool entered_ = false;  // the focus is in the combo box or its edit
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

class TListBox : public TWinControl {
    DECLARE_CLASS_INFO
public:
    explicit TListBox(TComponent* owner);
    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle style);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    RECT ItemRect(int index) const;

    void CommandNotify(WORD code) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    void FillList();
    TStrings items_;
    int itemIndex_ = -1;  // while there is no window
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    TBorderStyle borderStyle_ = bsSingle;
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

// Text painted by its parent; the letter after '&' is underlined and moves the
// focus to FocusControl.
class TLabel : public TGraphicControl {
    DECLARE_CLASS_INFO
public:
    explicit TLabel(TComponent* owner);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control) { focusControl_ = control; }
    bool DialogChar(char key) override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void Notification(TComponent* component, bool removing) override;
    // The DT_* flags of the label's text drawing.
    UINT TextFlags() const;
    void AdjustSize();

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true, wordWrap_ = false, transparent_ = false, showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;  // not owned
};

// A frame with a caption around a group of controls.
class TGroupBox : public TCustomControl {
    DECLARE_CLASS_INFO
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void Paint() override;
    void AdjustClientRect(RECT& rect) const override;
    void TextChanged() override;
};
