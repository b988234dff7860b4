#include "toolkit/radio_button.h"

#include "toolkit/glyph_button_paint.h"
#include "toolkit/glyph_set.h"
#include "toolkit/radio_layout.h"

#include <algorithm>

namespace {

constexpr int kRadioFrames = 2;  // unchecked, checked

}  // namespace

// ---------------------------------------------------------------------------
// Radio button

const ClassInfo& TMRadioButton::StaticClass() {
    static const ClassInfo info = ClassBuilder<TMRadioButton>("TMRadioButton", &TRadioButton::StaticClass()).Build();
    return info;
}

TMRadioButton::TMRadioButton(TComponent* owner) : TRadioButton(owner) { SetParentColor(true); }

bool TMRadioButton::DrawItem(const DRAWITEMSTRUCT& item) {
    GlyphButtonFace face;
    face.glyph = &GlyphHolder().Picture("Radio");
    face.frames = kRadioFrames;
    face.frame = Checked() ? 1 : 0;
    face.caption = Caption();
    face.alignment = Alignment();
    face.textRightAligned = true;
    face.focused = Focused();
    face.enabled = Enabled();
    PaintGlyphButton(item.hDC, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top, *this, face);
    return true;
}

bool TMRadioButton::DialogChar(char key) {
    if (!IsAccelerator(key, Caption()) || !CanFocus()) return false;
    SetFocus();
    return true;
}

// ---------------------------------------------------------------------------
// Group button

const ClassInfo& TMGroupButton::StaticClass() {
    static const ClassInfo info = ClassBuilder<TMGroupButton>("TMGroupButton", &TMRadioButton::StaticClass()).Build();
    return info;
}

TMGroupButton::TMGroupButton(TMCustomRadioGroup& group, int index)
    : TMRadioButton(&group), group_(group), index_(index) {
    SetVisible(false);
    SetEnabled(group.Enabled());
    SetParent(&group);
}

void TMGroupButton::Click() { group_.ButtonClicked(*this); }

void TMGroupButton::KeyDown(WORD& key, TShiftState shift) {
    if (group_.NavigationKey(key)) {
        key = 0;
        return;
    }
    if ((key == VK_SPACE || key == VK_BACK) && !group_.CanModify()) {
        key = 0;
        return;
    }
    TMRadioButton::KeyDown(key, shift);
}

void TMGroupButton::KeyPress(char& key) {
    if ((key == ' ' || key == '\b') && !group_.CanModify()) {
        key = 0;
        return;
    }
    TMRadioButton::KeyPress(key);
}

// ---------------------------------------------------------------------------
// Radio group

const ClassInfo& TMCustomRadioGroup::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TMCustomRadioGroup>("TMCustomRadioGroup", &TGroupBox::StaticClass())
            .Strings("Items", &TMCustomRadioGroup::Items)
            .Integer("ItemIndex", &TMCustomRadioGroup::SetItemIndex, &TMCustomRadioGroup::ItemIndex)
            .Integer("Columns", &TMCustomRadioGroup::SetColumns, &TMCustomRadioGroup::Columns)
            .Event("OnModify", &TMCustomRadioGroup::OnModify)
            .Build();
    return info;
}

TMCustomRadioGroup::TMCustomRadioGroup(TComponent* owner) : TGroupBox(owner) {
    items_.OnChange = [this] { UpdateButtons(); };
}

void TMCustomRadioGroup::UpdateButtons() {
    // Buttons come and go at the end, so the others keep their state.
    while (ButtonCount() > items_.Count()) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (ButtonCount() < items_.Count()) buttons_.push_back(new TMGroupButton(*this, ButtonCount()));
    for (int i = 0; i < ButtonCount(); ++i) buttons_[static_cast<size_t>(i)]->SetCaption(items_[i]);
    if (!IsLoading()) {
        itemIndex_ = std::clamp(itemIndex_, -1, items_.Count() - 1);
        ShowSelection();
    }
    ArrangeButtons();
}

void TMCustomRadioGroup::ArrangeButtons() {
    if (IsLoading()) return;
    std::vector<RadioCell> cells = RadioGroupCells(ButtonCount(), columns_, Width(), Height());
    for (size_t i = 0; i < cells.size(); ++i) {
        buttons_[i]->SetBounds(cells[i].left, cells[i].top, cells[i].width, cells[i].height);
        buttons_[i]->SetVisible(true);
    }
}

void TMCustomRadioGroup::ShowSelection() {
    if (itemIndex_ >= 0)
        buttons_[static_cast<size_t>(itemIndex_)]->SetChecked(true);  // unchecks the others
    else
        for (TMGroupButton* b : buttons_) b->SetChecked(false);
}

void TMCustomRadioGroup::SetItemIndex(int index) {
    if (IsLoading()) {  // the items may come later: applied in Loaded
        itemIndex_ = index;
        return;
    }
    itemIndex_ = std::clamp(index, -1, items_.Count() - 1);
    ShowSelection();
}

void TMCustomRadioGroup::SetColumns(int columns) {
    columns_ = std::clamp(columns, kMinRadioColumns, kMaxRadioColumns);
    ArrangeButtons();
}

void TMCustomRadioGroup::Loaded() {
    TGroupBox::Loaded();
    SetItemIndex(itemIndex_);
    ArrangeButtons();
}

bool TMCustomRadioGroup::CanModify() {
    bool allow = true;
    if (OnModify) OnModify(this, allow);
    return allow;
}

void TMCustomRadioGroup::ButtonClicked(TMGroupButton& button) {
    if (!CanModify()) return;
    itemIndex_ = button.Index();
    button.SetChecked(true);
    Click();
}

bool TMCustomRadioGroup::NavigationKey(WORD key) {
    int last = ButtonCount() - 1;
    if (last < 0) return false;
    int index = itemIndex_;
    switch (key) {
    case VK_HOME: index = 0; break;
    case VK_END: index = last; break;
    case VK_PRIOR: index = std::max(itemIndex_ - 1, 0); break;
    case VK_NEXT: index = std::min(itemIndex_ + 1, last); break;
    default: return false;
    }
    SetItemIndex(index);
    if (buttons_[static_cast<size_t>(itemIndex_)]->CanFocus()) buttons_[static_cast<size_t>(itemIndex_)]->SetFocus();
    return true;
}

void TMCustomRadioGroup::KeyDown(WORD& key, TShiftState shift) {
    if (NavigationKey(key)) {
        key = 0;
        return;
    }
    TGroupBox::KeyDown(key, shift);
}

// No frame and no caption: only the background under the buttons.
void TMCustomRadioGroup::Paint() {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(ClientRect());
}

void TMCustomRadioGroup::BoundsChanged() {
    TGroupBox::BoundsChanged();
    ArrangeButtons();
}

void TMCustomRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TMCustomRadioGroup::EnabledChanged() {
    TGroupBox::EnabledChanged();
    for (TMGroupButton* b : buttons_) b->SetEnabled(Enabled());
}

const ClassInfo& TMRadioGroup::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TMRadioGroup>("TMRadioGroup", &TMCustomRadioGroup::StaticClass()).Build();
    return info;
}

TMRadioGroup::TMRadioGroup(TComponent* owner) : TMCustomRadioGroup(owner) {}
