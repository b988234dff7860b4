// Forms read from descriptions compiled into the resources, and the modal
// loop driven by real window messages.
#include "test_page.h"

#include "framework/form_parser.h"

#include <gtest/gtest.h>

namespace {

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application().OnException = [this](const std::string& m) { errors.push_back(m); };
    }
    void TearDown() override { Application().OnException = nullptr; }
    std::vector<std::string> errors;
};

TEST_F(FormsTest, DescriptionFromResourcesBuildsTheTree) {
    TTestPage page;
    EXPECT_EQ(page.created, 1) << "OnCreate runs once the description is read";
    EXPECT_EQ(page.Name(), "TestPage");
    EXPECT_EQ(page.Caption(), "Pagina de proba");
    EXPECT_EQ(page.BorderStyle(), bsDialog);
    EXPECT_EQ(page.BorderIcons(), biSystemMenu);
    EXPECT_EQ(page.Color(), 0x00CFCFCF);
    EXPECT_TRUE(page.KeyPreview());
    EXPECT_EQ(page.ActiveControl(), page.RName);
    EXPECT_EQ(page.RName->Text(), "Ion's");
    EXPECT_EQ(page.nameChanges, 0) << "no change events while loading";

    auto* label = page.FindChild<TLabel>("LName");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->FocusControl(), page.RName);
    EXPECT_TRUE(label->ParentColor());
    EXPECT_EQ(label->Color(), 0x00CFCFCF);

    auto* panel = page.FindChild<TPanel>("Panel1");
    auto* gauge = page.FindChild<TGauge>("Progress");
    ASSERT_TRUE(panel && gauge);
    EXPECT_EQ(gauge->Parent(), panel);
    EXPECT_EQ(gauge->PercentDone(), 40);
    EXPECT_EQ(panel->BevelOuter(), bvLowered);

    auto* fromResource = page.FindChild<TImage>("Swatch");
    auto* inlineData = page.FindChild<TImage>("Inline");
    ASSERT_TRUE(fromResource && inlineData);
    for (TImage* image : {fromResource, inlineData}) {
        EXPECT_EQ(image->Picture().Width(), 3);
        EXPECT_EQ(image->Picture().Height(), 2);
        EXPECT_EQ(image->Picture().Canvas().Pixel(0, 0), RGBColor(255, 0, 255));
        EXPECT_EQ(image->Picture().Canvas().Pixel(2, 1), RGBColor(255, 255, 255));
    }
    EXPECT_TRUE(inlineData->Transparent());

    auto* combo = page.FindChild<TComboBox>("Types");
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->Items().Count(), 3);
    EXPECT_EQ(combo->Items()[2], " CLIEN&T");
    EXPECT_EQ(combo->ItemIndex(), 1) << "an index given before the items";
    EXPECT_EQ(combo->Text(), " &SERVER");
    auto* memo = page.FindChild<TMemo>("Notes");
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->Text(), "Instalarea s-a terminat\r\n\r\ncu succes!");
    EXPECT_TRUE(page.BNext->Default());
    EXPECT_TRUE(page.BCancel->Cancel());
    EXPECT_EQ(page.Tick->Interval(), 10);
}

TEST_F(FormsTest, MissingDescriptionIsReportedByName) {
    TForm form(nullptr);
    try {
        form.LoadForm("NoSuchPage");
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("NoSuchPage"), std::string::npos);
    }
}

