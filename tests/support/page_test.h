// The fixture of tests that show the installer's pages and dialogs: the
// toolkit started once, fresh installation settings for every test, and a
// modal showing with clicks that arrive as real messages once the page is on
// the screen.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/form.h"

class PageTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Posts a click to each window in turn and shows the page modally; the
// clicks are handled by the page's own modal loop. Answers its result.
int ShowClicking(TForm& page, const std::vector<HWND>& clicks);
