// The demo application's programs as the installed application: started,
// seen, traced and closed like the real ones.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

fs::path BinFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

std::string ReadWholeFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct FoundWindow {
    DWORD processId;
    HWND window = nullptr;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<FoundWindow*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != found->processId || !IsWindowVisible(window)) return TRUE;
    found->window = window;
    return FALSE;
}

HWND WaitForWindow(DWORD processId) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        FoundWindow found{processId};
        EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&found));
        if (found.window) return found.window;
        Sleep(50);
    }
    return nullptr;
}

// The window as the screen shows it, as a 24-bit BMP for people to look at.
void SaveWindowPicture(HWND window, const fs::path& file) {
    RECT r;
    GetWindowRect(window, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    DWORD stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + stride * height;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), stride * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

class DemoProgram {
public:
    explicit DemoProgram(const std::string& commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = commandLine;
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process_) != 0;
    }
    ~DemoProgram() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    DemoProgram(const DemoProgram&) = delete;
    DemoProgram& operator=(const DemoProgram&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return process_.dwProcessId; }
    // Exit code, or -1 when it does not end in time.
    long WaitForExit() {
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

TEST(DemoApps, KorvenIsLargeEnoughToBeRecognisedAndTheOthersAreSmall) {
    EXPECT_GT(fs::file_size(BinFolder() / "KORVEN.EXE"), 1000000u);
    for (const char* name : {"OUTPOST.EXE", "UTILITY.EXE", "PAYROLL.EXE", "CFX32.OCX"}) {
        EXPECT_LT(fs::file_size(BinFolder() / name), 1000000u) << name;
    }
}

TEST(DemoApps, ProgramTracesItsStartAndClosesOnEscape) {
    fs::path trace = fs::temp_directory_path() / "korven_demo_trace.txt";
    fs::remove(trace);
    SetEnvironmentVariableA("KORVEN_TRACE", trace.string().c_str());
    DemoProgram korven("\"" + (BinFolder() / "KORVEN.EXE").string() + "\" /demo 1");
    SetEnvironmentVariableA("KORVEN_TRACE", nullptr);
    ASSERT_TRUE(korven.Started());
    HWND window = WaitForWindow(korven.Id());
    ASSERT_NE(window, nullptr);
    Sleep(300);
    SaveWindowPicture(window, KORVEN_SHOT_DIR "/korven_demo.bmp");
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(korven.WaitForExit(), 0);
    std::string line = ReadWholeFile(trace);
    EXPECT_EQ(line.rfind(std::to_string(korven.Id()) + " KORVEN ", 0), 0u) << line;
    EXPECT_NE(line.find("KORVEN.EXE\" /demo 1\r\n"), std::string::npos) << line;
    fs::remove(trace);
}

TEST(DemoApps, ProgramClosesByItsCloseBox) {
    SetEnvironmentVariableA("KORVEN_TRACE", nullptr);
    DemoProgram payroll("\"" + (BinFolder() / "PAYROLL.EXE").string() + "\"");
    ASSERT_TRUE(payroll.Started());
    HWND window = WaitForWindow(payroll.Id());
    ASSERT_NE(window, nullptr);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ(std::string(title), "PAYROLL (demonstrativ)");
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(payroll.WaitForExit(), 0);
}

}  // namespace
