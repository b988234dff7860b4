#include "framework/filectrls.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WithBackslash(const std::string& path) { return path.back() == '\\' ? path : path + "\\"; }

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof(buffer), buffer, nullptr);
    if (n == 0 || n >= sizeof(buffer)) throw std::runtime_error("cale gresita: " + path);
    std::string full(buffer, n);
    if (full.size() > 3 && full.back() == '\\') full.pop_back();
    if (full.size() >= 2 && full[1] == ':') full[0] = Upper(full[0]);
    return full;
}

std::string ParentOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos || path.size() <= 3) return path;
    return slash == 2 ? path.substr(0, 3) : path.substr(0, slash);
}

std::vector<std::string> SubFolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((WithBackslash(folder) + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end(), NameLess());
    return names;
}

// A small folder picture drawn with lines, open or closed.
void DrawFolder(TCanvas& canvas, int x, int y, bool open) {
    canvas.Pen().SetColor(clGray);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(open ? RGBColor(255, 230, 140) : RGBColor(240, 200, 80));
    canvas.Rectangle(x, y + 2, x + 6, y + 4);
    canvas.Rectangle(x, y + 3, x + 14, y + 12);
}

}  // namespace

const ClassInfo& TDirectoryListBox::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TDirectoryListBox>("TDirectoryListBox", &TListBox::StaticClass())
            .String("Directory", &TDirectoryListBox::SetDirectory, &TDirectoryListBox::Directory)
            .Event("OnChange", &TDirectoryListBox::OnChange)
            .Build();
    return info;
}

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TListBox(owner) {
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(16);
    SetDirectory(".");
}

void TDirectoryListBox::SetDirectory(const std::string& path) {
    std::string folder = FullPath(path.empty() ? std::string(".") : path);
    while (!IsFolder(folder)) {
        std::string parent = ParentOf(folder);
        if (parent == folder) throw std::runtime_error("Unitatea " + folder.substr(0, 2) + " nu este accesibila");
        folder = parent;
    }
    bool changed = !SameName(folder, directory_);
    directory_ = folder;
    Rebuild();
    if (driveList_ && driveList_->Drive() != Drive()) driveList_->ShowDrive(Drive());
    if (changed && OnChange && !IsLoading()) OnChange(this);
}

void TDirectoryListBox::SetDrive(char letter) {
    std::string drive = std::string(1, Upper(letter)) + ":";
    if (!IsFolder(drive + "\\")) throw std::runtime_error("Unitatea " + drive + " nu este pregatita");
    SetDirectory(drive);  // the drive's current folder
}

void TDirectoryListBox::Rebuild() {
    std::vector<std::string> names;
    levels_.clear();
    std::string root = directory_.substr(0, 3);
    names.push_back(root);
    levels_.push_back(0);
    size_t start = 3;
    while (start < directory_.size()) {
        size_t end = directory_.find('\\', start);
        if (end == std::string::npos) end = directory_.size();
        names.push_back(directory_.substr(start, end - start));
        levels_.push_back(static_cast<int>(levels_.size()));
        start = end + 1;
    }
    currentIndex_ = static_cast<int>(names.size()) - 1;
    for (const std::string& sub : SubFolders(directory_)) {
        names.push_back(sub);
        levels_.push_back(currentIndex_ + 1);
    }
    Items().Assign(names);
    SetItemIndex(currentIndex_);
}

std::string TDirectoryListBox::ItemPath(int index) const {
    if (index < 0 || index >= static_cast<int>(levels_.size())) return directory_;
    if (index > currentIndex_) return WithBackslash(directory_) + Items()[index];
    std::string path = directory_;
    for (int i = currentIndex_; i > index; --i) path = ParentOf(path);
    return path;
}

void TDirectoryListBox::Notification(TComponent* component, bool removing) {
    TListBox::Notification(component, removing);
    if (removing && component == driveList_) driveList_ = nullptr;
}

void TDirectoryListBox::OpenItem(int index) { SetDirectory(ItemPath(index)); }

void TDirectoryListBox::DblClick() {
    OpenItem(ItemIndex());
    TListBox::DblClick();
}

void TDirectoryListBox::KeyDown(WORD& key, TShiftState shift) {
    TListBox::KeyDown(key, shift);
    if (key == VK_RETURN) {
        OpenItem(ItemIndex());
        key = 0;
    }
}

