// Controls built from descriptions, driven with real window messages, and
// painted into memory bitmaps.
#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "test_page.h"

#include <gtest/gtest.h>

namespace {

class Clicks : public TForm {
public:
    explicit Clicks(const std::string& description) : TForm(nullptr) {
        PublishMethod("Clicked", &Clicks::Clicked);
        LoadFormText(description, "TEST");
    }
    void Clicked(TObject* sender) { clicked.push_back(static_cast<TComponent*>(sender)->Name()); }
    std::vector<std::string> clicked;
};

// Paints the form and its graphic controls into a bitmap of its client size.
void PaintForm(TForm& form, TBitmap& into) {
    into.SetSize(form.ClientWidth(), form.ClientHeight());
    form.PaintTo(into.Canvas().Handle());
}

TEST(ControlsTest, GaugeFillsItsShareOfTheBar) {
    Clicks form(R"(object F: TForm
  ClientWidth = 200
  ClientHeight = 60
  Color = clWhite
  object G: TGauge
    Left = 10
    Top = 10
    Width = 102
    Height = 20
    MinValue = 100
    MaxValue = 300
    Progress = 150
    ForeColor = clNavy
    BackColor = clYellow
    ShowText = False
  end
end)");
    auto* gauge = form.FindChild<TGauge>("G");
    EXPECT_EQ(gauge->PercentDone(), 25);
    TBitmap shot;
    PaintForm(form, shot);
    TCanvas& c = shot.Canvas();
    EXPECT_EQ(c.Pixel(10, 10), clBlack) << "frame";
    EXPECT_EQ(c.Pixel(11, 15), clNavy);
    EXPECT_EQ(c.Pixel(35, 15), clNavy);
    EXPECT_EQ(c.Pixel(36, 15), clYellow);
    EXPECT_EQ(c.Pixel(110, 15), clYellow);
    EXPECT_EQ(c.Pixel(5, 5), clWhite);

    gauge->SetProgress(900);  // past the maximum: full, not beyond
    EXPECT_EQ(gauge->PercentDone(), 100);
    PaintForm(form, shot);
    EXPECT_EQ(shot.Canvas().Pixel(110, 15), clNavy);
    EXPECT_EQ(shot.Canvas().Pixel(113, 15), clWhite);
}

TEST(ControlsTest, AlignedControlsShareTheClientAreaInsideBevels) {
    Clicks form(R"(object F: TForm
  ClientWidth = 300
  ClientHeight = 200
  object Top1: TPanel
    Align = alTop
    Height = 30
  end
  object Bottom1: TPanel
    Align = alBottom
    Height = 41
  end
  object Body: TPanel
    Align = alClient
    BevelOuter = bvRaised
    BevelInner = bvLowered
    BorderWidth = 2
    object Inner: TPanel
      Align = alClient
    end
  end
end)");
    form.Handle();
    auto bounds = [&](const char* name) { return form.FindChild<TControl>(name)->BoundsRect(); };
    EXPECT_EQ(bounds("Top1").bottom, 30);
    EXPECT_EQ(bounds("Top1").right, 300);
    EXPECT_EQ(bounds("Bottom1").top, 159);
    EXPECT_EQ(bounds("Body").top, 30);
    EXPECT_EQ(bounds("Body").bottom, 159);
    RECT inner = bounds("Inner");
    EXPECT_EQ(inner.left, 4);
    EXPECT_EQ(inner.top, 4);
    EXPECT_EQ(inner.right, 296);
    EXPECT_EQ(inner.bottom, 125);

    form.SetClientHeight(250);
    EXPECT_EQ(bounds("Bottom1").top, 209) << "realigned when the form grows";
}

TEST(ControlsTest, CheckBoxCyclesThroughGrayedWhenAllowed) {
    Clicks form(R"(object F: TForm
  object Ck1: TCheckBox
    Caption = '&Verificare'
    AllowGrayed = True
    OnClick = Clicked
  end
end)");
    auto* box = form.FindChild<TCheckBox>("Ck1");
    HWND h = box->Handle();
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(h, BM_CLICK, 0, 0);
        states.push_back(box->State());
        EXPECT_EQ(SendMessageA(h, BM_GETCHECK, 0, 0), box->State());
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(form.clicked.size(), 3u);
    box->SetAllowGrayed(false);
    SendMessageA(h, BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
}

TEST(ControlsTest, CheckingARadioButtonUnchecksItsSiblingsOnly) {
    Clicks form(R"(object F: TForm
  object R1: TRadioButton
    Checked = True
  end
  object R2: TRadioButton
    Top = 20
    OnClick = Clicked
  end
  object Other: TPanel
    Top = 50
    object R3: TRadioButton
      Checked = True
    end
  end
end)");
    form.Handle();
    SendMessageA(form.FindChild<TRadioButton>("R2")->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(form.FindChild<TRadioButton>("R1")->Checked());
    EXPECT_TRUE(form.FindChild<TRadioButton>("R2")->Checked());
    EXPECT_TRUE(form.FindChild<TRadioButton>("R3")->Checked()) << "another container";
    EXPECT_EQ(form.clicked, std::vector<std::string>{"R2"});
    EXPECT_EQ(SendMessageA(form.FindChild<TRadioButton>("R1")->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(ControlsTest, ArrowsMoveAmongRadioButtonsAndCheckThem) {
    Clicks form(R"(object F: TForm
  object G: TGroupBox
    Height = 90
    object R1: TRadioButton
      Top = 16
      Checked = True
    end
    object R2: TRadioButton
      Top = 36
    end
    object R3: TRadioButton
      Top = 56
    end
  end
end)");
    auto* r1 = form.FindChild<TRadioButton>("R1");
    auto* r3 = form.FindChild<TRadioButton>("R3");
    form.Show();
    r1->SetFocus();
    PostKey(r1->Handle(), VK_UP);  // wraps round to the last one
    Application().ProcessMessages();
    EXPECT_EQ(FindControl(GetFocus()), r3);
    EXPECT_TRUE(r3->Checked());
    EXPECT_FALSE(r1->Checked());
    PostKey(r3->Handle(), VK_DOWN);
    Application().ProcessMessages();
    EXPECT_EQ(FindControl(GetFocus()), r1);
    EXPECT_TRUE(r1->Checked());
    form.Hide();
}

// A radio button of another family (owner-drawn, on the plain button base)
// says itself what the arrow keys do to it.
class TOwnRadio : public TButtonControl {
public:
    explicit TOwnRadio(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 100, 17); }
    void FocusedByArrow() override { checked = true; }
    bool checked = false;

protected:
    DWORD ButtonStyle() const override { return BS_RADIOBUTTON; }
};

TEST(ControlsTest, ArrowsLetTheControlTheyReachDecideWhatHappens) {
    Clicks form("object F: TForm\n object R1: TRadioButton\n  Checked = True\n end\nend");
    auto* r1 = form.FindChild<TRadioButton>("R1");
    auto* own = new TOwnRadio(&form);
    own->SetParent(&form);
    own->SetTop(30);
    form.Show();
    r1->SetFocus();
    PostKey(r1->Handle(), VK_DOWN);
    Application().ProcessMessages();
    EXPECT_EQ(FindControl(GetFocus()), own);
    EXPECT_TRUE(own->checked);
    EXPECT_TRUE(r1->Checked()) << "the framework's radio buttons leave other families alone";
    form.Hide();
}

TEST(ControlsTest, MemoLinesAndWindowTextFollowEachOther) {
    Clicks form("object F: TForm\n object M: TMemo\n Lines = ('unu' 'doi')\n end\nend");
    auto* memo = form.FindChild<TMemo>("M");
    HWND h = memo->Handle();
    char text[64];
    GetWindowTextA(h, text, sizeof(text));
    EXPECT_STREQ(text, "unu\r\ndoi");
    memo->Lines().Add("trei");
    GetWindowTextA(h, text, sizeof(text));
    EXPECT_STREQ(text, "unu\r\ndoi\r\ntrei");
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("patru\r\ncinci"));
    ASSERT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->Lines()[1], "cinci");
}

TEST(ControlsTest, ListAndComboReportTheChosenItem) {
    Clicks form(R"(object F: TForm
  ClientWidth = 300
  ClientHeight = 200
  object L: TListBox
    Width = 120
    Height = 100
    Items = ('a' 'b' 'c')
    OnClick = Clicked
  end
  object C: TComboBox
    Left = 150
    Style = csDropDownList
    Items = ('x' 'y')
    ItemIndex = 0
    OnChange = Clicked
  end
end)");
    form.Show();
    auto* list = form.FindChild<TListBox>("L");
    RECT item = list->ItemRect(2);
    LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(list->ItemIndex(), 2);

    auto* combo = form.FindChild<TComboBox>("C");
    EXPECT_EQ(combo->Text(), "x");
    combo->SetFocus();
    SendMessageA(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "y");
    EXPECT_EQ(form.clicked, (std::vector<std::string>{"L", "C"}));
    form.Hide();
}

TEST(ControlsTest, ComboBoxWithAnEditEntersAndLeavesOnce) {
    Clicks form(R"(object F: TForm
  object C: TComboBox
    Items = ('unu' 'doi')
  end
  object E: TEdit
    Top = 40
  end
end)");
    auto* combo = form.FindChild<TComboBox>("C");
    auto* edit = form.FindChild<TEdit>("E");
    std::vector<std::string> events;
    combo->OnEnter = [&](TObject*) { events.push_back("enter"); };
    combo->OnExit = [&](TObject*) { events.push_back("exit"); };
    form.Show();  // the combo box, first in tab order, has the focus
    edit->SetFocus();
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
    events.clear();
    combo->SetFocus();
    EXPECT_TRUE(combo->Focused());
    EXPECT_EQ(form.ActiveControl(), combo);
    edit->SetFocus();
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
    form.Hide();
}

// Auto-completion reads the keys typed into the edit of a combo box.
TEST(ControlsTest, KeysTypedIntoAComboBoxEditReachTheComboBox) {
    Clicks form("object F: TForm\n object C: TComboBox\n  Items = ('Bucuresti' 'Brasov')\n end\nend");
    auto* combo = form.FindChild<TComboBox>("C");
    std::vector<WORD> down;
    combo->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { down.push_back(key); };
    combo->OnKeyPress = [&](TObject*, char& key) {
        if (key == 'x') key = 0;    // swallowed
        if (key == 'a') key = 'B';  // replaced
    };
    form.Show();
    HWND edit = FindWindowExA(combo->Handle(), nullptr, "Edit", nullptr);
    ASSERT_TRUE(edit);
    for (char c : {'a', 'x', 'r'}) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    SendMessageA(edit, WM_KEYDOWN, VK_BACK, 1);
    EXPECT_EQ(combo->Text(), "Br");
    EXPECT_EQ(down, std::vector<WORD>{VK_BACK});
    form.Hide();
}

TEST(ControlsTest, GraphicControlsGetTheMouseThroughTheirParent) {
    Clicks form(R"(object F: TForm
  object P: TPanel
    Left = 10
    Top = 10
    Width = 200
    Height = 100
    object Lbl: TLabel
      Left = 20
      Top = 30
      Caption = 'Apasa aici'
      OnClick = Clicked
    end
    object Img: TImage
      Left = 100
      Top = 30
      Width = 20
      Height = 20
      OnClick = Clicked
    end
  end
end)");
    auto* panel = form.FindChild<TPanel>("P");
    HWND h = panel->Handle();
    auto click = [&](int x, int y) {
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    click(25, 35);
    click(105, 35);
    click(5, 5);  // bare panel
    EXPECT_EQ(form.clicked, (std::vector<std::string>{"Lbl", "Img"}));
}

// A picture whose right half lets the mouse through to what lies beneath.
class THalfImage : public TImage {
public:
    explicit THalfImage(TComponent* owner) : TImage(owner) {}
    bool HitInParent(POINT p) const override { return TImage::HitInParent(p) && p.x < Left() + Width() / 2; }
};

TEST(ControlsTest, GraphicControlDecidesWhereItAnswersTheMouse) {
    Clicks form("object F: TForm\n object Under: TImage\n  Width = 40\n  Height = 20\n  OnClick = Clicked\n end\nend");
    auto* half = new THalfImage(&form);
    half->SetName("Half");
    half->SetParent(&form);
    half->SetBounds(0, 0, 40, 20);
    half->OnClick = [&](TObject* s) { form.Clicked(s); };
    HWND h = form.Handle();
    for (int x : {5, 35}) {
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
        SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
    }
    EXPECT_EQ(form.clicked, (std::vector<std::string>{"Half", "Under"}));
}

TEST(ControlsTest, FontAndColourFollowTheParentUntilSetOwn) {
    Clicks form(R"(object F: TForm
  Font.Name = 'Arial'
  Font.Height = -13
  Color = clSilver
  object P: TPanel
    ParentColor = True
    object A: TLabel
    end
    object B: TLabel
      Font.Style = [fsBold]
    end
  end
end)");
    auto* a = form.FindChild<TLabel>("A");
    auto* b = form.FindChild<TLabel>("B");
    EXPECT_EQ(a->Font().Name(), "Arial");
    EXPECT_EQ(a->Color(), clSilver);
    EXPECT_EQ(b->Font().Style(), fsBold);
    EXPECT_FALSE(b->ParentFont());
    form.Font().SetHeight(-20);
    form.SetColor(clAqua);
    EXPECT_EQ(a->Font().Height(), -20);
    EXPECT_EQ(a->Color(), clAqua) << "through the panel, which follows the form";
    EXPECT_EQ(b->Font().Height(), -13);
}

TEST(ControlsTest, LabelSizesItselfToItsText) {
    Clicks form("object F: TForm\n object Lbl: TLabel\n Caption = 'scurt'\n end\nend");
    auto* label = form.FindChild<TLabel>("Lbl");
    int shortWidth = label->Width();
    label->SetCaption("un text mult mai lung decat primul");
    EXPECT_GT(label->Width(), shortWidth * 3);
    label->SetAutoSize(false);
    label->SetCaption("x");
    EXPECT_GT(label->Width(), shortWidth * 3);
}

TEST(ControlsTest, FreedComponentsLeaveNoReferencesBehind) {
    Clicks form(R"(object F: TForm
  ActiveControl = E
  object Lbl: TLabel
    FocusControl = E
  end
  object E: TEdit
  end
end)");
    form.Handle();
    auto* label = form.FindChild<TLabel>("Lbl");
    delete form.FindChild<TEdit>("E");
    EXPECT_EQ(form.FindComponent("E"), nullptr);
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(form.ActiveControl(), nullptr);
    EXPECT_EQ(form.ControlCount(), 1);
}

// A control's one deleter is its owner. The panel here is the parent of
// controls that the form owns: freeing the panel frees none of them.
TEST(ControlsTest, ParentFreedBeforeItsChildrenLetsGoOfThem) {
    Clicks form(R"(object F: TForm
  object Box: TPanel
    object Inner: TEdit
    end
    object Note: TLabel
      Caption = 'ramane'
    end
  end
end)");
    form.Handle();
    auto* box = form.FindChild<TPanel>("Box");
    auto* inner = form.FindChild<TEdit>("Inner");
    auto* note = form.FindChild<TLabel>("Note");
    ASSERT_TRUE(inner->HandleAllocated());
    delete box;
    ASSERT_EQ(form.FindChild<TEdit>("Inner"), inner) << "still owned by the form";
    EXPECT_EQ(inner->Parent(), nullptr);
    EXPECT_FALSE(inner->HandleAllocated()) << "its window went with the parent's";
    EXPECT_EQ(note->Parent(), nullptr);
    EXPECT_EQ(note->Caption(), "ramane");

    inner->SetParent(&form);  // and can be shown again elsewhere
    EXPECT_TRUE(inner->HandleAllocated());
    EXPECT_EQ(GetParent(inner->HandleIfAllocated()), form.Handle());
}  // the form frees the edit and the label once each

}  // namespace
