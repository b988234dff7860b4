// A drive list and a folder tree list for folder pickers: choosing a drive
// moves the folder list to that drive; a double click (or Enter) on a folder
// opens it, on one of its parents goes back up.
#pragma once

#include "framework/stdctrls.h"

class TDriveComboBox;

class TDirectoryListBox : public TListBox {
    DECLARE_CLASS_INFO
public:
    explicit TDirectoryListBox(TComponent* owner);

    // "C:\" for a root, "C:\Folder\Sub" otherwise (no final backslash).
    std::string Directory() const { return directory_; }
    // A folder that does not exist opens its nearest existing parent; a drive
    // that cannot be read is an error.
    void SetDirectory(const std::string& path);
    char Drive() const { return directory_.empty() ? '\0' : directory_[0]; }
    void SetDrive(char letter);  // the drive's current folder
    // The folder that item index stands for.
    std::string ItemPath(int index) const;
    void OpenItem(int index);

    TNotifyEvent OnChange;

    void DblClick() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    void WndProc(TMessage& message) override;

protected:
    void Notification(TComponent* component, bool removing) override;

private:
    friend class TDriveComboBox;
    void Rebuild();

    TDriveComboBox* driveList_ = nullptr;  // not owned: the drive list that leads this one

    std::string directory_;
    std::vector<int> levels_;  // indentation level of each item
    int currentIndex_ = 0;     // the item of the open folder
    TCanvas itemCanvas_;
};

class TDriveComboBox : public TComboBox {
    DECLARE_CLASS_INFO
public:
    explicit TDriveComboBox(TComponent* owner);

    char Drive() const { return drive_; }
    void SetDrive(char letter);
    TDirectoryListBox* DirList() const { return dirList_; }
    void SetDirList(TDirectoryListBox* list);
    // The letters of the drives listed, in order.
    std::string DriveLetters() const;
    // Shows letter as chosen without moving the folder list (which moved first).
    void ShowDrive(char letter);

protected:
    void Select() override;
    void Notification(TComponent* component, bool removing) override;

private:
    void FillDrives();
    char drive_ = 'C';
    std::string letters_;
    TDirectoryListBox* dirList_ = nullptr;  // not owned
};
