// The installation search page before its search and after a search that
// found the program folder, each saved as the screen shows it, for people
// to look at:
//
//   pages_find_app_shot FOLDER   writes find_app_before.bmp,
//                                find_app_found.bmp and find_app_nothing.bmp
//                                (an alias without a folder) into FOLDER
//
// The program folder is named by the profile value AppPath, so no disk is
// walked; the value is put back afterwards.
#include "pages/find_app_page.h"

#include "framework/application.h"
#include "framework/gdi.h"
#include "framework/graphics.h"
#include "settings.h"
#include "toolkit/mbutton.h"
#include "toolkit/toolkit_start.h"

#include <cstdio>
#include <string>

namespace {

void Settle(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

void SaveWindow(TForm& form, const std::string& path) {
    Settle(400);
    RECT r;
    GetWindowRect(form.Handle(), &r);
    TBitmap shot;
    shot.SetSize(r.right - r.left, r.bottom - r.top);
    gdi::WindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
    shot.SaveToFile(path);
}

// A KORVEN.EXE large enough to count, in a folder of its own.
std::string MakeInstallation(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE file = CreateFileA((folder + "Korven.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 1'000'001;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "pages_find_app_shot FOLDER\n");
        return 2;
    }
    char former[1024];
    const bool hadValue = GetProfileStringA("Korven", "AppPath", "\x01", former, sizeof former) != 1 || former[0] != 1;
    int result = 0;
    try {
        const std::string folder = std::string(argv[1]) + "\\";
        CreateDirectoryA(argv[1], nullptr);
        StartToolkit();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        const std::string program = MakeInstallation(std::string(temp) + "WinKorv_shot\\");
        WriteProfileStringA("Korven", "AppPath", program.c_str());
        TFindApp page(nullptr, "C:\\WinKorv\\DATA\\");
        page.SetLeft((Screen().Width() - page.Width()) / 2);
        page.SetTop((Screen().Height() - page.Height()) / 9 * 8);
        page.Show();
        SaveWindow(page, folder + "find_app_before.bmp");
        SendMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
        SaveWindow(page, folder + "find_app_found.bmp");
        page.Hide();
        // An alias without a folder: nothing to upgrade, and the page says so.
        TFindApp nothing(nullptr, "");
        nothing.SetLeft(page.Left());
        nothing.SetTop(page.Top());
        nothing.Show();
        SaveWindow(nothing, folder + "find_app_nothing.bmp");
        nothing.Hide();
        DeleteFileA((program + "Korven.exe").c_str());
        RemoveDirectoryA(program.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pages_find_app_shot: %s\n", e.what());
        result = 1;
    }
    WriteProfileStringA("Korven", "AppPath", hadValue ? former : nullptr);
    return result;
}