void TDirectoryListBox::WndProc(TMessage& m) {
    TListBox::WndProc(m);
    // Enter opens the selected folder instead of pressing the default button.
    const auto* msg = reinterpret_cast<const MSG*>(m.LParam);
    if (m.Msg == WM_GETDLGCODE && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        m.Result |= DLGC_WANTMESSAGE;
}

bool TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return true;
    int index = static_cast<int>(item.itemID);
    bool selected = item.itemState & ODS_SELECTED;
    itemCanvas_.SetHandle(item.hDC);
    itemCanvas_.Font().Assign(Font());
    itemCanvas_.Brush().SetStyle(bsSolid);
    itemCanvas_.Brush().SetColor(selected ? clHighlight : Color());
    itemCanvas_.FillRect(item.rcItem);
    int level = index < static_cast<int>(levels_.size()) ? levels_[index] : 0;
    int x = item.rcItem.left + 2 + level * 10;
    int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - 14) / 2;
    DrawFolder(itemCanvas_, x, y, index <= currentIndex_);
    itemCanvas_.Brush().SetStyle(bsClear);
    itemCanvas_.Font().SetColor(selected ? clHighlightText : Font().Color());
    RECT text = item.rcItem;
    text.left = x + 18;
    if (index < Items().Count()) itemCanvas_.DrawText(Items()[index], text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    itemCanvas_.SetHandle(nullptr);
    return true;
}

// ---------------------------------------------------------------------------

const ClassInfo& TDriveComboBox::StaticClass() {
    static const ClassInfo info = ClassBuilder<TDriveComboBox>("TDriveComboBox", &TComboBox::StaticClass())
                                      .Reference("DirList", &TDriveComboBox::SetDirList)
                                      .Build();
    return info;
}

TDriveComboBox::TDriveComboBox(TComponent* owner) : TComboBox(owner) {
    SetStyle(csDropDownList);
    FillDrives();
    char current[MAX_PATH];
    if (GetCurrentDirectoryA(sizeof(current), current) && current[1] == ':') SetDrive(current[0]);
}

void TDriveComboBox::FillDrives() {
    std::vector<std::string> names;
    letters_.clear();
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        char letter = static_cast<char>('A' + i);
        std::string root = std::string(1, letter) + ":\\";
        std::string name = std::string(1, static_cast<char>('a' + i)) + ":";
        // Only local disks are asked for their label: a floppy or a network
        // drive may keep the user waiting.
        UINT type = GetDriveTypeA(root.c_str());
        char label[MAX_PATH] = "";
        if ((type == DRIVE_FIXED || type == DRIVE_RAMDISK) &&
            GetVolumeInformationA(root.c_str(), label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0) &&
            label[0])
            name += std::string(" [") + label + "]";
        names.push_back(name);
        letters_ += letter;
    }
    Items().Assign(names);
}

std::string TDriveComboBox::DriveLetters() const { return letters_; }

void TDriveComboBox::SetDrive(char letter) {
    letter = Upper(letter);
    size_t index = letters_.find(letter);
    if (index == std::string::npos) throw std::runtime_error(std::string("Unitatea ") + letter + ": nu exista");
    char previous = drive_;
    drive_ = letter;
    SetItemIndex(static_cast<int>(index));
    if (dirList_ && dirList_->Drive() != letter) {
        try {
            dirList_->SetDrive(letter);
        } catch (...) {
            drive_ = previous;  // the list stays where it was, and so does the choice
            SetItemIndex(static_cast<int>(letters_.find(previous)));
            throw;
        }
    }
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
    if (dirList_ && dirList_->driveList_ == this) dirList_->driveList_ = nullptr;
    dirList_ = list;
    if (!dirList_) return;
    dirList_->driveList_ = this;
    if (dirList_->Drive()) ShowDrive(dirList_->Drive());
}

void TDriveComboBox::ShowDrive(char letter) {
    size_t index = letters_.find(Upper(letter));
    if (index == std::string::npos) return;
    drive_ = Upper(letter);
    SetItemIndex(static_cast<int>(index));
}

void TDriveComboBox::Select() {
    int index = ItemIndex();
    if (index >= 0 && index < static_cast<int>(letters_.size())) SetDrive(letters_[index]);
    TComboBox::Select();
}

void TDriveComboBox::Notification(TComponent* component, bool removing) {
    TComboBox::Notification(component, removing);
    if (removing && component == dirList_) dirList_ = nullptr;
}
