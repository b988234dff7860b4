// Enter and leave, as the real mouse pointer moves over windowed and
// graphic controls.
#include "test_page.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(100, 100, 300, 100);
        button->SetParent(&form);
        button->SetBounds(10, 10, 80, 30);
        for (TLabel* label : {left, right}) {
            label->SetParent(&form);
            label->SetAutoSize(false);
        }
        left->SetBounds(110, 10, 80, 30);
        right->SetBounds(190, 10, 80, 30);
        button->SetName("B");
        left->SetName("L1");
        right->SetName("L2");
        form.SetName("F");
        for (TControl* c : std::initializer_list<TControl*>{&form, button, left, right}) {
            c->OnMouseEnter = [this](TObject* s) { events[static_cast<TComponent*>(s)->Name()] += "+"; };
            c->OnMouseLeave = [this](TObject* s) { events[static_cast<TComponent*>(s)->Name()] += "-"; };
        }
        SetCursorPos(600, 500);
        form.Show();
        Settle();
        events.clear();
    }
    void TearDown() override { form.Hide(); }

    // Puts the pointer at a point of the form and lets the messages arrive,
    // until the control named `entered` has heard of it (on a busy machine
    // that may take a while).
    void MoveTo(int x, int y, const std::string& entered = "") {
        SetCursorPos(form.Left() + x, form.Top() + y);
        WaitFor(entered, '+');
    }
    // The system notices a leave by looking at the pointer from time to
    // time: away from every window, wait until the form has heard of it.
    void MoveAway() {
        SetCursorPos(600, 500);
        WaitFor("F", '-');
    }
    void WaitFor(const std::string& name, char last) {
        DWORD end = GetTickCount() + 2000;
        while (!name.empty() && GetTickCount() < end && (events[name].empty() || events[name].back() != last)) Settle();
        Settle();
    }
    static void Settle() {
        DWORD end = GetTickCount() + 100;
        while (GetTickCount() < end) {
            Application().ProcessMessages();
            Sleep(5);
        }
    }

    TForm form{nullptr};
    TButton* button = new TButton(&form);
    TLabel* left = new TLabel(&form);
    TLabel* right = new TLabel(&form);
    std::map<std::string, std::string> events;  // control name: "+" for each enter, "-" for each leave
};

TEST_F(MouseTest, PointerCrossingControlsEntersAndLeavesEachOnce) {
    MoveTo(50, 80, "F");  // the bare form
    MoveTo(50, 25, "B");  // the button: its own window, so the form is left
    MoveTo(150, 25, "L1");
    MoveTo(160, 20);  // a second move over the same label changes nothing
    MoveTo(230, 25, "L2");
    MoveAway();
    EXPECT_EQ(events["F"], "+-+-");
    EXPECT_EQ(events["B"], "+-");
    EXPECT_EQ(events["L1"], "+-");
    EXPECT_EQ(events["L2"], "+-");
}

TEST_F(MouseTest, GraphicControlFreedUnderTheMouseIsForgotten) {
    MoveTo(150, 25, "L1");
    delete left;
    MoveTo(230, 25, "L2");
    MoveAway();
    EXPECT_EQ(events["L1"], "+");
    EXPECT_EQ(events["L2"], "+-");
    EXPECT_EQ(events["F"], "+-");
}

}  // namespace
