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
#include "tests/support/screen_shots.h"
#include "pages/find_app_page.h"

#include "framework/application.h"
#include "framework/gdi.h"
#include "framework/graphics.h"
#include "core/settings.h"
#include "toolkit/mbutton.h"
#include "toolkit/toolkit_start.h"

#include <cstdio>
#include <string>

namespace {

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
        PlaceAsTheWizard(page);
        page.Show();
        Settle(400);
        SaveWindow(page.Handle(), folder + "find_app_before.bmp");
        SendMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
        Settle(400);
        SaveWindow(page.Handle(), folder + "find_app_found.bmp");
        page.Hide();
        // An alias without a folder: nothing to upgrade, and the page says so.
        TFindApp nothing(nullptr, "");
        nothing.SetLeft(page.Left());
        nothing.SetTop(page.Top());
        nothing.Show();
        Settle(400);
        SaveWindow(nothing.Handle(), folder + "find_app_nothing.bmp");
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
