#include "framework/stdctrls.h"

#include "framework/application.h"
#include "framework/form.h"

#include <algorithm>

const NameList kCheckBoxStateNames = {"cbUnchecked", "cbChecked", "cbGrayed"};
const NameList kControlBorderNames = {"bsNone", "bsSingle"};

namespace {

const NameList kScrollStyleNames = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
const NameList kComboStyleNames = {"csDropDown", "csSimple", "csDropDownList"};
const NameList kListStyleNames = {"lbStandard", "lbOwnerDrawFixed"};
const NameList kLayoutNames = {"tlTop", "tlCenter", "tlBottom"};

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A combo box and a list box take their items by the same four requests
// under different message numbers.
struct ListMessages {
    UINT reset, add, setSelection, getSelection;
};
constexpr ListMessages kComboMessages{CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL, CB_GETCURSEL};
constexpr ListMessages kListMessages{LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL, LB_GETCURSEL};

// Puts the items into the window, redrawn once at the end.
void FillListWindow(HWND h, const ListMessages& messages, const TStrings& items, int selected) {
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    SendMessageA(h, messages.reset, 0, 0);
    for (const std::string& item : items.Items())
        SendMessageA(h, messages.add, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (selected >= 0) SendMessageA(h, messages.setSelection, selected, 0);
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
}

// While a description is read the items may come after the index, so it is
// taken as given; otherwise it is kept within the items (-1: none).
int ItemIndexWithin(int index, const TStrings& items, bool loading) {
    return loading ? index : std::clamp(index, -1, items.Count() - 1);
}

}  // namespace

// ---------------------------------------------------------------------------
// Buttons

const ClassInfo& TButtonControl::StaticClass() {
    static const ClassInfo info = ClassBuilder<TButtonControl>("TButtonControl", &TWinControl::StaticClass())
                                      .String("Caption", &TControl::SetCaption, &TControl::Caption)
                                      .Build();
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "Korven.BUTTON";
    params.baseClass = "BUTTON";
    params.style |= OwnerDrawn() ? BS_OWNERDRAW : ButtonStyle();
}

void TButtonControl::CommandNotify(WORD code) {
    if (code == BN_CLICKED)
        Click();
    else if (code == BN_DOUBLECLICKED)
        DblClick();
}

bool TButtonControl::DialogChar(char key) {
    if (!IsAccelerator(key, Caption()) || !CanFocus()) return false;
    SetFocus();
    Click();
    return true;
}

const ClassInfo& TButton::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TButton>("TButton", &TButtonControl::StaticClass())
            .Integer("ModalResult", &TButton::SetModalResult, &TButton::ModalResult, &kModalResultNames)
            .Boolean("Default", &TButton::SetDefault, &TButton::Default)
            .Boolean("Cancel", &TButton::SetCancel, &TButton::Cancel)
            .Build();
    return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

DWORD TButton::ButtonStyle() const { return default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

void TButton::SetDefault(bool value) {
    default_ = value;
    if (HandleAllocated() && !OwnerDrawn()) SendMessageA(HandleIfAllocated(), BM_SETSTYLE, ButtonStyle(), TRUE);
}

void TButton::Click() {
    if (TForm* form = ParentForm(); form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

bool TButton::DialogChar(char key) {
    if (!IsAccelerator(key, Caption()) || !CanFocus()) return false;
    Click();
    return true;
}

// ---------------------------------------------------------------------------
// Check box and radio button

const ClassInfo& TCheckBox::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TCheckBox>("TCheckBox", &TButtonControl::StaticClass())
            .Color("Color", &TControl::SetColor, &TControl::Color)
            .Boolean("ParentColor", &TControl::SetParentColor, &TControl::ParentColor)
            .Enumeration("State", kCheckBoxStateNames, &TCheckBox::SetState, &TCheckBox::State)
            .Boolean("Checked", &TCheckBox::SetChecked, &TCheckBox::Checked)
            .Boolean("AllowGrayed", &TCheckBox::SetAllowGrayed, &TCheckBox::AllowGrayed)
            .Enumeration("Alignment", kAlignmentNames, &TCheckBox::SetAlignment, &TCheckBox::Alignment)
            .Build();
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

DWORD TCheckBox::ButtonStyle() const { return BS_3STATE | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0); }

void TCheckBox::InitializeWnd() {
    TButtonControl::InitializeWnd();
    if (!OwnerDrawn()) SendMessageA(HandleIfAllocated(), BM_SETCHECK, state_, 0);
}

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    if (HandleAllocated() && !OwnerDrawn()) SendMessageA(HandleIfAllocated(), BM_SETCHECK, state_, 0);
    Invalidate();
    if (!IsLoading()) TButtonControl::Click();  // OnClick follows every change of state
}

void TCheckBox::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    RecreateWnd();
}

void TCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::Click() { Toggle(); }

const ClassInfo& TRadioButton::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TRadioButton>("TRadioButton", &TButtonControl::StaticClass())
            .Color("Color", &TControl::SetColor, &TControl::Color)
            .Boolean("ParentColor", &TControl::SetParentColor, &TControl::ParentColor)
            .Boolean("Checked", &TRadioButton::SetChecked, &TRadioButton::Checked)
            .Enumeration("Alignment", kAlignmentNames, &TRadioButton::SetAlignment, &TRadioButton::Alignment)
            .Build();
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
    SetTabStop(false);
}

