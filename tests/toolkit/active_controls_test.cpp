// The active controls driven with real window messages.
#include "framework/stdctrls.h"
#include "toolkit/active_check_box.h"
#include "toolkit/active_combo.h"
#include "toolkit/active_edit.h"
#include "toolkit/active_label.h"
#include "toolkit/radio_button.h"
#include "toolkit/toolkit_log.h"
#include "toolkit_form.h"

#include <gtest/gtest.h>

namespace {

// System keys carry the Alt-down context bit, as Alt+key does.
void PostKey(HWND window, WORD key, UINT message = WM_KEYDOWN) {
    LPARAM context = (message == WM_SYSKEYDOWN || message == WM_SYSCHAR) ? 0x20000001 : 1;
    PostMessageA(window, message, key, context);
}

// Where the dark pixels of an edit's text are, as the screen shows it.
RECT TextOnScreen(TWinControl& edit) {
    RedrawWindow(edit.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    Settle();
    RECT client;
    GetClientRect(edit.Handle(), &client);
    TBitmap shot;
    shot.SetSize(client.right, client.bottom);
    gdi::WindowDC dc(edit.Handle());
    BitBlt(shot.Canvas().Handle(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    return Extent(shot.Canvas(), client, Dark);
}

const char* const kEditPage = R"(object F: TForm
  ClientWidth = 300
  ClientHeight = 120
  object L: TActiveLabel
    Left = 8
    Top = 12
    Width = 60
    Height = 16
    Caption = '&Suma:'
    Font.Color = clBlack
  end
  object R: TActiveEdit
    Left = 80
    Top = 8
    Width = 200
    Alignment = taRightJustify
    AssocLabel = L
    Text = '1234'
  end
  object Other: TEdit
    Left = 80
    Top = 60
  end
end)";

}  // namespace

TEST(ActiveEdit, FocusRecoloursItsLabelAndGivesTheColourBack) {
    ToolkitForm form(kEditPage);
    auto* label = form.FindChild<TActiveLabel>("L");
    auto* edit = form.FindChild<TActiveEdit>("R");
    auto* other = form.FindChild<TEdit>("Other");
    EXPECT_EQ(label->FocusControl(), edit) << "the link goes both ways";
    form.Show();
    other->SetFocus();
    label->Font().SetStyle(fsBold);
    edit->SetFocus();
    EXPECT_EQ(label->Font().Color(), clHighlightText);
    EXPECT_EQ(label->Font().Style(), fsBold) << "the style is kept";
    other->SetFocus();
    EXPECT_EQ(label->Font().Color(), clBlack);
    EXPECT_EQ(label->Font().Style(), fsBold);
    form.Hide();
}

TEST(ActiveEdit, ARightAlignedEditIsEditedFromTheLeft) {
    ToolkitForm form(kEditPage);
    auto* edit = form.FindChild<TActiveEdit>("R");
    auto* other = form.FindChild<TEdit>("Other");
    form.Show();
    other->SetFocus();
    RECT shown = TextOnScreen(*edit);
    ASSERT_LE(shown.left, shown.right) << "the text is drawn";
    EXPECT_GT(shown.left, 150) << "right-aligned while not focused";
    EXPECT_EQ(edit->Alignment(), taRightJustify);

    edit->SetFocus();
    EXPECT_EQ(edit->Alignment(), taLeftJustify);
    RECT edited = TextOnScreen(*edit);
    EXPECT_LT(edited.left, 20) << "left-aligned while focused";
    EXPECT_LT(edited.right, 100);

    other->SetFocus();
    EXPECT_EQ(edit->Alignment(), taRightJustify);
    EXPECT_GT(TextOnScreen(*edit).left, 150);
    form.Hide();
}

TEST(ActiveEdit, AFreedLabelIsForgotten) {
    ToolkitForm form(kEditPage);
    auto* edit = form.FindChild<TActiveEdit>("R");
    delete form.FindChild<TActiveLabel>("L");
    EXPECT_EQ(edit->AssocLabel(), nullptr);
    form.Show();
    edit->SetFocus();  // no label to recolour
    form.Hide();
}

TEST(ActiveLabel, ClickAndAltLetterFocusItsControlAfterTheClickEvent) {
    ToolkitForm form(kEditPage);
    auto* label = form.FindChild<TActiveLabel>("L");
    auto* edit = form.FindChild<TActiveEdit>("R");
    auto* other = form.FindChild<TEdit>("Other");
    std::vector<std::string> order;
    label->OnClick = [&](TObject*) { order.push_back(edit->Focused() ? "click after focus" : "click"); };
    form.Show();
    other->SetFocus();
    label->Click();
    EXPECT_TRUE(edit->Focused());
    other->SetFocus();
    PostKey(other->Handle(), 's', WM_SYSCHAR);
    Settle();
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(order, (std::vector<std::string>{"click", "click"}));

    label->SetEnabled(false);
    other->SetFocus();
    PostKey(other->Handle(), 's', WM_SYSCHAR);
    Settle();
    EXPECT_TRUE(other->Focused()) << "a disabled label gives no focus";
    form.Hide();
}

TEST(ActiveCheckBox, AllowGrayedCyclesThroughThreeStatesWithAClickEach) {
    ToolkitForm form(R"(object F: TForm
  object C: TActiveCheckBox
    Caption = '&Copiez baza de date'
    AllowGrayed = True
    OnClick = Clicked
  end
end)");
    auto* box = form.FindChild<TActiveCheckBox>("C");
    form.Show();
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(box->Handle(), BM_CLICK, 0, 0);
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(form.clicked.size(), 3u);
    box->SetAllowGrayed(false);
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
    form.Hide();
}

TEST(ActiveCheckBox, FocusedTextIsRedAndTheGlyphSitsLeftOfIt) {
    ToolkitForm form(R"(object F: TForm
  Color = clWhite
  object C: TActiveCheckBox
    Width = 150
    Height = 20
    Caption = 'Copiez'
    Font.Color = clBlack
  end
  object E: TEdit
    Top = 40
  end
end)");
    auto* box = form.FindChild<TActiveCheckBox>("C");
    form.Show();
    form.FindChild<TEdit>("E")->SetFocus();
    TBitmap face;
    auto paint = [&] {
        face.SetSize(box->Width(), box->Height());
        DRAWITEMSTRUCT item{};
        item.hDC = face.Canvas().Handle();
        item.rcItem = {0, 0, box->Width(), box->Height()};
        box->DrawItem(item);
    };
    paint();
    RECT text = Extent(face.Canvas(), RECT{20, 0, 150, 20}, Dark);
    EXPECT_LE(text.left, text.right) << "black text right of the glyph";
    EXPECT_GT(Extent(face.Canvas(), RECT{0, 0, 16, 20}, [](TColor c) { return c != clWhite; }).right, 0)
        << "the glyph at the left edge";
    box->SetFocus();
    paint();
    RECT red = Extent(face.Canvas(), RECT{20, 0, 150, 20}, Reddish);
    EXPECT_LE(red.left, red.right) << "red while focused";
    form.Hide();
}

TEST(MRadioGroup, ARefusingOwnerKeepsTheSelectionButHomeAndEndStillMove) {
    ToolkitForm form(R"(object F: TForm
  ClientWidth = 300
  ClientHeight = 200
  object G: TMRadioGroup
    Width = 200
    Height = 90
    ItemIndex = 0
    Items = ('LOCAL' 'SERVER' 'CLIENT')
    OnModify = Refuse
    OnClick = Clicked
  end
end)");
    auto* group = form.FindChild<TMRadioGroup>("G");
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->ItemIndex(), 0) << "the index read before the items is kept";
    form.Show();
    SendMessageA(group->Buttons(2)->Handle(), BM_CLICK, 0, 0);
    EXPECT_GE(form.asked, 1);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_TRUE(group->Buttons(0)->Checked());
    EXPECT_FALSE(group->Buttons(2)->Checked());
    EXPECT_TRUE(form.clicked.empty());

    group->Buttons(0)->SetFocus();
    int asked = form.asked;
    PostKey(group->Buttons(0)->Handle(), VK_END);
    Settle();
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_TRUE(group->Buttons(2)->Checked());
    EXPECT_TRUE(group->Buttons(2)->Focused());
    PostKey(group->Buttons(2)->Handle(), VK_PRIOR);
    Settle();
    EXPECT_EQ(group->ItemIndex(), 1);
    PostKey(group->Buttons(1)->Handle(), VK_HOME);
    Settle();
    EXPECT_EQ(group->ItemIndex(), 0);
    PostKey(group->Buttons(0)->Handle(), VK_PRIOR);
    Settle();
    EXPECT_EQ(group->ItemIndex(), 0) << "not before the first";
    EXPECT_EQ(form.asked, asked) << "keys move without asking";
    form.Hide();
}

TEST(MRadioGroup, ButtonsComeAndGoAtTheEndAndFillTheirCells) {
    ToolkitForm form(R"(object F: TForm
  object G: TMRadioGroup
    Width = 200
    Height = 60
    Columns = 2
    Items = ('a' 'b' 'c')
    ItemIndex = 7
  end
end)");
    auto* group = form.FindChild<TMRadioGroup>("G");
    EXPECT_EQ(group->ItemIndex(), 2) << "clamped once the items are known";
    TMGroupButton* first = group->Buttons(0);
    EXPECT_EQ(group->Buttons(2)->Left(), 100);
    EXPECT_EQ(group->Buttons(1)->Top(), 30);
    EXPECT_EQ(group->Buttons(1)->Height(), 30);
    group->Items().Delete(2);
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0), first) << "freed from the end";
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(group->Buttons(1)->Left(), 100);

    group->SetEnabled(false);
    EXPECT_FALSE(group->Buttons(1)->Enabled());
    group->Items().Clear();
    group->SetColumns(3);
    group->SetBounds(0, 0, 10, 10);
    EXPECT_EQ(group->ButtonCount(), 0);
    EXPECT_EQ(group->ItemIndex(), -1);
    group->Items().Add("nou");
    EXPECT_FALSE(group->Buttons(0)->Enabled()) << "a new button is enabled like the group";
}