TEST_F(FormsTest, ShowModalReturnsTheResultOfAClickedButton) {
    TTestPage page;
    PostMessageA(page.BCancel->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(page.ShowModal(), mrCancel);
    EXPECT_FALSE(IsWindowVisible(page.Handle()));

    // A mouse press and release over the button.
    POINT p = CenterOf(*page.BNext);
    PostMessageA(page.BNext->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageA(page.BNext->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(page.ShowModal(), mrOk);
    EXPECT_EQ(page.nextClicks, 1);
}

TEST_F(FormsTest, ShowModalDisablesTheOtherWindowsUntilItEnds) {
    TForm other(nullptr);
    other.Show();
    TTestPage page;
    bool otherEnabledDuringLoop = true;
    EndModalAfterTicks(page, 2, mrAbort, [&] { otherEnabledDuringLoop = IsWindowEnabled(other.Handle()); });
    EXPECT_EQ(page.ShowModal(), mrAbort);
    EXPECT_FALSE(otherEnabledDuringLoop);
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
}

// A page that notes what its procedure hears of being enabled and disabled.
class TStackedPage : public TTestPage {
public:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_ENABLE) enables.push_back(m.WParam != 0);
        TTestPage::WndProc(m);
    }
    std::vector<bool> enables;
};

TEST_F(FormsTest, ModalFormOverAModalFormGivesItBackAsItWas) {
    TStackedPage lower;
    lower.BNext->SetModalResult(mrNone);
    lower.BCancel->SetEnabled(false);
    lower.SetActiveControl(lower.RCity);
    bool lowerEnabledUnder = true;
    int upperResult = mrNone;
    std::string focusedAfter;
    lower.onNext = [&] {
        TTestPage upper;
        EndModalAfterTicks(upper, 2, mrYes, [&] { lowerEnabledUnder = IsWindowEnabled(lower.Handle()); });
        upperResult = upper.ShowModal();
        EndModalAfterTicks(lower, lower.ticks + 2, mrIgnore, [&] {
            TWinControl* f = FindControl(GetFocus());
            focusedAfter = f ? f->Name() : "";
        });
    };
    lower.Handle();
    PostKey(lower.RCity->Handle(), VK_RETURN);  // the default button; the focus stays in RCity
    EXPECT_EQ(lower.ShowModal(), mrIgnore) << "the lower loop goes on after the upper one";
    EXPECT_EQ(upperResult, mrYes);
    EXPECT_FALSE(lowerEnabledUnder);
    EXPECT_EQ(lower.enables, (std::vector<bool>{false, true})) << "told, so a form can save and restore its buttons";
    EXPECT_EQ(focusedAfter, "RCity") << "the focus comes back where it was";
    EXPECT_FALSE(IsWindowEnabled(lower.BCancel->Handle())) << "a button disabled before stays disabled";
    EXPECT_TRUE(IsWindowEnabled(lower.BNext->Handle()));
}

TEST_F(FormsTest, DoubleBufferedFormPaintsThroughARealPaintMessage) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(40, 40, 120, 80);
    form.SetColor(RGBColor(7, 70, 138));
    form.SetDoubleBuffered(true);
    auto* bevel = new TBevel(&form);
    bevel->SetParent(&form);
    bevel->SetBounds(60, 20, 40, 40);
    bevel->SetShape(bsFrame);
    int paints = 0;
    form.OnPaint = [&](TObject*) {
        ++paints;
        form.Canvas().Brush().SetColor(clYellow);
        form.Canvas().FillRect(RECT{0, 0, 10, 10});
    };
    form.Show();
    Application().ProcessMessages();
    paints = 0;
    InvalidateRect(form.Handle(), nullptr, TRUE);
    UpdateWindow(form.Handle());  // WM_PAINT, sent at once
    EXPECT_EQ(paints, 1);
    gdi::WindowDC dc(form.Handle());
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 0)) << "OnPaint's drawing reached the window";
    EXPECT_EQ(GetPixel(dc, 30, 50), RGB(7, 70, 138)) << "the form's colour";
    EXPECT_EQ(GetPixel(dc, 60, 20), ColorToRGB(clBtnShadow)) << "the bevel, a graphic control";
    form.Hide();
}

TEST_F(FormsTest, HandlerLeavingNoResultKeepsTheFormOpen) {
    TTestPage page;
    page.BNext->SetModalResult(mrNone);
    bool openAfterClick = false;
    page.onNext = [&] {
        EndModalAfterTicks(page, page.ticks + 2, mrRetry, [&] { openAfterClick = IsWindowVisible(page.Handle()); });
    };
    PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(page.ShowModal(), mrRetry);
    EXPECT_EQ(page.nextClicks, 1);
    EXPECT_TRUE(openAfterClick);
}

