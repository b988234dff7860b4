// The drive list and the folder list against the prefix's drives and a real
// folder tree.
#include "framework/filectrls.h"
#include "framework/form.h"

#include <gtest/gtest.h>

namespace {

class FolderTree : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof(temp), temp);
        root = std::string(temp) + "korven_dirs_" + std::to_string(GetCurrentProcessId());
        for (const char* sub : {"", "\\Gama", "\\alfa", "\\alfa\\beta", "\\alfa\\beta\\delta"})
            CreateDirectoryA((root + sub).c_str(), nullptr);
        char full[MAX_PATH];
        GetFullPathNameA(root.c_str(), sizeof(full), full, nullptr);
        root = full;
    }
    void TearDown() override {
        for (const char* sub : {"\\alfa\\beta\\delta", "\\alfa\\beta", "\\alfa", "\\Gama", ""})
            RemoveDirectoryA((root + sub).c_str());
    }

    // A double click as the mouse sends it, on the middle of an item.
    static void DoubleClick(TDirectoryListBox& list, int index) {
        RECT r = list.ItemRect(index);
        LPARAM at = MAKELPARAM(r.left + 30, (r.top + r.bottom) / 2);
        HWND h = list.Handle();
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(h, WM_LBUTTONUP, 0, at);
        SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(h, WM_LBUTTONUP, 0, at);
    }

    std::string root;
};

TEST(DriveListTest, ListsThePrefixDrives) {
    TForm form(nullptr);
    TDriveComboBox drives(&form);
    drives.SetParent(&form);
    form.Handle();
    DWORD mask = GetLogicalDrives();
    std::string expected;
    for (int i = 0; i < 26; ++i)
        if (mask & (1u << i)) expected += static_cast<char>('A' + i);
    EXPECT_EQ(drives.DriveLetters(), expected);
    EXPECT_NE(expected.find('C'), std::string::npos);
    ASSERT_EQ(drives.Items().Count(), static_cast<int>(expected.size()));
    EXPECT_EQ(drives.Items()[static_cast<int>(expected.find('C'))].substr(0, 2), "c:");
    EXPECT_EQ(static_cast<int>(SendMessageA(drives.Handle(), CB_GETCOUNT, 0, 0)), drives.Items().Count());
}

TEST_F(FolderTree, ListShowsTheOpenFoldersAndTheSubfoldersSorted) {
    TForm form(nullptr);
    TDirectoryListBox list(&form);
    list.SetParent(&form);
    list.SetBounds(0, 0, 200, 300);
    list.SetDirectory(root + "\\");
    EXPECT_EQ(list.Directory(), root);
    const auto& items = list.Items();
    ASSERT_GE(items.Count(), 3);
    EXPECT_EQ(items[0], root.substr(0, 3));
    EXPECT_EQ(items[items.Count() - 2], "alfa");
    EXPECT_EQ(items[items.Count() - 1], "Gama") << "sorted without regard to case";
    EXPECT_EQ(list.ItemIndex(), items.Count() - 3) << "the open folder is selected";
}

TEST_F(FolderTree, DoubleClicksWalkDownAndBackUp) {
    TForm form(nullptr);
    TDirectoryListBox list(&form);
    list.SetParent(&form);
    list.SetBounds(0, 0, 200, 400);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.SetDirectory(root);
    form.Show();
    DoubleClick(list, list.Items().IndexOf("alfa"));
    EXPECT_EQ(list.Directory(), root + "\\alfa");
    DoubleClick(list, list.Items().IndexOf("beta"));
    EXPECT_EQ(list.Directory(), root + "\\alfa\\beta");
    EXPECT_EQ(list.Items()[list.Items().Count() - 1], "delta");
    // Up two levels: the item of the tree's own folder.
    int rootItem = list.ItemIndex() - 2;
    EXPECT_EQ(list.ItemPath(rootItem), root);
    DoubleClick(list, rootItem);
    EXPECT_EQ(list.Directory(), root);
    EXPECT_EQ(changes, 4);
    // The root of the drive, written with its backslash.
    DoubleClick(list, 0);
    EXPECT_EQ(list.Directory(), root.substr(0, 3));
    form.Hide();
}

TEST_F(FolderTree, MissingFolderOpensItsNearestParent) {
    TForm form(nullptr);
    TDirectoryListBox list(&form);
    list.SetDirectory(root + "\\alfa\\nu-exista\\nici-asta\\");
    EXPECT_EQ(list.Directory(), root + "\\alfa");
}

TEST_F(FolderTree, ChoosingADriveMovesTheLinkedFolderList) {
    TForm form(nullptr);
    auto* list = new TDirectoryListBox(&form);
    auto* drives = new TDriveComboBox(&form);
    list->SetParent(&form);
    drives->SetParent(&form);
    list->SetDirectory(root);
    drives->SetDirList(list);
    EXPECT_EQ(drives->Drive(), root[0]);
    form.Show();
    std::string letters = drives->DriveLetters();
    int other = -1;
    for (int i = 0; i < static_cast<int>(letters.size()) && other < 0; ++i)
        if (letters[i] != root[0] && GetDriveTypeA((std::string(1, letters[i]) + ":\\").c_str()) == DRIVE_FIXED)
            other = i;
    // Every Wine prefix has its Z: beside C:; a computer without a second
    // fixed drive cannot show what this test looks at, and says so.
    ASSERT_GE(other, 0) << "no second fixed drive beside " << root[0] << ": among " << letters;
    SendMessageA(drives->Handle(), CB_SETCURSEL, other, 0);
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives->Handle()));
    EXPECT_EQ(list->Drive(), letters[other]);
    EXPECT_EQ(drives->Drive(), letters[other]);
    list->SetDirectory(root);  // and back, led by the folder list this time
    EXPECT_EQ(drives->Drive(), root[0]);
    EXPECT_EQ(drives->ItemIndex(), static_cast<int>(letters.find(root[0])));
    delete list;
    EXPECT_EQ(drives->DirList(), nullptr);
    form.Hide();
}

}  // namespace
