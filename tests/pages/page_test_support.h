// What the page tests share besides tests/support: the folder picker acted
// on once it is up.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/support/page_test.h"

class TDirDialog;
class TDirectoryListBox;

// Acts on the folder picker once it is up: a thread timer ticks inside its
// modal loop and hands the picker to `act`, which has to close it.
void WhenPickerOpens(std::function<void(TDirDialog&)> act);
// A double click on a folder of the picker's tree, as the mouse sends it.
void DoubleClick(TDirectoryListBox& list, int index);
// A click on the picker's button of that name.
void Press(TDirDialog& picker, const char* button);