TEST(MRadioButton, CheckingUnchecksSiblingsAndAltLetterOnlyFocuses) {
    ToolkitForm form(R"(object F: TForm
  object A: TMRadioButton
    Caption = '&Local'
    Checked = True
  end
  object B: TMRadioButton
    Top = 20
    Caption = '&Server'
  end
  object E: TEdit
    Top = 60
  end
end)");
    auto* a = form.FindChild<TMRadioButton>("A");
    auto* b = form.FindChild<TMRadioButton>("B");
    auto* edit = form.FindChild<TEdit>("E");
    EXPECT_TRUE(a->TabStop());
    EXPECT_FALSE(b->TabStop());
    form.Show();
    edit->SetFocus();
    PostKey(edit->Handle(), 's', WM_SYSCHAR);
    Settle();
    EXPECT_TRUE(b->Focused());
    EXPECT_FALSE(b->Checked()) << "Alt with the letter only focuses";
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->TabStop());
    EXPECT_FALSE(a->TabStop());
    form.Hide();
}

TEST(MRadioButton, ArrowsMoveAmongRadioButtonsAndCheckThem) {
    ToolkitForm form(R"(object F: TForm
  object A: TMRadioButton
    Caption = 'Local'
    Checked = True
  end
  object B: TMRadioButton
    Top = 20
    Caption = 'Server'
  end
  object C: TMRadioButton
    Top = 40
    Caption = 'Retea'
  end
end)");
    auto* a = form.FindChild<TMRadioButton>("A");
    auto* b = form.FindChild<TMRadioButton>("B");
    auto* c = form.FindChild<TMRadioButton>("C");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    a->SetFocus();
    PostKey(a->Handle(), VK_DOWN);
    Settle();
    EXPECT_TRUE(b->Focused());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->TabStop()) << "only the checked button is a tab stop";
    EXPECT_FALSE(a->TabStop());
    PostKey(b->Handle(), VK_UP);
    Settle();
    EXPECT_TRUE(a->Checked());
    PostKey(a->Handle(), VK_UP);  // from the first, round to the last
    Settle();
    EXPECT_TRUE(c->Focused());
    EXPECT_TRUE(c->Checked());
    EXPECT_FALSE(a->Checked() || b->Checked());
    form.Hide();
}