DWORD TRadioButton::ButtonStyle() const { return BS_RADIOBUTTON | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0); }

void TRadioButton::InitializeWnd() {
    TButtonControl::InitializeWnd();
    if (!OwnerDrawn()) SendMessageA(HandleIfAllocated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    SetTabStop(checked);
    if (HandleAllocated() && !OwnerDrawn())
        SendMessageA(HandleIfAllocated(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Invalidate();
    if (!checked) return;
    UncheckSiblings();
    if (!IsLoading()) TButtonControl::Click();
}

void TRadioButton::UncheckSiblings() {
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);
}

void TRadioButton::FocusedByArrow() { Click(); }

void TRadioButton::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    RecreateWnd();
}

void TRadioButton::Click() { SetChecked(true); }

// ---------------------------------------------------------------------------
// Edits

const ClassInfo& TCustomEdit::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TCustomEdit>("TCustomEdit", &TWinControl::StaticClass())
            .Color("Color", &TControl::SetColor, &TControl::Color)
            .Boolean("ParentColor", &TControl::SetParentColor, &TControl::ParentColor)
            .String("Text", &TControl::SetText, &TControl::Text)
            .Enumeration("BorderStyle", kControlBorderNames, &TCustomEdit::SetBorderStyle, &TCustomEdit::BorderStyle)
            .Boolean("ReadOnly", &TCustomEdit::SetReadOnly, &TCustomEdit::ReadOnly)
            .Integer("MaxLength", &TCustomEdit::SetMaxLength, &TCustomEdit::MaxLength)
            .Event("OnChange", &TCustomEdit::OnChange)
            .Build();
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "Korven.EDIT";
    params.baseClass = "EDIT";
    params.style |= ES_AUTOHSCROLL;
    if (readOnly_) params.style |= ES_READONLY;
    if (borderStyle_ == bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::InitializeWnd() {
    TWinControl::InitializeWnd();
    if (maxLength_) SendMessageA(HandleIfAllocated(), EM_LIMITTEXT, maxLength_, 0);
}

std::string TCustomEdit::GetText() const { return HandleAllocated() ? WindowText(HandleIfAllocated()) : text_; }

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) SendMessageA(HandleIfAllocated(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
    maxLength_ = value;
    if (HandleAllocated()) SendMessageA(HandleIfAllocated(), EM_LIMITTEXT, value, 0);
}

int TCustomEdit::SelStart() const {
    DWORD start = 0;
    if (HandleAllocated()) SendMessageA(HandleIfAllocated(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const {
    DWORD start = 0, end = 0;
    if (HandleAllocated())
        SendMessageA(HandleIfAllocated(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelection(int start, int length) {
    if (HandleAllocated()) SendMessageA(HandleIfAllocated(), EM_SETSEL, start, length < 0 ? -1 : start + length);
}

void TCustomEdit::TextChanged() {
    TWinControl::TextChanged();
    Change();
}

void TCustomEdit::CommandNotify(WORD code) {
    if (code == EN_CHANGE && !settingText_) {
        text_ = GetText();
        Change();
    }
}

void TCustomEdit::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}

const ClassInfo& TEdit::StaticClass() {
    static const ClassInfo info = ClassBuilder<TEdit>("TEdit", &TCustomEdit::StaticClass())
                                      .Custom("PasswordChar",
                                              [](TEdit& edit, const PropValue& v) {
                                                  if (v.kind == PropValue::Kind::String && v.text.size() == 1)
                                                      edit.SetPasswordChar(v.text[0]);
                                                  else if (v.kind == PropValue::Kind::Integer)
                                                      edit.SetPasswordChar(static_cast<char>(v.integer));
                                                  else
                                                      throw EComponentError("PasswordChar este un singur caracter");
                                              })
                                      .Build();
    return info;
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

void TEdit::SetPasswordChar(char c) {
    passwordChar_ = c;
    if (HandleAllocated()) {
        SendMessageA(HandleIfAllocated(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
        Invalidate();
    }
}

void TEdit::InitializeWnd() {
    TCustomEdit::InitializeWnd();
    if (passwordChar_)
        SendMessageA(HandleIfAllocated(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
}

const ClassInfo& TMemo::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TMemo>("TMemo", &TCustomEdit::StaticClass())
            .Strings("Lines", &TMemo::Lines)
            .Enumeration("Alignment", kAlignmentNames, &TMemo::SetAlignment, &TMemo::Alignment)
            .Enumeration("ScrollBars", kScrollStyleNames, &TMemo::SetScrollBars, &TMemo::ScrollBars)
            .Boolean("WordWrap", &TMemo::SetWordWrap, &TMemo::WordWrap)
            .Build();
    return info;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
    SetBounds(0, 0, 185, 89);
    lines_.OnChange = [this] {
        std::string text = lines_.Text();
        if (text.size() >= 2) text.resize(text.size() - 2);  // no line break after the last line
        SetText(text);
    };
}

TStrings& TMemo::Lines() {
    // A multi-line edit reports no change for WM_SETTEXT: read the window.
    if (HandleAllocated()) {
        TStrings parsed;
        parsed.SetText(GetText());
        lines_.AssignQuietly(parsed.Items());
    }
    return lines_;
}

void TMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (wordWrap_) params.style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (alignment_ == taCenter) params.style |= ES_CENTER;
    if (alignment_ == taRightJustify) params.style |= ES_RIGHT;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.style |= WS_HSCROLL;
}

void TMemo::Change() {
    // Lines follow what was typed or set as text.
    TStrings parsed;
    parsed.SetText(GetText());
    lines_.AssignQuietly(parsed.Items());
    TCustomEdit::Change();
}

void TMemo::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    RecreateWnd();
}

void TMemo::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    RecreateWnd();
}

void TMemo::SetWordWrap(bool value) {
    wordWrap_ = value;
    RecreateWnd();
}

// ---------------------------------------------------------------------------
// Combo box

const ClassInfo& TComboBox::StaticClass() {
    static const ClassInfo info = ClassBuilder<TComboBox>("TComboBox", &TWinControl::StaticClass())
                                      .Color("Color", &TControl::SetColor, &TControl::Color)
                                      .Boolean("ParentColor", &TControl::SetParentColor, &TControl::ParentColor)
                                      .String("Text", &TControl::SetText, &TControl::Text)
                                      .Strings("Items", &TComboBox::Items)
                                      .Integer("ItemIndex", &TComboBox::SetItemIndex, &TComboBox::ItemIndex)
                                      .Enumeration("Style", kComboStyleNames, &TComboBox::SetStyle, &TComboBox::Style)
                                      .Integer("DropDownCount", &TComboBox::SetDropDownCount, &TComboBox::DropDownCount)
                                      .Event("OnChange", &TComboBox::OnChange)
                                      .Event("OnDropDown", &TComboBox::OnDropDown)
                                      .Event("OnCloseUp", &TComboBox::OnCloseUp)
                                      .Event("OnSelect", &TComboBox::OnSelect)
                                      .Build();
    return info;
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    items_.OnChange = [this] { FillList(); };
}

void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "Korven.COMBOBOX";
    params.baseClass = "COMBOBOX";
    static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    params.style |= kStyles[style_] | CBS_AUTOHSCROLL | WS_VSCROLL;
    // The window's height includes the list that drops down.
    if (style_ != csSimple) params.height = Height() + dropDownCount_ * 16 + 4;
}

void TComboBox::InitializeWnd() {
    TWinControl::InitializeWnd();
    HookEdit();
    FillList();
    if (style_ != csDropDownList && itemIndex_ < 0) {
        settingText_ = true;
        SetWindowTextA(HandleIfAllocated(), text_.c_str());
        settingText_ = false;
    }
}

void TComboBox::FillList() {
    if (HandleAllocated()) FillListWindow(HandleIfAllocated(), kComboMessages, items_, itemIndex_);
}

namespace {
const char* const kComboOfEdit = "Korven.ComboBox";  // window property of the edit: its combo box
}

// The edit is the system's window, not ours: its procedure is wrapped so that
// the combo box sees the keys first.
void TComboBox::HookEdit() {
    HWND edit = FindWindowExA(HandleIfAllocated(), nullptr, "Edit", nullptr);
    if (!edit) return;  // a drop-down list has none
    SetPropA(edit, kComboOfEdit, this);
    editProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TComboBox::EditProcedure)));
}

LRESULT CALLBACK TComboBox::EditProcedure(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* combo = static_cast<TComboBox*>(GetPropA(edit, kComboOfEdit));
    WNDPROC original = combo->editProcedure_;
    if (msg == WM_NCDESTROY) {
        RemovePropA(edit, kComboOfEdit);
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        return CallWindowProcA(original, edit, msg, wParam, lParam);
    }
    try {  // an error must not unwind through the system's frames
        switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            WORD key = static_cast<WORD>(wParam);
            if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
                combo->KeyDown(key, KeyboardShiftState());
            else
                combo->KeyUp(key, KeyboardShiftState());
            if (key == 0) return 0;
            wParam = key;
            break;
        }
        case WM_CHAR: {
            char key = static_cast<char>(wParam);
            combo->KeyPress(key);
            if (key == 0) return 0;
            wParam = static_cast<unsigned char>(key);
            break;
        }
        default: break;
        }
    } catch (...) {
        Application().HandleException(std::current_exception());
        return 0;
    }
    return CallWindowProcA(original, edit, msg, wParam, lParam);
}

int TComboBox::ItemIndex() const {
    if (!HandleAllocated()) return itemIndex_;
    return static_cast<int>(SendMessageA(HandleIfAllocated(), kComboMessages.getSelection, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = ItemIndexWithin(index, items_, IsLoading());
    if (HandleAllocated()) SendMessageA(HandleIfAllocated(), kComboMessages.setSelection, itemIndex_, 0);
}

std::string TComboBox::GetText() const {
    if (HandleAllocated()) return WindowText(HandleIfAllocated());
    if (itemIndex_ >= 0 && itemIndex_ < items_.Count()) return items_[itemIndex_];
    return text_;
}

void TComboBox::TextChanged() {
    TWinControl::TextChanged();
    Change();
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    style_ = style;
    RecreateWnd();
}

bool TComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageA(HandleIfAllocated(), CB_GETDROPPEDSTATE, 0, 0);
}

void TComboBox::SetDroppedDown(bool value) { Perform(CB_SHOWDROPDOWN, value, 0); }

void TComboBox::SetEditSelection(int start, int end) { Perform(CB_SETEDITSEL, 0, MAKELPARAM(start, end)); }

void TComboBox::CommandNotify(WORD code) {
    switch (code) {
    case CBN_SELCHANGE:
        itemIndex_ = ItemIndex();
        if (itemIndex_ >= 0) text_ = items_[itemIndex_];
        Select();
        Change();
        break;
    case CBN_EDITCHANGE:
        if (!settingText_) {
            text_ = GetText();
            Change();
        }
        break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_CLOSEUP: CloseUp(); break;
    // The focus may go to the edit inside the combo box rather than to the
    // combo box itself; these notifications come either way.
    // Some systems send them more than once as the focus passes between the
    // two windows: only a real change of focus counts.
    case CBN_SETFOCUS:
        if (entered_) break;
        entered_ = true;
        if (TForm* form = ParentForm()) form->FocusChanged(this);
        DoEnter();
        break;
    case CBN_KILLFOCUS:
        if (!entered_ || Focused()) break;
        entered_ = false;
        DoExit();
        break;
    default: break;
    }
}

void TComboBox::WndProc(TMessage& m) {
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) {
        DefaultHandler(m);  // entering and leaving come as notifications
        return;
    }
    TWinControl::WndProc(m);
}

void TComboBox::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}

void TComboBox::Select() {
    if (OnSelect) OnSelect(this);
}

void TComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

// ---------------------------------------------------------------------------
// List box

const ClassInfo& TListBox::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TListBox>("TListBox", &TWinControl::StaticClass())
            .Color("Color", &TControl::SetColor, &TControl::Color)
            .Boolean("ParentColor", &TControl::SetParentColor, &TControl::ParentColor)
            .Strings("Items", &TListBox::Items)
            .Integer("ItemIndex", &TListBox::SetItemIndex, &TListBox::ItemIndex)
            .Enumeration("Style", kListStyleNames, &TListBox::SetStyle, &TListBox::Style)
            .Integer("ItemHeight", &TListBox::SetItemHeight, &TListBox::ItemHeight)
            .Enumeration("BorderStyle", kControlBorderNames, &TListBox::SetBorderStyle, &TListBox::BorderStyle)
            .Build();
    return info;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
    items_.OnChange = [this] { FillList(); };
}

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "Korven.LISTBOX";
    params.baseClass = "LISTBOX";
    params.style |= LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
    if (style_ == lbOwnerDrawFixed) params.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    if (borderStyle_ == bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::InitializeWnd() {
    TWinControl::InitializeWnd();
    if (style_ == lbOwnerDrawFixed) SendMessageA(HandleIfAllocated(), LB_SETITEMHEIGHT, 0, itemHeight_);
    FillList();
}

void TListBox::FillList() {
    if (HandleAllocated()) FillListWindow(HandleIfAllocated(), kListMessages, items_, itemIndex_);
}

int TListBox::ItemIndex() const {
    if (!HandleAllocated()) return itemIndex_;
    return static_cast<int>(SendMessageA(HandleIfAllocated(), kListMessages.getSelection, 0, 0));
}

void TListBox::SetItemIndex(int index) {
    itemIndex_ = ItemIndexWithin(index, items_, IsLoading());
    if (HandleAllocated()) SendMessageA(HandleIfAllocated(), kListMessages.setSelection, itemIndex_, 0);
}

void TListBox::SetStyle(TListBoxStyle style) {
    style_ = style;
    RecreateWnd();
}

void TListBox::SetItemHeight(int height) {
    itemHeight_ = height;
    if (HandleAllocated() && style_ == lbOwnerDrawFixed) {
        SendMessageA(HandleIfAllocated(), LB_SETITEMHEIGHT, 0, height);
        Invalidate();
    }
}

void TListBox::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    RecreateWnd();
}

