// The toolkit's radio buttons and the radio group whose owner may refuse a
// change of selection.
#pragma once

#include "framework/stdctrls.h"

#include <functional>
#include <vector>

// Owner-drawn with the two-frame "Radio" glyph (unchecked, checked); the
// text red while it has the focus. Alt with its letter only focuses it.
class TMRadioButton : public TRadioButton {
    DECLARE_CLASS_INFO
public:
    explicit TMRadioButton(TComponent* owner);
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    bool DialogChar(char key) override;

protected:
    bool OwnerDrawn() const override { return true; }
};

// Sender, and whether the change may happen (true when called).
using TModifyEvent = std::function<void(TObject* Sender, bool& Allow)>;

class TMCustomRadioGroup;

// A button a radio group makes for one of its items; clicks and keys go
// through the group.
class TMGroupButton : public TMRadioButton {
    DECLARE_CLASS_INFO
public:
    TMGroupButton(TMCustomRadioGroup& group, int index);
    int Index() const { return index_; }
    void Click() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;

private:
    TMCustomRadioGroup& group_;
    int index_;
};

// A column layout of radio buttons, one per item, without frame or caption.
class TMCustomRadioGroup : public TGroupBox {
    DECLARE_CLASS_INFO
public:
    explicit TMCustomRadioGroup(TComponent* owner);

    TStrings& Items() { return items_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TMGroupButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

    TModifyEvent OnModify;

    void Loaded() override;
    void KeyDown(WORD& key, TShiftState shift) override;

protected:
    friend class TMGroupButton;
    // Asks OnModify; true when the selection may change.
    bool CanModify();
    void ButtonClicked(TMGroupButton& button);
    // Home, End, Page Up and Page Down: true when the key was one of them.
    bool NavigationKey(WORD key);

    void Paint() override;
    void BoundsChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;

private:
    void UpdateButtons();
    void ArrangeButtons();
    void ShowSelection();

    TStrings items_;
    std::vector<TMGroupButton*> buttons_;  // owned as components of the group
    int itemIndex_ = -1;
    int columns_ = 1;
};

class TMRadioGroup : public TMCustomRadioGroup {
    DECLARE_CLASS_INFO
public:
    explicit TMRadioGroup(TComponent* owner);
};