TEST(MRadioGroup, ArrowsAskTheOwnerLikeAClick) {
    ToolkitForm form(R"(object F: TForm
  object G: TMRadioGroup
    Width = 120
    Height = 60
    Items = ('Unu' 'Doi' 'Trei')
    ItemIndex = 0
  end
end)");
    auto* group = form.FindChild<TMRadioGroup>("G");
    bool allow = true;
    int clicks = 0;
    group->OnModify = [&](TObject*, bool& Allow) { Allow = allow; };
    group->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    group->Buttons(0)->SetFocus();
    PostKey(group->Buttons(0)->Handle(), VK_DOWN);
    Settle();
    EXPECT_TRUE(group->Buttons(1)->Focused());
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    allow = false;
    PostKey(group->Buttons(1)->Handle(), VK_DOWN);
    Settle();
    EXPECT_TRUE(group->Buttons(2)->Focused()) << "the focus moves all the same";
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_FALSE(group->Buttons(2)->Checked());
    EXPECT_EQ(clicks, 1);
    form.Hide();
}

TEST(GlyphButtons, AFaceThatCannotBePaintedIsNotedOnceAndLeftAsItWas) {
    ToolkitForm form(R"(object F: TForm
  object Bifa: TActiveCheckBox
  end
  object Optiune: TMRadioButton
    Top = 20
  end
end)");
    std::vector<std::string> notes;
    SetToolkitLogSink({nullptr, nullptr, [&](const std::string& text) { notes.push_back(text); }});
    TBitmap small;
    small.SetSize(10, 10);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hDC = small.Canvas().Handle();
    item.rcItem = {0, 0, 30000, 30000};  // far too big for an off-screen bitmap
    for (const char* name : {"Bifa", "Optiune"}) {
        auto* button = form.FindChild<TButtonControl>(name);
        EXPECT_TRUE(button->DrawItem(item));
        EXPECT_TRUE(button->DrawItem(item));
    }
    SetToolkitLogSink({});
    ASSERT_EQ(notes.size(), 2u) << "one note per reason";
    EXPECT_EQ(notes[0].rfind("Eroare la desenarea TActiveCheckBox Bifa: ", 0), 0u) << notes[0];
    EXPECT_EQ(notes[1].rfind("Eroare la desenarea TMRadioButton Optiune: ", 0), 0u) << notes[1];
    EXPECT_EQ(small.Canvas().Pixel(5, 5), clWhite) << "nothing half-drawn";
}