TEST_F(FormsTest, ErrorInAClickHandlerIsShownAndTheLoopGoesOn) {
    TTestPage page;
    page.BNext->SetModalResult(mrNone);
    page.onNext = [] { throw std::runtime_error("discul nu raspunde"); };
    PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
    PostMessageA(page.BCancel->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(page.ShowModal(), mrCancel);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Eroare: discul nu raspunde");
}

// Without a handler of its own the application shows a message box; a
// thread timer (dispatched by the box's own loop) reads it and closes it.
std::string g_boxText;
BOOL CALLBACK FindDialogBox(HWND w, LPARAM found) {
    char cls[32];
    GetClassNameA(w, cls, sizeof(cls));
    if (std::string(cls) == "#32770" && IsWindowVisible(w)) *reinterpret_cast<HWND*>(found) = w;
    return TRUE;
}
BOOL CALLBACK CollectText(HWND w, LPARAM) {
    char text[256];
    GetWindowTextA(w, text, sizeof(text));
    g_boxText += std::string(text) + "|";
    return TRUE;
}
void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialogBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(nullptr, id);
    EnumChildWindows(box, CollectText, 0);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(FormsTest, UncaughtErrorWithoutHandlerShowsARomanianMessageBox) {
    Application().OnException = nullptr;
    g_boxText.clear();
    SetTimer(nullptr, 0, 20, CloseMessageBox);
    Application().HandleException(std::make_exception_ptr(std::runtime_error("fisier lipsa")));
    EXPECT_NE(g_boxText.find("Eroare: fisier lipsa"), std::string::npos) << g_boxText;
}

TEST_F(FormsTest, EnterAndEscapePressDefaultAndCancelButtons) {
    TTestPage page;
    page.Handle();
    PostKey(page.RCity->Handle(), VK_RETURN);
    EXPECT_EQ(page.ShowModal(), mrOk);
    EXPECT_EQ(page.nextClicks, 1);
    PostKey(page.RCity->Handle(), VK_ESCAPE);
    EXPECT_EQ(page.ShowModal(), mrCancel);
}

TEST_F(FormsTest, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
    TTestPage page;
    page.swallowKeys = true;
    page.Handle();
    PostKey(page.RName->Handle(), VK_RETURN);
    EndModalAfterTicks(page, 3, mrAbort);
    EXPECT_EQ(page.ShowModal(), mrAbort);
    EXPECT_EQ(page.previewedKeys, std::vector<WORD>{VK_RETURN});
    EXPECT_EQ(page.nextClicks, 0);
}

TEST_F(FormsTest, TabMovesTheFocusInTabOrder) {
    TTestPage page;
    std::vector<std::string> visited;
    page.onTick = [&] {
        TWinControl* focused = FindControl(GetFocus());
        visited.push_back(focused ? focused->Name() : "?");
        if (visited.size() == 4) {
            page.Tick->SetEnabled(false);
            page.SetModalResult(mrAbort);
        } else {
            PostKey(GetFocus(), VK_TAB);
        }
    };
    page.Tick->SetEnabled(true);
    EXPECT_EQ(page.ShowModal(), mrAbort);
    // The description lists RCity (2) before RCode (1); the first focus is ActiveControl.
    EXPECT_EQ(visited, (std::vector<std::string>{"RName", "RCode", "RCity", "Types"}));
}

TEST_F(FormsTest, AltWithAnAcceleratorClicksTheButton) {
    TTestPage page;
    page.Handle();
    PostKey(page.RName->Handle(), 'a', WM_SYSCHAR);
    EXPECT_EQ(page.ShowModal(), mrCancel);  // "&Abandon"
}

TEST_F(FormsTest, AltWithALabelAcceleratorFocusesItsControl) {
    TTestPage page;
    std::vector<std::string> entered, left;
    page.RName->OnExit = [&](TObject* s) { left.push_back(static_cast<TComponent*>(s)->Name()); };
    page.RCode->OnEnter = [&](TObject* s) { entered.push_back(static_cast<TComponent*>(s)->Name()); };
    page.RName->OnEnter = [&](TObject* s) { entered.push_back(static_cast<TComponent*>(s)->Name()); };
    page.SetActiveControl(page.RCode);
    std::string focusedAfter;
    page.Handle();
    PostKey(page.RCode->Handle(), 'n', WM_SYSCHAR);  // "&Nume:" labels RName
    EndModalAfterTicks(page, 2, mrAbort, [&] {
        TWinControl* f = FindControl(GetFocus());
        focusedAfter = f ? f->Name() : "";
    });
    page.ShowModal();
    EXPECT_EQ(focusedAfter, "RName");
    EXPECT_EQ(entered, (std::vector<std::string>{"RCode", "RName"}));
    EXPECT_EQ(left, std::vector<std::string>{"RName"}) << "RName lost the focus when the modal loop ended";
}

TEST_F(FormsTest, DisabledDefaultButtonDoesNotAnswerEnter) {
    TTestPage page;
    page.BNext->SetEnabled(false);
    page.Handle();
    PostKey(page.RCity->Handle(), VK_RETURN);
    EndModalAfterTicks(page, 3, mrAbort);
    EXPECT_EQ(page.ShowModal(), mrAbort);
    EXPECT_EQ(page.nextClicks, 0);
}

TEST_F(FormsTest, DescriptionErrorsWithFrameworkClassesNameTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* mentions;
    } cases[] = {
        {"object F: TForm\n object L: TLabel\n  object E: TEdit\n  end\n end\nend", 3, "E"},
        {"object F: TForm\n object I: TImage\n  Picture = {424D00}\n end\nend", 3, "bmp"},
        {"object F: TForm\n object I: TImage\n  Picture = 'NuExista'\n end\nend", 3, "NuExista"},
        {"object F: TForm\n object B: TButton\n  Align = alMiddle\n end\nend", 3, "alMiddle"},
        {"object F: TForm\n object D: TDriveComboBox\n  DirList = F\n end\nend", 3, "DirList"},
        {"object F: TForm\n object B: TButton\n  Color = clRed\n end\nend", 3, "Color"},
        {"object F: TForm\n object B: TBevel\n  Caption = 'x'\n end\nend", 3, "Caption"},
        {"object F: TForm\n object B: TButton\n  ModalResult = mrMaybe\n end\nend", 3, "mrMaybe"},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        try {
            form.LoadFormText(c.text, "Pagina");
            ADD_FAILURE() << c.text;
        } catch (const EFormError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.mentions), std::string::npos) << e.what();
        }
        EXPECT_EQ(form.ComponentCount(), 0) << "nothing half-built is left: " << c.text;
    }
}

