// What the page tests share: the toolkit started once, fresh settings for
// every test, and a modal showing with clicks that arrive as real messages
// once the page is on the screen.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/form.h"

class TDirDialog;
class TDirectoryListBox;

class PageTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Posts a click to each window in turn and shows the page modally; the
// clicks are handled by the page's own modal loop. Answers its result.
int ShowClicking(TForm& page, const std::vector<HWND>& clicks);

// Acts on the folder picker once it is up: a thread timer ticks inside its
// modal loop and hands the picker to `act`, which has to close it.
void WhenPickerOpens(std::function<void(TDirDialog&)> act);
// A double click on a folder of the picker's tree, as the mouse sends it.
void DoubleClick(TDirectoryListBox& list, int index);
// A click on the picker's button of that name.
void Press(TDirDialog& picker, const char* button);