namespace {

// A key as the keyboard delivers it to the focused edit: the key going down,
// then the character it makes, if any.
void PressKey(HWND edit, WORD key, char character = 0) {
    SendMessageA(edit, WM_KEYDOWN, key, 1);
    if (character) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(character), 1);
    SendMessageA(edit, WM_KEYUP, key, 0xC0000001);
}

// A lower-case letter: its key code is the capital.
void TypeLetter(HWND edit, char letter) { PressKey(edit, static_cast<WORD>(letter - 'a' + 'A'), letter); }

}  // namespace

TEST(ActiveCombo, AutoCompletionFollowsTheLastKeyPressed) {
    ToolkitForm form(R"(object F: TForm
  object C: TActiveCombo
    Width = 150
    AutoComplete = True
    Items = ('Bucuresti' 'Brasov' 'Buzau')
  end
end)");
    auto* combo = form.FindChild<TActiveCombo>("C");
    form.Show();
    combo->SetFocus();
    HWND edit = FindWindowExA(combo->Handle(), nullptr, "Edit", nullptr);
    ASSERT_TRUE(edit);
    auto selection = [&] {
        DWORD start = 0, end = 0;
        SendMessageA(combo->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::make_pair(static_cast<int>(start), static_cast<int>(end));
    };

    TypeLetter(edit, 'b');
    EXPECT_EQ(combo->Text(), "Bucuresti");
    EXPECT_EQ(selection(), std::make_pair(1, 9)) << "typing goes on over the suggested tail";
    TypeLetter(edit, 'r');
    EXPECT_EQ(combo->Text(), "Brasov");
    EXPECT_EQ(selection(), std::make_pair(2, 6));

    PressKey(edit, VK_BACK, '\b');  // takes the suggested tail away
    EXPECT_EQ(combo->Text(), "Br");
    PressKey(edit, VK_BACK, '\b');
    EXPECT_EQ(combo->Text(), "B") << "no completion after Backspace";
    TypeLetter(edit, 'x');
    EXPECT_EQ(combo->Text(), "Bx") << "nothing begins with it";

    PressKey(edit, VK_BACK, '\b');
    TypeLetter(edit, 'u');
    EXPECT_EQ(combo->Text(), "Bucuresti") << "a letter after Backspace completes again";
    PressKey(edit, VK_DELETE);
    EXPECT_EQ(combo->Text(), "Bu") << "no completion after Delete";

    SendMessageA(edit, EM_SETSEL, 0, -1);
    TypeLetter(edit, 'b');
    EXPECT_EQ(combo->Text(), "Bucuresti") << "a letter over the whole text completes";
    EXPECT_EQ(selection(), std::make_pair(1, 9));
    form.Hide();
}