// A class publishes what it really has, so that a description setting a
// property a control cannot show fails, and a rule that looks for a published
// colour finds only controls that paint one.
TEST_F(FormsTest, EachControlPublishesOnlyWhatItHas) {
    TForm form(nullptr);
    auto has = [](const TPersistent& object, const char* name) {
        return object.ClassType().FindProperty(name) != nullptr;
    };
    TLabel label(&form);
    TButton button(&form);
    TEdit edit(&form);
    TBevel bevel(&form);
    TImage image(&form);
    TPanel panel(&form);
    EXPECT_TRUE(has(label, "Color") && has(label, "Font") && has(label, "Caption"));
    EXPECT_TRUE(has(button, "Caption") && has(button, "Font"));
    EXPECT_FALSE(has(button, "Color")) << "a push button is painted by the system";
    EXPECT_TRUE(has(edit, "Text") && has(edit, "Color"));
    EXPECT_FALSE(has(edit, "Caption"));
    EXPECT_TRUE(has(panel, "Color") && has(panel, "Caption"));
    for (const TPersistent* bare : std::initializer_list<const TPersistent*>{&bevel, &image})
        for (const char* name : {"Color", "Caption", "Text", "Font"}) EXPECT_FALSE(has(*bare, name)) << name;
    for (const char* name : {"Left", "Visible", "Enabled", "Hint", "OnMouseEnter"}) EXPECT_TRUE(has(bevel, name));
}

