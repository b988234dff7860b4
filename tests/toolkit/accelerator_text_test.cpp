#include "toolkit/accelerator_text.h"

#include <gtest/gtest.h>

TEST(AcceleratorText, TheCharacterAfterTheFirstAmpersandIsTheKey) {
    AcceleratorParts parts = SplitAccelerator("I&esire");
    EXPECT_EQ(parts.before, "I");
    EXPECT_EQ(parts.key, "e");
    EXPECT_EQ(parts.after, "sire");
    EXPECT_EQ(StripAccelerator("I&esire"), "Iesire");
    EXPECT_EQ(SplitAccelerator("&Da").key, "D");
    EXPECT_EQ(SplitAccelerator("O&K").after, "");
}

TEST(AcceleratorText, WithoutAmpersandThereIsNoKey) {
    AcceleratorParts parts = SplitAccelerator("Korven");
    EXPECT_EQ(parts.before, "Korven");
    EXPECT_TRUE(parts.key.empty());
    EXPECT_TRUE(SplitAccelerator("").key.empty());
}

TEST(AcceleratorText, ATrailingAmpersandMarksNothing) {
    AcceleratorParts parts = SplitAccelerator("Salvez&");
    EXPECT_EQ(parts.before, "Salvez");
    EXPECT_TRUE(parts.key.empty());
    EXPECT_TRUE(parts.after.empty());
    EXPECT_EQ(StripAccelerator("&"), "");
}

TEST(AcceleratorText, OnlyTheFirstAmpersandCounts) {
    AcceleratorParts parts = SplitAccelerator("&A&B");
    EXPECT_EQ(parts.key, "A");
    EXPECT_EQ(parts.after, "&B");
    EXPECT_EQ(SplitAccelerator("&&").key, "&");
}