RECT TListBox::ItemRect(int index) const {
    RECT r{};
    if (HandleAllocated()) SendMessageA(HandleIfAllocated(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TListBox::CommandNotify(WORD code) {
    if (code == LBN_SELCHANGE) {
        itemIndex_ = ItemIndex();
        Click();
    } else if (code == LBN_DBLCLK) {
        DblClick();
    }
}

// ---------------------------------------------------------------------------
// Label

const ClassInfo& TLabel::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TLabel>("TLabel", &TGraphicControl::StaticClass())
            .Color("Color", &TControl::SetColor, &TControl::Color)
            .Boolean("ParentColor", &TControl::SetParentColor, &TControl::ParentColor)
            .Object("Font", &TControl::Font)
            .Boolean("ParentFont", &TControl::SetParentFont, &TControl::ParentFont)
            .String("Caption", &TControl::SetCaption, &TControl::Caption)
            .Enumeration("Alignment", kAlignmentNames, &TLabel::SetAlignment, &TLabel::Alignment)
            .Enumeration("Layout", kLayoutNames, &TLabel::SetLayout, &TLabel::Layout)
            .Boolean("AutoSize", &TLabel::SetAutoSize, &TLabel::AutoSize)
            .Boolean("WordWrap", &TLabel::SetWordWrap, &TLabel::WordWrap)
            .Boolean("Transparent", &TLabel::SetTransparent, &TLabel::Transparent)
            .Boolean("ShowAccelChar", &TLabel::SetShowAccelChar, &TLabel::ShowAccelChar)
            .Reference("FocusControl", &TLabel::SetFocusControl)
            .Build();
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

UINT TLabel::TextFlags() const {
    static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = kAlign[alignment_] | DT_EXPANDTABS;
    flags |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (!transparent_) canvas.FillRect(r);
    canvas.Brush().SetStyle(bsClear);
    std::string text = Caption();
    if (layout_ != tlTop) {
        RECT measured = r;
        canvas.DrawText(text, measured, TextFlags() | DT_CALCRECT);
        int h = measured.bottom - measured.top;
        r.top = layout_ == tlCenter ? (r.bottom - h) / 2 : r.bottom - h;
    }
    if (Enabled()) {
        canvas.DrawText(text, r, TextFlags());
        return;
    }
    // Disabled: embossed, a white copy under a grey one.
    RECT shadow = r;
    OffsetRect(&shadow, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, shadow, TextFlags());
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(text, r, TextFlags());
}

void TLabel::AdjustSize() {
    if (!autoSize_ || IsLoading()) return;
    std::string text = Caption().empty() ? " " : Caption();  // an empty label keeps one line's height
    SIZE size = MeasureText(Font(), text, TextFlags(), wordWrap_ ? Width() : 0);
    SetBounds(Left(), Top(), wordWrap_ ? Width() : size.cx, size.cy);
}

void TLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustSize();
}

void TLabel::SetWordWrap(bool value) {
    wordWrap_ = value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    showAccelChar_ = value;
    AdjustSize();
    Invalidate();
}

void TLabel::TextChanged() {
    AdjustSize();
    TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
    AdjustSize();
    TGraphicControl::FontChanged();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustSize();
}

bool TLabel::DialogChar(char key) {
    if (!focusControl_ || !showAccelChar_ || !IsAccelerator(key, Caption()) || !focusControl_->CanFocus()) return false;
    focusControl_->SetFocus();
    return true;
}

void TLabel::Notification(TComponent* component, bool removing) {
    TGraphicControl::Notification(component, removing);
    if (removing && component == focusControl_) focusControl_ = nullptr;
}

// ---------------------------------------------------------------------------
// Group box

const ClassInfo& TGroupBox::StaticClass() {
    static const ClassInfo info = ClassBuilder<TGroupBox>("TGroupBox", &TCustomControl::StaticClass())
                                      .String("Caption", &TControl::SetCaption, &TControl::Caption)
                                      .Build();
    return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

void TGroupBox::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    canvas.FillRect(r);
    int textHeight = canvas.TextHeight("Wg");
    RECT frame{r.left, r.top + textHeight / 2, r.right, r.bottom};
    DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty()) return;
    RECT text{8, 0, r.right - 8, textHeight};
    canvas.DrawText(Caption(), text, DT_SINGLELINE | DT_CALCRECT);
    text.left -= 2;
    text.right += 2;
    canvas.FillRect(text);
    OffsetRect(&text, 2, 0);
    canvas.Brush().SetStyle(bsClear);
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    canvas.DrawText(Caption(), text, DT_SINGLELINE);
}

void TGroupBox::AdjustClientRect(RECT& rect) const {
    SIZE size = MeasureText(Font(), "Wg", DT_SINGLELINE, 0);
    rect.top += size.cy;
    InflateRect(&rect, -2, 0);
    rect.bottom -= 2;
}

void TGroupBox::TextChanged() {
    TCustomControl::TextChanged();
    Invalidate();
}
