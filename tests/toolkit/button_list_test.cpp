// The button list: growth, its index limit and what happens to freed buttons.
#include "toolkit/button_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

TEST(ButtonList, RemembersEachButtonsStateAndReadsPastTheEndAsNone) {
    TComponent a(nullptr), b(nullptr);
    TButtonList list;
    list.Add(&a, true);
    list.Add(&b, false);
    EXPECT_EQ(list.Button(0), &a);
    EXPECT_TRUE(list.WasEnabled(0));
    EXPECT_FALSE(list.WasEnabled(1));
    list.SetWasEnabled(1, true);
    EXPECT_TRUE(list.WasEnabled(1));

    EXPECT_EQ(list.Button(2), nullptr);
    EXPECT_FALSE(list.WasEnabled(2)) << "an index past the count reads as not enabled";
    EXPECT_EQ(list.Button(-1), nullptr);
    list.SetWasEnabled(5, true);  // ignored
    EXPECT_EQ(list.Count(), 2);
}

TEST(ButtonList, GrowsSixteenAtATimeAndRefusesIndexesAbove8192) {
    TComponent button(nullptr);
    TButtonList list;
    list.Add(&button, true);
    EXPECT_EQ(list.Capacity(), 16);
    for (int i = 1; i < 17; ++i) list.Add(&button, true);
    EXPECT_EQ(list.Capacity(), 32);
    for (int i = 17; i < 9000; ++i) list.Add(&button, true);
    EXPECT_EQ(list.Count(), 8193) << "entries 0 to 8192 only";
    EXPECT_EQ(list.Button(8192), &button);
    EXPECT_EQ(list.Button(8193), nullptr);
}

TEST(ButtonList, AFreedButtonLeavesTheList) {
    TComponent a(nullptr), b(nullptr);
    TButtonList list;
    list.Add(&a, false);
    list.Add(&b, true);
    list.Remove(&a);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Button(0), &b);
    EXPECT_TRUE(list.WasEnabled(0));
}

}  // namespace
