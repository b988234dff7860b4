#include "toolkit/active_combo.h"

const ClassInfo& TActiveCombo::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TActiveCombo>("TActiveCombo", &TComboBox::StaticClass())
            .Reference("AssocLabel", &TActiveCombo::SetAssocLabel)
            .Color("LabelColor", &TActiveCombo::SetLabelColor, &TActiveCombo::LabelColor)
            .Boolean("AutoComplete", &TActiveCombo::SetAutoComplete, &TActiveCombo::AutoComplete)
            .Enumeration("BorderStyle", kControlBorderNames, &TActiveCombo::SetBorderStyle, &TActiveCombo::BorderStyle)
            .Color("BorderColor", &TActiveCombo::SetBorderColor, &TActiveCombo::BorderColor)
            .Color("BorderColorF", &TActiveCombo::SetBorderColorF, &TActiveCombo::BorderColorF)
            .Boolean("FlatStyle", &TActiveCombo::SetFlatStyle, &TActiveCombo::FlatStyle)
            .Enumeration("BevelOuter", kBevelCutNames, &TActiveCombo::SetBevelOuter, &TActiveCombo::BevelOuter)
            .Build();
    return info;
}

TActiveCombo::TActiveCombo(TComponent* owner) : TComboBox(owner) {}

void TActiveCombo::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    RecreateWnd();
}

void TActiveCombo::SetBorderColor(TColor color) {
    frame_.color = color;
    RecreateWnd();
}

void TActiveCombo::SetBorderColorF(TColor color) {
    frame_.focusColor = color;
    RecreateWnd();
}

void TActiveCombo::SetFlatStyle(bool value) {
    flatStyle_ = value;
    RecreateWnd();
}

void TActiveCombo::SetBevelOuter(TBevelCut cut) {
    frame_.bevel = cut;
    RecreateWnd();
}

void TActiveCombo::DoEnter() {
    focused_ = true;
    TComboBox::DoEnter();
    label_.Enter(labelColor_);
    DrawFrame();
}

void TActiveCombo::DoExit() {
    TComboBox::DoExit();
    focused_ = false;
    label_.Leave();
    DrawFrame();
}

void TActiveCombo::DrawFrame() {
    if (HandleAllocated() && HasFlatFrame()) DrawFlatFrame(HandleIfAllocated(), frame_, focused_, Color());
}

void TActiveCombo::KeyDown(WORD& key, TShiftState shift) {
    lastKeyErased_ = key == VK_BACK || key == VK_DELETE;
    TComboBox::KeyDown(key, shift);
}

// Characters count too: Backspace also arrives as one, and a character typed
// after it must complete again.
void TActiveCombo::KeyPress(char& key) {
    lastKeyErased_ = key == '\b';
    TComboBox::KeyPress(key);
}

void TActiveCombo::Notification(TComponent* component, bool removing) {
    TComboBox::Notification(component, removing);
    if (removing) label_.Forget(component);
}

void TActiveCombo::CommandNotify(WORD code) {
    TComboBox::CommandNotify(code);
    if (code != CBN_EDITCHANGE || !autoComplete_ || lastKeyErased_) return;
    // An emptied edit (cut, for one) is left empty rather than filled with the first item.
    if (std::string text = Text(); !text.empty()) Complete(text);
}

// Selects the first item that begins with the typed text and marks the part
// beyond it, so that typing goes on over the suggestion.
void TActiveCombo::Complete(const std::string& text) {
    int found = static_cast<int>(SendMessageA(HandleIfAllocated(), CB_FINDSTRING, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(text.c_str())));
    if (found < 0) return;
    SetItemIndex(found);
    text_ = Items()[found];
    SetEditSelection(static_cast<int>(text.size()), -1);
}

void TActiveCombo::WndProc(TMessage& m) {
    TComboBox::WndProc(m);
    if (m.Msg == WM_PAINT) DrawFrame();
}