TEST_F(FormsTest, ModalResultsAreWrittenByName) {
    TForm form(nullptr);
    form.LoadFormText(
        "object F: TForm\n ModalResult = mrIgnore\n object B: TButton\n  ModalResult = mrRetry\n end\n"
        " object C: TButton\n  ModalResult = 7\n end\nend",
        "Rezultate");
    EXPECT_EQ(form.ModalResult(), 5);
    EXPECT_EQ(form.FindChild<TButton>("B")->ModalResult(), 4);
    EXPECT_EQ(form.FindChild<TButton>("C")->ModalResult(), 7) << "numbers still do";
}

// A page and the page derived from it that reuses its description and
// changes a little of it, as the upgrade copy page does with the copy page.
class TCopyPage : public TForm {
public:
    TCopyPage() : TForm(nullptr) {
        LoadFormText(R"(object Copy: TCopyPage
  Caption = 'Copiere'
  object LTitle: TLabel
    Caption = 'Copiere fisiere'
  end
  object BNext: TButton
    Caption = '&Continua'
    ModalResult = mrOk
  end
end)",
                     "TCopyPage");
    }
};

class TUpgradeCopyPage : public TCopyPage {
public:
    TUpgradeCopyPage() {
        LoadFormText(R"(inherited Copy: TUpgradeCopyPage
  Caption = 'Actualizare'
  inherited LTitle: TLabel
    Top = 40
  end
  object LOverwrite: TLabel
    Caption = 'Fisierele vechi sunt inlocuite'
  end
end)",
                     "TUpgradeCopyPage");
    }
};

TEST_F(FormsTest, DerivedDescriptionChangesTheBasePagesComponentsAndAddsItsOwn) {
    TUpgradeCopyPage page;
    EXPECT_EQ(page.Caption(), "Actualizare");
    ASSERT_EQ(page.ComponentCount(), 3);
    auto* title = page.FindChild<TLabel>("LTitle");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->Caption(), "Copiere fisiere") << "kept from the base";
    EXPECT_EQ(title->Top(), 40);
    EXPECT_EQ(page.FindChild<TButton>("BNext")->ModalResult(), mrOk);
    auto* added = page.FindChild<TLabel>("LOverwrite");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->Parent(), &page);
    EXPECT_FALSE(added->IsLoading() || title->IsLoading());
}

TEST_F(FormsTest, DescriptionIsReadOnlyIntoItsOwnClass) {
    struct Case {
        const char* text;
        const char* mentions;
    } cases[] = {
        {"object F: TButton\nend", "TButton"},
        {"object C: TCopyPage\nend", "TCopyPage"},
        {"inherited F: TForm\n inherited LMissing: TLabel\n end\nend", "LMissing"},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        try {
            form.LoadFormText(c.text, "Clasa");
            ADD_FAILURE() << c.text;
        } catch (const EFormError& e) {
            EXPECT_NE(std::string(e.what()).find(c.mentions), std::string::npos) << e.what();
        }
    }
    TCopyPage copy;
    EXPECT_THROW(copy.LoadFormText("inherited Copy: TCopyPage\n inherited BNext: TLabel\n end\nend", "Clasa"),
                 EFormError)
        << "an inherited component of another class";
    TForm base(nullptr);
    EXPECT_NO_THROW(base.LoadFormText("object F: TForm\nend", "Clasa"));
}

TEST_F(FormsTest, TimerFiresFromTheModalLoop) {
    TTestPage page;
    EndModalAfterTicks(page, 3, mrIgnore);
    EXPECT_EQ(page.ShowModal(), mrIgnore);
    EXPECT_EQ(page.ticks, 3);
}

TEST_F(FormsTest, TypingInAnEditRaisesOnChange) {
    TTestPage page;
    page.Handle();
    PostMessageA(page.RName->Handle(), WM_CHAR, 'x', 1);
    EndModalAfterTicks(page, 2, mrAbort);
    page.ShowModal();
    EXPECT_EQ(page.nameChanges, 1);
    EXPECT_NE(page.RName->Text().find('x'), std::string::npos);
}

}  // namespace
