// Whole first installations from kits made by the kit builder, each in a
// Wine prefix of its own, driven from outside as a person would: the kit's
// INSTALL.EXE is started, the pages are answered with clicks, disks are
// changed when the program asks for them. Afterwards the test looks at what
// the person and the computer see: the files, the registry, WIN.INI,
// C:\CONFIG.SYS, the engine's aliases, the program group and the log.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "kit_run.h"
#include "core/installation_record.h"
#include "core/text.h"
#include "core/unique_handle.h"
#include "core/version.h"
#include "tests/support/record_check.h"
#include "ui_driver.h"

namespace fs = std::filesystem;

namespace {

const char* const LocalItem = " &LOCAL     - programul va fi folosit numai pe acest calculator";
const char* const ServerItem = " &SERVER  - acest calculator va contine baza de date";
const char* const ClientItem = " CLIEN&T    - programul va folosi o baza de date aflata la distanta";
const char* const TypeCaption = "Alegeti tipul instalarii!";
const char* const FoldersCaption = "Alegeti directoarele destinatie!";
const char* const CopyCaption = "Copiere fisiere Korven";
// The configuration page and the end page share their caption.
const char* const ConfigCaption = "Configurare sistem";
const char* const ProgramFolder = "C:\\WinKorv";
const char* const EngineFolder = "C:\\Program Files\\Borland\\Common Files\\BDE";
const char* const EngineKey = "Software\\Borland\\Database Engine";
const char* const Trace = "C:\\korven-trace.txt";
const char* const Log = "C:\\korvinst.log";
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WinKORVEN";

// Where each component's files land, by the folder the kit took them from.
enum class Lands { Program, Data, Engine };
struct Component {
    const char* name;
    Lands target;
    bool database;  // a client installs none of these
};
const Component Components[] = {
    {"EXE", Lands::Program, false},     {"OUTPOST", Lands::Program, false}, {"DBDAT", Lands::Data, true},
    {"DBNEW", Lands::Data, true},       {"BDE32", Lands::Engine, false},    {"HELP", Lands::Program, false},
    {"PAYROLL", Lands::Program, false},
};

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

std::string RegistryString(const char* key, const char* value) {
    char text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return "<none>";
    return text;
}

bool KeyExists(const char* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::string ProfileString(const char* file, const char* section, const char* key) {
    char text[1024] = {};
    GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, file);
    return text;
}

std::string WinIniString(const char* section, const char* key) {
    char text[1024] = {};
    GetProfileStringA(section, key, "<none>", text, sizeof text);
    return text;
}

std::string ProgramsMenu() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Every file below a folder with its bytes, to tell that nothing changed.
std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[entry.path().string()] = ReadWholeFile(entry.path().string());
    return files;
}

// Every folder below a folder.
std::vector<std::string> FoldersBelow(const std::string& folder) {
    std::vector<std::string> folders;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_directory()) folders.push_back(entry.path().string());
    std::sort(folders.begin(), folders.end());
    return folders;
}

// scripts/demo and scripts/bench run these scenarios on kits of their own
// and keep the pictures elsewhere.
std::string Setting(const char* variable, const std::string& otherwise) {
    char value[MAX_PATH] = {};
    if (GetEnvironmentVariableA(variable, value, sizeof value)) return value;
    return otherwise;
}

class Installation : public ::testing::Test {
protected:
    void SetUp() override {
        shots_ = Setting("KORVEN_SHOT_FOLDER", std::string(KORVEN_SHOT_DIR) + "\\install");
        DeleteFileA(Log);
        RemoveTree(ProgramFolder);
        MakeFolders(shots_);
        SetEnvironmentVariableA("KORVEN_TRACE", Trace);
        DeleteFileA(Trace);
    }

    void Shot(const std::string& name) const { ui::SaveScreen(shots_ + "\\" + name + ".bmp"); }

    // Starts the kit's INSTALL.EXE with the diagnostic log and answers the
    // work copy that it leaves running.
    WorkCopy Start(const std::string& kitFolder) {
        MakeFolders("C:\\korven-work");
        const KitRun kit = StartKit(kitFolder + "\\INSTALL.EXE", "-log -log", "C:\\korven-work");
        EXPECT_EQ(kit.exitCode, 0u);
        WorkCopy work = FindWorkCopy();
        EXPECT_NE(work.processId, 0u) << "no work copy started";
        return work;
    }

    // The type page and the folders page; a client names the server's data
    // folder, which must exist already.
    void ChooseTypeAndFolders(const WorkCopy& work, const char* item, const std::string& clientData = {}) {
        HWND type = ui::WaitForWindow(TypeCaption, work.processId);
        ASSERT_TRUE(type) << "no installation-type page";
        ui::Click(ui::Control(type, item));
        ui::Settle();
        ui::Click(ui::Control(type, "&Continua"));
        ASSERT_TRUE(ui::WaitGone(type));

        HWND folders = ui::WaitForWindow(FoldersCaption, work.processId);
        ASSERT_TRUE(folders) << "no folders page";
        if (!clientData.empty()) {
            ui::Click(ui::EditField(folders, 1));
            ui::TypeText(clientData);
            ui::Settle();
        }
        ui::Click(ui::Control(folders, "&Continua"));
        ASSERT_TRUE(ui::WaitGone(folders));
    }

    // Next on the copy page; the page works on its own until it closes.
    HWND StartCopying(const WorkCopy& work) {
        HWND copy = ui::WaitForWindow(CopyCaption, work.processId);
        EXPECT_TRUE(copy) << "no copy page";
        if (!copy) return nullptr;
        ui::Click(ui::Control(copy, "&Continua"));
        return copy;
    }

    // The configuration page's Next, then "Nu acum" on the end page.
    void ConfigureAndFinish(const WorkCopy& work) {
        HWND config = ui::WaitForWindow(ConfigCaption, work.processId, 120000);
        ASSERT_TRUE(config) << "no configuration page";
        ASSERT_TRUE(ui::Control(config, "&Continua")) << "the configuration page comes before the end page";
        Shot(TestName() + "_config_page");
        ui::Click(ui::Control(config, "&Continua"));
        ASSERT_TRUE(ui::WaitGone(config, 120000));
        HWND end = ui::WaitForWindow(ConfigCaption, work.processId);
        ASSERT_TRUE(end) << "no end page";
        ASSERT_TRUE(ui::Control(end, "Nu &acum"));
        // Wine's shell opens the new group in a window of its own, a moment
        // later; a click while that window comes up would be lost.
        ui::WaitForWindow("WinKORVEN", 0, 10000);
        ui::Settle();
        Shot(TestName() + "_end_page");
        ui::Click(ui::Control(end, "Nu &acum"));
        EXPECT_EQ(work.WaitForExit(), 0u);
    }

    // A whole installation from a one-folder kit.
    void Install(const std::string& kit, const char* item, const std::string& clientData = {}, bool shots = false) {
        WorkCopy work = Start(kit);
        ASSERT_NE(work.processId, 0u);
        ChooseTypeAndFolders(work, item, clientData);
        HWND copy = StartCopying(work);
        ASSERT_TRUE(copy);
        const DWORD copyStarted = GetTickCount();
        if (shots) {
            // The large help archive keeps the gauges moving for a moment.
            ui::Settle(300);
            Shot("copy_page");
        }
        ASSERT_TRUE(ui::WaitGone(copy, 120000)) << "the copy page did not finish";
        ASSERT_TRUE(ui::WaitForWindow(ConfigCaption, work.processId, 120000));
        ReportCopyTime(GetTickCount() - copyStarted);
        ConfigureAndFinish(work);
    }

    // scripts/bench asks for the copy page's time through the environment.
    static void ReportCopyTime(DWORD milliseconds) {
        char file[MAX_PATH] = {};
        if (!GetEnvironmentVariableA("KORVEN_BENCH_FILE", file, sizeof file)) return;
        WriteWholeFile(file, "copy_page_ms " + std::to_string(milliseconds) + "\n");
    }

    // Every file the kit took from the component's folder, byte for byte
    // where the component put it. The engine's registration file is
    // rewritten on purpose and checked on its own.
    static void ExpectInstalled(const Component& component, const std::string& dataFolder) {
        const fs::path source = fs::path(KORVEN_KIT_STAGE) / component.name;
        const std::string target = component.target == Lands::Program ? ProgramFolder
                                   : component.target == Lands::Data  ? dataFolder
                                                                      : EngineFolder;
        int files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(source)) {
            if (!entry.is_regular_file()) continue;
            const std::string relative = fs::relative(entry.path(), source).string();
            if (_stricmp(relative.c_str(), "bde.reg") == 0) continue;
            const std::string installed = target + "\\" + relative;
            ++files;
            ASSERT_TRUE(PathExists(installed)) << installed;
            EXPECT_TRUE(ReadWholeFile(installed) == ReadWholeFile(entry.path().string()))
                << installed << " differs from its source";
        }
        EXPECT_GT(files, 0) << component.name;
    }

    static void ExpectNoAssembledArchives() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((std::string(ProgramFolder) + "\\*.ZIP").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "an archive was left: " << found.cFileName;
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }

    static void ExpectAliasesUnder(const std::string& dataFolder) {
        const std::string store = RegistryString(EngineKey, "CONFIGFILE01");
        ASSERT_TRUE(PathExists(store)) << "alias store " << store;
        EXPECT_EQ(ProfileString(store.c_str(), "KORVENALIAS", "PATH"), dataFolder + "\\NEW\\DATA");
        EXPECT_EQ(ProfileString(store.c_str(), "FIRMAALIAS", "PATH"), dataFolder + "\\NEW\\FIRMA");
        EXPECT_EQ(ProfileString(store.c_str(), "LUNAALIAS", "PATH"), dataFolder + "\\NEW\\LUNA");
        EXPECT_EQ(ProfileString(store.c_str(), "KORVEN", "PATH"), dataFolder + "\\DATA");
        EXPECT_EQ(ProfileString(store.c_str(), "KORVEN", "TYPE"), "PARADOX");
    }

    // What every finished installation leaves on the computer.
    static void ExpectConfigured(const std::string& dataFolder) {
        EXPECT_EQ(RegistryString(EngineKey, "DLLPATH"), EngineFolder);
        EXPECT_TRUE(KeyExists("Software\\Borland\\BLW32"));
        ExpectAliasesUnder(dataFolder);
        EXPECT_EQ(WinIniString("Korven", "LastUser"), "Master");
        const std::vector<std::string> config = Lines(ReadWholeFile("C:\\CONFIG.SYS"));
        EXPECT_NE(std::find(config.begin(), config.end(), "FILES=255"), config.end());

        const std::vector<std::string> trace = Lines(ReadWholeFile(Trace));
        auto hhupd = std::find_if(trace.begin(), trace.end(), [](auto& l) { return Contains(l, "HHUPD.EXE /Q"); });
        auto tregsvr = std::find_if(trace.begin(), trace.end(),
                                    [](auto& l) { return Contains(l, "TREGSVR.EXE -Q C:\\WinKorv\\CFX32.OCX"); });
        EXPECT_NE(hhupd, trace.end()) << "HHUPD.EXE did not run";
        EXPECT_NE(tregsvr, trace.end()) << "TREGSVR.EXE did not run";
        EXPECT_LT(hhupd, tregsvr) << "the tools ran out of order";

        const std::string group = ProgramsMenu() + "\\WinKORVEN";
        for (const char* item : {"Korven", "Utility", "Outpost", "Payroll"})
            EXPECT_TRUE(PathExists(group + "\\" + item + ".lnk")) << "no item " << item << " in " << group;

        const std::string log = ReadWholeFile(Log);
        for (const char* section : {"DoConfigBDE", "DoConfigConfigSys", "DoConfigGroup"}) {
            EXPECT_TRUE(Contains(log, std::string("BEGIN => ") + section)) << section;
            EXPECT_TRUE(Contains(log, std::string("END <- ") + section)) << section;
        }
        ExpectNoAssembledArchives();
    }

    // Every file the kit brought, where its component put it: the demo
    // kit's and the large help file the test kits add.
    static std::set<std::string> KitFilesInstalled(const std::string& dataFolder) {
        std::set<std::string> files;
        const auto add = [&files](const fs::path& source, const std::string& target) {
            for (const auto& entry : fs::recursive_directory_iterator(source))
                if (entry.is_regular_file())
                    files.insert(UpperAscii(target + "\\" + fs::relative(entry.path(), source).string()));
        };
        for (const Component& component : Components) {
            add(fs::path(KORVEN_KIT_STAGE) / component.name, component.target == Lands::Program ? ProgramFolder
                                                             : component.target == Lands::Data  ? dataFolder
                                                                                                : EngineFolder);
        }
        add(fs::path(KORVEN_KITS) / "extra" / "HELP", ProgramFolder);
        return files;
    }

    static std::string Joined(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        return text;
    }

    static std::optional<DWORD> EntryNumber(const char* name) {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, UninstallKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }

    // The record lists every installed file as it is on the disk, the
    // uninstaller is the kit's installer, and KORVEN is in the list of
    // installed programs with every value, each as it should be.
    static void ExpectRecordedAndRemovable(const std::string& kit, const std::string& dataFolder) {
        std::string problem;
        const std::optional<InstallationRecord> record = ReadInstallationRecord(ProgramFolder, &problem);
        ASSERT_TRUE(record) << problem;
        const std::set<std::string> installed = KitFilesInstalled(dataFolder);
        EXPECT_EQ(Joined(RecordProblems(*record, installed)), "");
        EXPECT_EQ(record->kitVersion, KORVEN_VERSION_TEXT);
        EXPECT_EQ(record->engine, EngineUse::Registered);
        EXPECT_EQ(record->aliases.size(), 4u);
        EXPECT_EQ(record->group, "WinKORVEN");
        EXPECT_EQ(record->items.size(), 4u);

        const std::string uninstaller = std::string(ProgramFolder) + "\\DEZINST.EXE";
        EXPECT_TRUE(ReadWholeFile(uninstaller) == ReadWholeFile(kit + "\\INSTALL.EXE"))
            << "the uninstaller is not the kit's installer";

        std::uint64_t bytes = 0;
        for (const std::string& file : installed) bytes += fs::file_size(file);
        SYSTEMTIME now;
        GetLocalTime(&now);
        char today[16];
        std::snprintf(today, sizeof today, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
        EXPECT_EQ(RegistryString(UninstallKey, "DisplayName"), "KORVEN");
        EXPECT_EQ(RegistryString(UninstallKey, "DisplayVersion"), KORVEN_VERSION_TEXT);
        EXPECT_EQ(RegistryString(UninstallKey, "Publisher"), "KORVEN");
        EXPECT_EQ(RegistryString(UninstallKey, "InstallLocation"), ProgramFolder);
        EXPECT_EQ(RegistryString(UninstallKey, "InstallDate"), today);
        EXPECT_EQ(EntryNumber("EstimatedSize"), (bytes + 1023) / 1024);
        EXPECT_EQ(RegistryString(UninstallKey, "DisplayIcon"), "C:\\WinKorv\\KORVEN.EXE,0");
        EXPECT_EQ(RegistryString(UninstallKey, "UninstallString"), "\"C:\\WinKorv\\DEZINST.EXE\" /UNINSTALL");
        EXPECT_EQ(RegistryString(UninstallKey, "QuietUninstallString"),
                  "\"C:\\WinKorv\\DEZINST.EXE\" /UNINSTALL /UNATTENDED");
        EXPECT_EQ(EntryNumber("NoModify"), 1u);
        EXPECT_EQ(EntryNumber("NoRepair"), 1u);

        const std::string log = ReadWholeFile(Log);
        for (const char* section : {"WriteInstallationRecord", "PlaceUninstaller", "WriteUninstallEntry"})
            EXPECT_TRUE(Contains(log, std::string("END <- ") + section)) << section;
    }

    static void ExpectNothingConfigured() {
        EXPECT_FALSE(KeyExists("Software\\Borland\\BLW32"));
        EXPECT_EQ(WinIniString("Korven", "LastUser"), "<none>");
        EXPECT_FALSE(Contains(ReadWholeFile("C:\\CONFIG.SYS"), "FILES=255"));
        EXPECT_FALSE(PathExists(ProgramsMenu() + "\\WinKORVEN"));
        EXPECT_FALSE(PathExists(Trace)) << "an outside tool ran";
    }

    // Points drive A: at disk n of the floppy kit, as a person changes the
    // floppy.
    static void InsertDisk(int number) {
        InsertFloppy(Setting("KORVEN_KIT_DISKS", std::string(KORVEN_KITS_UNIX) + "/disks") + "/DISK" +
                     std::to_string(number));
    }

    // Points drive A: at a folder, named as the host names it.
    static void InsertFloppy(const std::string& disk) {
        const std::string prefix = FreshPrefix();
        std::string command = "Z:\\bin\\ln -sfn \"" + disk + "\" \"" + prefix + "/dosdevices/a:\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(
            CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            << command;
        WaitForSingleObject(info.hProcess, 10000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
        // Wine caches what it knows of a drive for a moment.
        ui::Settle(1000);
    }

    // The prefix this test runs in, as the host names it.
    static std::string FreshPrefix() {
        char prefix[MAX_PATH] = {};
        GetEnvironmentVariableA("KORVEN_FRESH_PREFIX", prefix, sizeof prefix);
        return prefix;
    }

    std::string shots_;
};

std::string FolderKit() { return Setting("KORVEN_KIT_FOLDER", std::string(KORVEN_KITS) + "\\folder"); }

TEST_F(Installation, LocalFromOneFolderKit) {
    // The prefix as Wine's set-up made it: its leftover of the engine's
    // settings is there, an installed engine is not.
    ASSERT_TRUE(KeyExists("Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT"));
    ASSERT_FALSE(KeyExists("Software\\Borland\\BLW32"));
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem, {}, true));
    for (const Component& component : Components) ExpectInstalled(component, ProgramFolder);
    const std::string registration = ReadWholeFile(std::string(EngineFolder) + "\\bde.reg");
    EXPECT_FALSE(Contains(registration, "$ProgDir$"));
    EXPECT_TRUE(Contains(registration, "C:\\\\Program Files\\\\Borland"));
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "1");
    ExpectConfigured(ProgramFolder);
    ExpectRecordedAndRemovable(FolderKit(), ProgramFolder);
}

TEST_F(Installation, ServerHoldsTheDatabase) {
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), ServerItem));
    for (const Component& component : Components) ExpectInstalled(component, ProgramFolder);
    ExpectConfigured(ProgramFolder);
}

TEST_F(Installation, ClientInstallsNoDatabase) {
    const std::string server = "C:\\Server\\Korven";
    MakeFolders(server);
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), ClientItem, server));
    for (const Component& component : Components)
        if (!component.database) ExpectInstalled(component, server);
    EXPECT_FALSE(PathExists(server + "\\DATA")) << "a client copied the sample database";
    EXPECT_FALSE(PathExists(server + "\\NEW")) << "a client copied the blank database";
    ExpectConfigured(server);
}

// KORVEN removed by hand, the customer's database left in its folder: a new
// first installation keeps every file of it and brings only what is missing.
TEST_F(Installation, AFirstInstallationKeepsTheCustomersDatabase) {
    MakeFolders(std::string(ProgramFolder) + "\\DATA");
    WriteWholeFile(std::string(ProgramFolder) + "\\DATA\\CLIENTI.DB", "datele clientului");
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
    EXPECT_EQ(ReadWholeFile(std::string(ProgramFolder) + "\\DATA\\CLIENTI.DB"), "datele clientului");
    EXPECT_EQ(ReadWholeFile(std::string(ProgramFolder) + "\\DATA\\FACTURI.DB"),
              ReadWholeFile(std::string(KORVEN_KIT_STAGE) + "\\DBDAT\\DATA\\FACTURI.DB"))
        << "a missing file of the database was not brought";
    EXPECT_TRUE(Contains(ReadWholeFile(Log), "Fisierul clientului ramane neschimbat: C:\\WinKorv\\DATA\\CLIENTI.DB"));
    ExpectConfigured(ProgramFolder);
}

TEST_F(Installation, SecondInstallationKeepsTheEngine) {
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
    ASSERT_EQ(RegistryString(EngineKey, "UseCount"), "1");
    // A file of the engine that a second installation must not replace.
    const std::string engineFile = std::string(EngineFolder) + "\\IDAPI32.DLL";
    const std::string engine = ReadWholeFile(engineFile);
    WriteWholeFile(std::string(EngineFolder) + "\\KEEP.ME", "kept");
    // KORVEN itself removed, the engine left for the other programs that use
    // it: a new installation, not an upgrade, since the alias no longer opens.
    RemoveTree(ProgramFolder);

    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "2");
    EXPECT_EQ(ReadWholeFile(engineFile), engine);
    EXPECT_TRUE(PathExists(std::string(EngineFolder) + "\\KEEP.ME"));
    ExpectConfigured(ProgramFolder);
}

// The floppy kit: disk 1 is in drive A: when the kit starts; the others go
// in when the copy page asks for them.
class FloppyInstallation : public Installation {
protected:
    // A LOCAL installation from the floppy kit, disk 1 in the drive at the
    // start: each dialog of the copy page goes to `answer`, until the page
    // closes; then the installation is configured and checked whole.
    void InstallFromFloppies(const std::function<void(HWND dialog, const ShownDialog& shown)>& answer) {
        InsertDisk(1);
        WorkCopy work = Start("A:");
        ASSERT_NE(work.processId, 0u);
        ChooseTypeAndFolders(work, LocalItem);
        HWND copy = StartCopying(work);
        ASSERT_TRUE(copy);
        for (const DWORD start = GetTickCount(); IsWindowVisible(copy) && GetTickCount() - start < 120000;) {
            HWND dialog = WaitForMessageDialog(work.processId, 200);
            if (!dialog) continue;
            ASSERT_NO_FATAL_FAILURE(answer(dialog, ReadDialog(dialog)));
            ASSERT_TRUE(ui::WaitGone(dialog));
        }
        ASSERT_TRUE(ui::WaitGone(copy, 120000));
        ConfigureAndFinish(work);
        for (const Component& component : Components) ExpectInstalled(component, ProgramFolder);
        ExpectConfigured(ProgramFolder);
    }

    // The disk a prompt asks for.
    static int AskedDisk(const ShownDialog& prompt) {
        EXPECT_TRUE(Contains(prompt.text, "introdu discul de instalare cu numarul")) << prompt.text;
        return prompt.text.back() - '0';
    }

    void InstallOverABadDisk2(const std::string& spoilt);
};

TEST_F(FloppyInstallation, DisksAreChangedWhenAsked) {
    int disks = 1;
    // Each prompt is answered after the disk it names is in the drive.
    InstallFromFloppies([&](HWND prompt, const ShownDialog& shown) {
        const int number = AskedDisk(shown);
        EXPECT_EQ(number, disks + 1) << "disks are asked for in order";
        EXPECT_TRUE(Contains(shown.text, "PENTRU CONTINUARE,")) << shown.text;
        if (disks == 1) Shot("disk_prompt");
        InsertDisk(number);
        ui::Click(ui::Control(prompt, "O&K"));
        disks = number;
    });
    if (Setting("KORVEN_KIT_DISKS", "").empty()) {
        EXPECT_GE(disks, 3) << "the test kit spans at least three disks";
    }
}

// Disk 2 comes back from a bad floppy spoiled (`spoilt` is the folder
// holding it): the piece is found at that disk; the person puts a good
// disk 2 in, chooses Reincearca, and the installation completes.
void FloppyInstallation::InstallOverABadDisk2(const std::string& spoilt) {
    const std::string piece = ReadWholeFile(std::string(KORVEN_KITS) + "\\bad-disk2-piece.txt");
    ASSERT_FALSE(piece.empty());
    int damaged = 0;
    InstallFromFloppies([&](HWND dialog, const ShownDialog& shown) {
        if (Contains(shown.text, "este deteriorat")) {
            ++damaged;
            EXPECT_TRUE(Contains(shown.text, "Fisierul " + piece + " de pe discul de instalare nr. 2")) << shown.text;
            Shot(TestName() + "_damaged");
            InsertDisk(2);
            ASSERT_TRUE(ui::Control(dialog, "&Reincearca")) << shown.buttons;
            ui::Click(ui::Control(dialog, "&Reincearca"));
            return;
        }
        const int number = AskedDisk(shown);
        if (number == 2 && damaged == 0) {
            InsertFloppy(std::string(KORVEN_KITS_UNIX) + "/" + spoilt);
        } else {
            InsertDisk(number);
        }
        ui::Click(ui::Control(dialog, "O&K"));
    });
    EXPECT_EQ(damaged, 1) << "the spoilt piece was not found at its disk";
}

TEST_F(FloppyInstallation, AChangedByteOnDisk2IsFoundThereAndRetriedFromAGoodDisk) {
    InstallOverABadDisk2("bad-disk2-flipped");
}

TEST_F(FloppyInstallation, APieceOneByteShortOnDisk2IsFoundThereAndRetriedFromAGoodDisk) {
    InstallOverABadDisk2("bad-disk2-short");
}

TEST_F(FloppyInstallation, CancelAtTheDiskPromptConfiguresNothing) {
    InsertDisk(1);
    WorkCopy work = Start("A:");
    ASSERT_NE(work.processId, 0u);
    ChooseTypeAndFolders(work, LocalItem);
    ASSERT_TRUE(StartCopying(work));
    HWND prompt = WaitForMessageDialog(work.processId, 60000);
    ASSERT_TRUE(prompt) << "no disk prompt";
    ui::Click(ui::Control(prompt, "&Renunt"));
    EXPECT_EQ(work.WaitForExit(), 0u);
    EXPECT_FALSE(ui::FindWindowNow(ConfigCaption, work.processId));
    ExpectNothingConfigured();
}

// The person had notes in C:\\WinKorv before installing into it, and gives
// up at the disk 2 prompt: the folder is as it was, with no archive left.
TEST_F(FloppyInstallation, AbandonedAtTheDiskPromptLeavesTheProgramFolderAsItWas) {
    MakeFolders(std::string(ProgramFolder) + "\\SCRISORI");
    WriteWholeFile(std::string(ProgramFolder) + "\\NOTE.TXT", "notele mele despre instalare");
    WriteWholeFile(std::string(ProgramFolder) + "\\SCRISORI\\CERERE.DOC", "o cerere");
    const std::map<std::string, std::string> before = FilesBelow(ProgramFolder);
    const std::vector<std::string> foldersBefore = FoldersBelow(ProgramFolder);
    InsertDisk(1);
    WorkCopy work = Start("A:");
    ASSERT_NE(work.processId, 0u);
    ChooseTypeAndFolders(work, LocalItem);
    ASSERT_TRUE(StartCopying(work));
    HWND prompt = WaitForMessageDialog(work.processId, 60000);
    ASSERT_TRUE(prompt) << "no disk prompt";
    const ShownDialog shown = ReadDialog(prompt);
    EXPECT_TRUE(Contains(shown.text, "introdu discul de instalare cu numarul")) << shown.text;
    EXPECT_EQ(shown.text.back(), '2') << "disk 1 is in the drive";
    Shot(TestName() + "_disk_prompt");
    ui::Click(ui::Control(prompt, "&Renunt"));
    EXPECT_EQ(work.WaitForExit(), 0u);
    EXPECT_FALSE(ui::FindWindowNow(ConfigCaption, work.processId));

    EXPECT_TRUE(FilesBelow(ProgramFolder) == before) << "a file was added, removed or changed";
    EXPECT_EQ(FoldersBelow(ProgramFolder), foldersBefore);
    for (const auto& [path, bytes] : FilesBelow(ProgramFolder))
        EXPECT_NE(_stricmp(fs::path(path).extension().string().c_str(), ".zip"), 0) << "an archive was left: " << path;
    ExpectNothingConfigured();
}

// A kit whose pieces lie in one folder, several to an archive; the test
// spoils the last piece of one archive.
class DamagedKit : public Installation {
protected:
    void SetUp() override {
        Installation::SetUp();
        kit_ = "C:\\damaged-kit";
        MakeFolders(kit_);
        for (const auto& disk : fs::directory_iterator(std::string(KORVEN_KITS) + "\\disks"))
            for (const auto& file : fs::directory_iterator(disk.path()))
                CopyFileA(file.path().string().c_str(), (kit_ + "\\" + file.path().filename().string()).c_str(), FALSE);
        for (int disk = 2; disk < 10; ++disk) DeleteFileA((kit_ + "\\DISK" + std::to_string(disk)).c_str());
        WriteWholeFile(kit_ + "\\INSTALL.CFG", "[General]\r\nNrDiscuri=1\r\n");
        // The last piece of the largest archive.
        for (int piece = 9; piece > 1 && lastPiece_.empty(); --piece)
            if (PathExists(kit_ + "\\HELP." + std::to_string(piece)))
                lastPiece_ = kit_ + "\\HELP." + std::to_string(piece);
        ASSERT_FALSE(lastPiece_.empty()) << "the help archive lies in one piece";
    }

    // Runs the kit up to the copy page's error, which must name the
    // component, and abandons there.
    void AbandonAtTheError() {
        WorkCopy work = Start(kit_);
        ASSERT_NE(work.processId, 0u);
        ChooseTypeAndFolders(work, LocalItem);
        ASSERT_TRUE(StartCopying(work));
        HWND error = WaitForMessageDialog(work.processId, 120000);
        ASSERT_TRUE(error) << "the damage went unreported";
        const ShownDialog shown = ReadDialog(error);
        EXPECT_TRUE(Contains(shown.text, "Help Winkorven")) << shown.text;
        Shot(TestName() + "_error");
        // "Nu": do not go on past the damage.
        ASSERT_TRUE(ui::Control(error, "&Nu")) << shown.buttons;
        ui::Click(ui::Control(error, "&Nu"));
        EXPECT_EQ(work.WaitForExit(60000), 0u);
        EXPECT_FALSE(ui::FindWindowNow(ConfigCaption, work.processId)) << "no success after an abandoned copy";
        ExpectNothingConfigured();
    }

    std::string kit_, lastPiece_;
};

TEST_F(DamagedKit, MissingLastPieceNamesTheComponent) {
    DeleteFileA(lastPiece_.c_str());
    AbandonAtTheError();
}

TEST_F(DamagedKit, FlippedByteInTheLastPieceNamesTheComponent) {
    std::string bytes = ReadWholeFile(lastPiece_);
    ASSERT_GT(bytes.size(), 200u);
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x20);
    WriteWholeFile(lastPiece_, bytes);
    AbandonAtTheError();
}

}  // namespace

namespace {

const char* const FindCaption = "Apasati 'Continua' pentru a localiza aplicatia!";
const char* const UpgradeDataCaption = "Actualizare baza de date";
const char* const ServerQuestionCaption = "UPGRADE baza de date SERVER ?";

// A newer kit started on a computer where KORVEN is installed: the search
// page, the upgrade copy, the database upgrade (unless a client declines
// it), the end page.
class Upgrade : public Installation {
protected:
    static std::string NewerKit() { return std::string(KORVEN_KITS) + "\\newer"; }
    static std::string NewerStage(const std::string& relative) {
        return std::string(KORVEN_KITS) + "\\newer-stage\\" + relative;
    }

    // The search page: the first Next searches, the second goes on.
    void FindTheInstallation(const WorkCopy& work, const std::string& expectedFolder, bool client = false) {
        HWND find = ui::WaitForWindow(FindCaption, work.processId);
        ASSERT_TRUE(find) << "no installation search page";
        Shot(TestName() + "_find_before");
        ui::Click(ui::Control(find, "&Continua"));
        for (int wait = 0; wait < 100 && ui::Text(ui::EditField(find, 0)).empty(); ++wait) ui::Settle(100);
        ui::Settle();
        Shot(TestName() + "_find_after");
        EXPECT_EQ(ui::Text(ui::EditField(find, 0)), expectedFolder);
        if (client) {
            EXPECT_EQ(ui::Text(ui::EditField(find, 1)), "Am detectat o instalare client");
        }
        ASSERT_TRUE(IsWindowEnabled(ui::Control(find, "&Continua"))) << "the installation was not found";
        ui::Click(ui::Control(find, "&Continua"));
        ASSERT_TRUE(ui::WaitGone(find));
    }

    void CopyNewerFiles(const WorkCopy& work) {
        HWND copy = StartCopying(work);
        ASSERT_TRUE(copy) << "no upgrade copy page";
        ASSERT_TRUE(ui::WaitGone(copy, 120000)) << "the upgrade copy did not finish";
    }

    void UpgradeTheDatabase(const WorkCopy& work) {
        HWND data = ui::WaitForWindow(UpgradeDataCaption, work.processId);
        ASSERT_TRUE(data) << "no database upgrade page";
        ui::Click(ui::Control(data, "&Continua"));
        // The library reports with pauses: the page is caught at work.
        ui::Settle(300);
        Shot(TestName() + "_upgrade_data");
        ASSERT_TRUE(ui::WaitGone(data, 120000)) << "the database upgrade did not finish";
    }

    void LeaveFromTheEndPage(const WorkCopy& work) {
        HWND end = ui::WaitForWindow(ConfigCaption, work.processId);
        ASSERT_TRUE(end) << "no end page";
        ASSERT_TRUE(ui::Control(end, "Nu &acum")) << "the configuration page came instead of the end page";
        ui::Click(ui::Control(end, "Nu &acum"));
        EXPECT_EQ(work.WaitForExit(), 0u);
    }

    // What the customer has and an upgrade must keep: the data and the
    // engine library in use.
    static void MarkTheCustomersFiles(const std::string& dataFolder) {
        WriteWholeFile(dataFolder + "\\DATA\\CLIENTI.DB", "datele clientului");
        WriteWholeFile(std::string(ProgramFolder) + "\\IDAPI32.DLL", "biblioteca in folosinta");
    }

    static void ExpectNewerFilesAndKeptData(const std::string& dataFolder) {
        EXPECT_EQ(ReadWholeFile(dataFolder + "\\DATA\\CLIENTI.DB"), "datele clientului") << "data overwritten";
        EXPECT_EQ(ReadWholeFile(std::string(ProgramFolder) + "\\IDAPI32.DLL"), "biblioteca in folosinta");
        EXPECT_EQ(ReadWholeFile(dataFolder + "\\NEW\\DATA\\CLIENTI.DB"),
                  ReadWholeFile(NewerStage("DBNEW\\NEW\\DATA\\CLIENTI.DB")));
        for (const char* file : {"CFX32.OCX", "NOUTATI.TXT"})
            EXPECT_EQ(ReadWholeFile(std::string(ProgramFolder) + "\\" + file),
                      ReadWholeFile(NewerStage(std::string("EXE\\") + file)))
                << file;
        EXPECT_EQ(ReadWholeFile(std::string(ProgramFolder) + "\\KORVEN.HLP"),
                  ReadWholeFile(NewerStage("HELP\\KORVEN.HLP")));
        ExpectNoAssembledArchives();
    }

    static std::string HeldProgram() { return std::string(ProgramFolder) + "\\KORVEN.EXE"; }

    // Kit A installed with the customer's files, its KORVEN.EXE held open as
    // KORVEN running on this computer, or on a client, holds it.
    void InstallAndHoldTheProgram() {
        ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
        MarkTheCustomersFiles(ProgramFolder);
        holder_ = UniqueHandle(
            CreateFileA(HeldProgram().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder_.valid());
    }

    // The upgrade found and its copy started, up to the files-in-use dialog.
    void CopyUntilTheFilesInUse(const WorkCopy& work, HWND& dialog) {
        ASSERT_NE(work.processId, 0u);
        ASSERT_NO_FATAL_FAILURE(FindTheInstallation(work, "C:\\WinKorv\\"));
        ASSERT_TRUE(StartCopying(work));
        dialog = WaitForMessageDialog(work.processId, 120000);
        ASSERT_TRUE(dialog) << "no message about the file in use";
    }

    UniqueHandle holder_;

    static std::vector<std::string> LibrarySteps() {
        std::vector<std::string> steps;
        for (const std::string& line : Lines(ReadWholeFile(Trace)))
            for (const char* step : {"DoStructureUpgrade", "DoListUpgrade", "DoConstUpgrade"})
                if (Contains(line, step)) steps.push_back(step);
        return steps;
    }
};

TEST_F(Upgrade, NewerKitOverALocalInstallationFoundThroughAppPath) {
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
    MarkTheCustomersFiles(ProgramFolder);
    WriteProfileStringA("Korven", "AppPath", "C:\\WinKorv\\");
    DeleteFileA(Trace);
    DeleteFileA(Log);

    WorkCopy work = Start(NewerKit());
    ASSERT_NE(work.processId, 0u);
    ASSERT_NO_FATAL_FAILURE(FindTheInstallation(work, "C:\\WinKorv\\"));
    ASSERT_NO_FATAL_FAILURE(CopyNewerFiles(work));
    ASSERT_NO_FATAL_FAILURE(UpgradeTheDatabase(work));
    ASSERT_NO_FATAL_FAILURE(LeaveFromTheEndPage(work));

    ExpectNewerFilesAndKeptData(ProgramFolder);
    EXPECT_EQ(LibrarySteps(), (std::vector<std::string>{"DoStructureUpgrade", "DoListUpgrade", "DoConstUpgrade"}));
    // The library's work on the database: the structure version, the lists
    // and the constants.
    for (const char* file : {"STRUCT.VER", "LISTE.TXT"})
        EXPECT_TRUE(PathExists(std::string(ProgramFolder) + "\\DATA\\" + file)) << file;
    EXPECT_NE(ReadWholeFile(std::string(ProgramFolder) + "\\DATA\\CONST.DAT"),
              ReadWholeFile(NewerStage("DBDAT\\DATA\\CONST.DAT")));
    const std::string log = ReadWholeFile(Log);
    EXPECT_TRUE(Contains(log, "Confirmare pentru: \\NEW\\DATA\\CLIENTI.DB")) << log;
    EXPECT_TRUE(Contains(log, "Confirmare pentru: \\DATA\\CLIENTI.DB")) << log;
    EXPECT_TRUE(Contains(log, "Confirmat"));
    EXPECT_TRUE(Contains(log, "NU!!!"));

    // The record holds the upgrade's files as they are now, the one it
    // added among them, and the entry was brought up to date.
    std::string problem;
    const std::optional<InstallationRecord> record = ReadInstallationRecord(ProgramFolder, &problem);
    ASSERT_TRUE(record) << problem;
    EXPECT_EQ(record->kitVersion, KORVEN_VERSION_TEXT);
    for (const char* name : {"NOUTATI.TXT", "KORVEN.HLP", "CFX32.OCX"}) {
        const auto line = std::find_if(record->files.begin(), record->files.end(),
                                       [&](const RecordedFile& file) { return file.path == name; });
        ASSERT_NE(line, record->files.end()) << name << " is not recorded";
        EXPECT_EQ(line->component, std::string(name) == "KORVEN.HLP" ? "HELP" : "EXE") << name;
        const std::string bytes = ReadWholeFile(std::string(ProgramFolder) + "\\" + name);
        EXPECT_EQ(line->size, bytes.size()) << name;
        EXPECT_EQ(line->crc, WindowsCrc32(bytes)) << name;
    }
    EXPECT_TRUE(std::none_of(record->files.begin(), record->files.end(), [](const RecordedFile& file) {
        return file.component == "EXE" && file.path == "IDAPI32.DLL";
    })) << "the engine library the upgrade kept is not its";
    EXPECT_TRUE(ReadWholeFile(std::string(ProgramFolder) + "\\DEZINST.EXE") ==
                ReadWholeFile(NewerKit() + "\\INSTALL.EXE"));
    EXPECT_EQ(RegistryString(UninstallKey, "DisplayVersion"), KORVEN_VERSION_TEXT);
    EXPECT_TRUE(Contains(log, "END <- WriteUninstallEntry")) << log;
}

// Nothing in WIN.INI: the search walks the fixed disks and finds the
// installation on C:, the first of them.
TEST_F(Upgrade, DiskSearchFindsTheInstallation) {
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
    WorkCopy work = Start(NewerKit());
    ASSERT_NE(work.processId, 0u);
    ASSERT_NO_FATAL_FAILURE(FindTheInstallation(work, "C:\\WinKorv\\"));
    ASSERT_NO_FATAL_FAILURE(CopyNewerFiles(work));
    ASSERT_NO_FATAL_FAILURE(UpgradeTheDatabase(work));
    ASSERT_NO_FATAL_FAILURE(LeaveFromTheEndPage(work));
}

TEST_F(Upgrade, KitWithoutTheLibraryShowsNoPage) {
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
    WorkCopy work = Start(std::string(KORVEN_KITS) + "\\nolib");
    ASSERT_NE(work.processId, 0u);
    HWND error = WaitForMessageDialog(work.processId);
    ASSERT_TRUE(error) << "no message";
    const ShownDialog shown = ReadDialog(error);
    EXPECT_EQ(shown.caption, "Program incomplet!");
    EXPECT_TRUE(Contains(shown.text, "Nu am putut incarca UPGRADE.DLL")) << shown.text;
    Shot(TestName());
    ui::PressKey(VK_RETURN);
    EXPECT_EQ(work.WaitForExit(), 0u);
    EXPECT_FALSE(ui::FindWindowNow(FindCaption, work.processId));
    EXPECT_FALSE(ui::FindWindowNow(TypeCaption, work.processId));
}

// A customer without the optional PAYROLL module gets kits without its
// pieces: the upgrade passes it over and goes on to the database unasked.
TEST_F(Upgrade, KitWithoutAnOptionalModuleReachesTheDatabaseUnasked) {
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
    MarkTheCustomersFiles(ProgramFolder);
    DeleteFileA(Trace);
    WorkCopy work = Start(std::string(KORVEN_KITS) + "\\nopayroll");
    ASSERT_NE(work.processId, 0u);
    ASSERT_NO_FATAL_FAILURE(FindTheInstallation(work, "C:\\WinKorv\\"));
    HWND copy = StartCopying(work);
    ASSERT_TRUE(copy);
    HWND data = ui::WaitForWindow(UpgradeDataCaption, work.processId, 120000);
    EXPECT_FALSE(WaitForMessageDialog(work.processId, 1)) << "a question came during the upgrade";
    ASSERT_TRUE(data) << "the database upgrade page did not come";
    ASSERT_NO_FATAL_FAILURE(UpgradeTheDatabase(work));
    ASSERT_NO_FATAL_FAILURE(LeaveFromTheEndPage(work));
    ExpectNewerFilesAndKeptData(ProgramFolder);
    EXPECT_EQ(LibrarySteps(), (std::vector<std::string>{"DoStructureUpgrade", "DoListUpgrade", "DoConstUpgrade"}));
}

// An earlier upgrade left its library in the work folder; this kit's
// upgrade archive is damaged. The old library is never taken instead.
TEST_F(Upgrade, ADamagedLibraryArchiveIsAFailedLoadWhateverTheWorkFolderHolds) {
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
    MakeFolders("C:\\korven-work");
    const std::string stale = "C:\\korven-work\\UPGRADE.DLL";
    ASSERT_TRUE(CopyFileA((std::string(KORVEN_KIT_STAGE) + "\\UPGRADE\\UPGRADE.DLL").c_str(), stale.c_str(), FALSE));
    WorkCopy work = Start(std::string(KORVEN_KITS) + "\\badlib");
    ASSERT_NE(work.processId, 0u);
    HWND error = WaitForMessageDialog(work.processId);
    ASSERT_TRUE(error) << "no message";
    const ShownDialog shown = ReadDialog(error);
    EXPECT_EQ(shown.caption, "Program incomplet!");
    EXPECT_TRUE(Contains(shown.text, "Nu am putut incarca UPGRADE.DLL")) << shown.text;
    ui::PressKey(VK_RETURN);
    EXPECT_EQ(work.WaitForExit(), 0u);
    EXPECT_FALSE(ui::FindWindowNow(FindCaption, work.processId));
    EXPECT_FALSE(PathExists(stale)) << "the earlier upgrade's library stayed";
}

// KORVEN runs on a client while the server is upgraded: the program file is
// held open by another process. The user is asked to close it everywhere.
TEST_F(Upgrade, AProgramInUseIsToldAndRetryAfterItsReleaseCompletesTheUpgrade) {
    ASSERT_NO_FATAL_FAILURE(InstallAndHoldTheProgram());
    WorkCopy work = Start(NewerKit());
    HWND dialog = nullptr;
    ASSERT_NO_FATAL_FAILURE(CopyUntilTheFilesInUse(work, dialog));
    const ShownDialog shown = ReadDialog(dialog);
    EXPECT_TRUE(Contains(shown.text, HeldProgram())) << shown.text;
    EXPECT_TRUE(Contains(shown.buttons, "Reincearca")) << shown.buttons;
    Shot("files_in_use_" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
         std::to_string(GetSystemMetrics(SM_CYSCREEN)));
    holder_ = UniqueHandle();
    ui::Click(ui::Control(dialog, "&Reincearca"));
    ASSERT_NO_FATAL_FAILURE(UpgradeTheDatabase(work));
    ASSERT_NO_FATAL_FAILURE(LeaveFromTheEndPage(work));
    ExpectNewerFilesAndKeptData(ProgramFolder);
}

TEST_F(Upgrade, AbandonWhileAProgramIsInUseLeavesProgramsAndDataAsTheyWere) {
    ASSERT_NO_FATAL_FAILURE(InstallAndHoldTheProgram());
    const std::map<std::string, std::string> before = FilesBelow(ProgramFolder);
    WorkCopy work = Start(NewerKit());
    HWND dialog = nullptr;
    ASSERT_NO_FATAL_FAILURE(CopyUntilTheFilesInUse(work, dialog));
    ui::Click(ui::Control(dialog, "&Abandon"));
    work.WaitForExit(60000);
    holder_ = UniqueHandle();
    EXPECT_TRUE(FilesBelow(ProgramFolder) == before) << "programs or data changed";
}

// The client's database lies on the server (drive N:, a network drive): the
// client is asked whether to upgrade it and answers No.
TEST_F(Upgrade, ClientDecliningTheServerUpgradeSkipsTheDatabase) {
    const std::string server = "N:\\Korven";
    MakeFolders(server + "\\DATA");
    ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), ClientItem, server));
    DeleteFileA(Trace);
    WorkCopy work = Start(NewerKit());
    ASSERT_NE(work.processId, 0u);
    ASSERT_NO_FATAL_FAILURE(FindTheInstallation(work, "C:\\WinKorv\\", true));
    HWND question = WaitForMessageDialog(work.processId);
    ASSERT_TRUE(question) << "the client was not asked";
    EXPECT_EQ(ReadDialog(question).caption, ServerQuestionCaption);
    ui::Click(ui::Control(question, "&Nu"));
    ASSERT_NO_FATAL_FAILURE(CopyNewerFiles(work));
    ASSERT_NO_FATAL_FAILURE(LeaveFromTheEndPage(work));
    EXPECT_TRUE(LibrarySteps().empty()) << "the server's database was upgraded";
    EXPECT_FALSE(PathExists(server + "\\NEW")) << "a client received the blank database";
}

// An upgrade that does not end well puts back what kit A installed: the
// programs and the data byte for byte, nothing of kit B left behind, and
// the backup kept beside the installation.
class Rollback : public Upgrade {
protected:
    void TearDown() override {
        SetEnvironmentVariableA("KORVEN_UPGRADE_SEMAFOR", nullptr);
        Upgrade::TearDown();
    }

    // Kit A installed, with the customer's own files; what it holds then.
    void InstallKitA() {
        ASSERT_NO_FATAL_FAILURE(Install(FolderKit(), LocalItem));
        MarkTheCustomersFiles(ProgramFolder);
        kitA_ = TheInstallation();
        DeleteFileA(Log);
        DeleteFileA(Trace);
    }

    // Every file of the program and data folder (one folder here), without
    // the backups.
    static std::map<std::string, std::string> TheInstallation() {
        std::map<std::string, std::string> files = FilesBelow(ProgramFolder);
        std::erase_if(files, [](const auto& file) { return Contains(file.first, "\\BACKUP\\"); });
        return files;
    }

    static std::vector<std::string> Backups() {
        std::vector<std::string> backups;
        const std::string root = std::string(ProgramFolder) + "\\BACKUP";
        if (!PathExists(root)) return backups;
        for (const auto& entry : fs::directory_iterator(root))
            if (entry.is_directory()) backups.push_back(entry.path().string());
        return backups;
    }

    // Kit B found and copied, up to its database page.
    HWND CopyKitB(const WorkCopy& work) {
        EXPECT_NE(work.processId, 0u);
        FindTheInstallation(work, "C:\\WinKorv\\");
        CopyNewerFiles(work);
        HWND data = ui::WaitForWindow(UpgradeDataCaption, work.processId);
        EXPECT_TRUE(data) << "no database upgrade page";
        return data;
    }

    // The question after the failure, answered with its default: restore.
    void RestoreAtTheQuestion(const WorkCopy& work) {
        HWND question = WaitForMessageDialog(work.processId, 120000);
        ASSERT_TRUE(question) << "no restore question";
        const ShownDialog shown = ReadDialog(question);
        EXPECT_EQ(shown.caption, "Restaurare");
        EXPECT_TRUE(Contains(shown.text, "Restaurati instalarea anterioara?")) << shown.text;
        Shot(TestName() + "_question");
        ui::PressKey(VK_RETURN);
        ASSERT_TRUE(ui::WaitGone(question));
    }

    void LeaveTheEndPageAfterTheRestore(const WorkCopy& work) {
        HWND end = ui::WaitForWindow(ConfigCaption, work.processId);
        ASSERT_TRUE(end) << "no end page after the restore";
        ui::Settle();
        Shot(TestName() + "_end");
        EXPECT_TRUE(Contains(ui::Text(ui::EditField(end, 0)), "au fost puse inapoi"))
            << ui::Text(ui::EditField(end, 0));
        ui::Click(ui::Control(end, "Nu &acum"));
        EXPECT_EQ(work.WaitForExit(), 0u);
    }

    void ExpectKitAAsItWas() {
        EXPECT_TRUE(TheInstallation() == kitA_) << "the installation is not what kit A left";
        EXPECT_FALSE(PathExists(std::string(ProgramFolder) + "\\NOUTATI.TXT")) << "kit B's new file stayed";
        const std::vector<std::string> backups = Backups();
        ASSERT_EQ(backups.size(), 1u);
        EXPECT_EQ(ReadWholeFile(backups[0] + "\\FISIERE\\C\\WinKorv\\CFX32.OCX"),
                  kitA_.at(std::string(ProgramFolder) + "\\CFX32.OCX"))
            << "the backup does not hold kit A's program";
        EXPECT_FALSE(PathExists(backups[0] + "\\NETERMINAT")) << "the restore is still marked unfinished";
        const std::string log = ReadWholeFile(Log);
        EXPECT_TRUE(Contains(log, "Copie de siguranta: C:\\WinKorv\\CFX32.OCX")) << log;
        EXPECT_TRUE(Contains(log, "Restaurare terminata")) << log;
        // Kit A's record, without kit B's file, and its entry untouched.
        const std::string record = ReadWholeFile(std::string(ProgramFolder) + "\\INSTALAT.TXT");
        EXPECT_EQ(record, kitA_.at(std::string(ProgramFolder) + "\\INSTALAT.TXT"));
        EXPECT_FALSE(Contains(record, "NOUTATI.TXT")) << record;
        EXPECT_FALSE(Contains(log, "WriteUninstallEntry")) << log;
    }

    std::map<std::string, std::string> kitA_;
};

TEST_F(Rollback, ASecondStepThatFailsPutsBackKitA) {
    ASSERT_NO_FATAL_FAILURE(InstallKitA());
    SetEnvironmentVariableA("KORVEN_UPGRADE_SEMAFOR", "2=0");
    WorkCopy work = Start(NewerKit());
    ASSERT_TRUE(CopyKitB(work));
    ASSERT_NO_FATAL_FAILURE(UpgradeTheDatabase(work));
    ASSERT_NO_FATAL_FAILURE(RestoreAtTheQuestion(work));
    ASSERT_NO_FATAL_FAILURE(LeaveTheEndPageAfterTheRestore(work));
    EXPECT_EQ(LibrarySteps(), (std::vector<std::string>{"DoStructureUpgrade", "DoListUpgrade", "DoConstUpgrade"}));
    ExpectKitAAsItWas();
    EXPECT_TRUE(PathExists(Backups().at(0) + "\\DATE\\DATA\\CLIENTI.DB")) << "the data folder was not saved";
}

TEST_F(Rollback, AbandonOnTheDatabasePagePutsBackKitA) {
    ASSERT_NO_FATAL_FAILURE(InstallKitA());
    WorkCopy work = Start(NewerKit());
    HWND data = CopyKitB(work);
    ASSERT_TRUE(data);
    ui::Click(ui::Control(data, "&Abandon"));
    ASSERT_NO_FATAL_FAILURE(RestoreAtTheQuestion(work));
    ASSERT_NO_FATAL_FAILURE(LeaveTheEndPageAfterTheRestore(work));
    EXPECT_TRUE(LibrarySteps().empty()) << "a step ran";
    ExpectKitAAsItWas();
}

// The installer is ended while a file it puts back is held open: the next
// start offers to finish the restore before anything else.
TEST_F(Rollback, ARestoreCutOffIsFinishedAtTheNextStart) {
    ASSERT_NO_FATAL_FAILURE(InstallKitA());
    WorkCopy work = Start(NewerKit());
    HWND data = CopyKitB(work);
    ASSERT_TRUE(data);
    UniqueHandle holder(
        CreateFileA(HeldProgram().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.valid());
    ui::Click(ui::Control(data, "&Abandon"));
    ASSERT_NO_FATAL_FAILURE(RestoreAtTheQuestion(work));
    HWND stuck = WaitForMessageDialog(work.processId, 60000);
    ASSERT_TRUE(stuck) << "the held file did not stop the restore";
    EXPECT_TRUE(Contains(ReadDialog(stuck).text, "Nu pot pune inapoi fisierul")) << ReadDialog(stuck).text;
    {
        UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, work.processId));
        ASSERT_TRUE(process.valid());
        TerminateProcess(process, 9);
        WaitForSingleObject(process, 20000);
    }
    holder = UniqueHandle();
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_TRUE(PathExists(Backups()[0] + "\\NETERMINAT"));

    WorkCopy again = Start(NewerKit());
    ASSERT_NE(again.processId, 0u);
    HWND offer = WaitForMessageDialog(again.processId, 60000);
    ASSERT_TRUE(offer) << "the unfinished restore was not offered";
    EXPECT_TRUE(Contains(ReadDialog(offer).text, "nu s-a terminat")) << ReadDialog(offer).text;
    Shot(TestName() + "_offer");
    ui::PressKey(VK_RETURN);
    ASSERT_TRUE(ui::WaitGone(offer));
    HWND done = WaitForMessageDialog(again.processId, 60000);
    ASSERT_TRUE(done);
    EXPECT_TRUE(Contains(ReadDialog(done).text, "a fost pusa inapoi")) << ReadDialog(done).text;
    ui::PressKey(VK_RETURN);
    // The installer goes on as at any start: the upgrade is offered again.
    HWND find = ui::WaitForWindow(FindCaption, again.processId);
    ASSERT_TRUE(find);
    ui::Click(ui::Control(find, "&Abandon"));
    again.WaitForExit();
    ExpectKitAAsItWas();
}

// Kit B on floppies, given up at its second disk: the upgrade's copy ends
// before anything of kit A was replaced, and nothing of kit B is left.
TEST_F(Rollback, CancelAtADiskPromptOfTheUpgradeLeavesKitA) {
    ASSERT_NO_FATAL_FAILURE(InstallKitA());
    InsertFloppy(std::string(KORVEN_KITS_UNIX) + "/newer-disks/DISK1");
    WorkCopy work = Start("A:");
    ASSERT_NE(work.processId, 0u);
    ASSERT_NO_FATAL_FAILURE(FindTheInstallation(work, "C:\\WinKorv\\"));
    ASSERT_TRUE(StartCopying(work));
    HWND prompt = WaitForMessageDialog(work.processId, 60000);
    ASSERT_TRUE(prompt) << "no disk prompt";
    EXPECT_TRUE(Contains(ReadDialog(prompt).text, "introdu discul de instalare cu numarul")) << ReadDialog(prompt).text;
    ui::Click(ui::Control(prompt, "&Renunt"));
    EXPECT_EQ(work.WaitForExit(), 0u);
    EXPECT_TRUE(TheInstallation() == kitA_) << "the installation is not what kit A left";
    EXPECT_FALSE(PathExists(std::string(ProgramFolder) + "\\NOUTATI.TXT"));
    EXPECT_TRUE(LibrarySteps().empty()) << "a step ran";
}

TEST_F(Rollback, SuccessfulUpgradesKeepTheirNewestThreeBackups) {
    ASSERT_NO_FATAL_FAILURE(InstallKitA());
    for (int upgrade = 1; upgrade <= 4; ++upgrade) {
        WorkCopy work = Start(NewerKit());
        ASSERT_NO_FATAL_FAILURE(FindTheInstallation(work, "C:\\WinKorv\\"));
        ASSERT_NO_FATAL_FAILURE(CopyNewerFiles(work));
        ASSERT_NO_FATAL_FAILURE(UpgradeTheDatabase(work));
        ASSERT_NO_FATAL_FAILURE(LeaveFromTheEndPage(work));
        EXPECT_EQ(Backups().size(), static_cast<size_t>(std::min(upgrade, 3))) << "after upgrade " << upgrade;
        if (upgrade == 1) ExpectNewerFilesAndKeptData(ProgramFolder);
    }
    for (const std::string& backup : Backups()) EXPECT_FALSE(PathExists(backup + "\\NETERMINAT")) << backup;
}

// Nobody drives these: the kit's INSTALL.EXE is started as an administrator's
// script starts it, and the test reads only its exit code and what it left
// on the computer.
class Unattended : public Upgrade {
protected:
    static UnattendedRun Run(const std::string& kit, const std::string& switches) {
        MakeFolders("C:\\korven-work");
        return RunUnattended(kit + "\\INSTALL.EXE", switches, "C:\\korven-work");
    }
};

TEST_F(Unattended, LocalFromOneFolderKit) {
    const UnattendedRun run = Run(FolderKit(), "/UNATTENDED");
    ASSERT_EQ(run.exitCode, 0u) << run.errors;
    for (const Component& component : Components) ExpectInstalled(component, ProgramFolder);
    const std::string registration = ReadWholeFile(std::string(EngineFolder) + "\\bde.reg");
    EXPECT_FALSE(Contains(registration, "$ProgDir$"));
    EXPECT_TRUE(Contains(registration, "C:\\\\Program Files\\\\Borland"));
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "1");
    ExpectConfigured(ProgramFolder);
}

// The client's question about a data folder that does not exist is
// answered as Cancel: the run ends there.
TEST_F(Unattended, ClientWithAMissingDataFolderEndsCancelledAndConfiguresNothing) {
    const UnattendedRun run = Run(FolderKit(), "/unattended /type=client \"/DATA=C:\\Server Lipsa\\Korven\"");
    EXPECT_EQ(run.exitCode, 2u) << run.errors;
    ExpectNothingConfigured();
    EXPECT_FALSE(PathExists("C:\\Server Lipsa"));
    EXPECT_TRUE(Contains(ReadWholeFile(Log), "Begin debug session")) << "the log is always on unattended";
}

TEST_F(Unattended, UpgradeFindsTheInstallationByItself) {
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    MarkTheCustomersFiles(ProgramFolder);
    DeleteFileA(Trace);
    const UnattendedRun run = Run(NewerKit(), "/UNATTENDED");
    ASSERT_EQ(run.exitCode, 0u) << run.errors;
    ExpectNewerFilesAndKeptData(ProgramFolder);
    EXPECT_EQ(LibrarySteps(), (std::vector<std::string>{"DoStructureUpgrade", "DoListUpgrade", "DoConstUpgrade"}));
}

TEST_F(Unattended, AProgramInUseEndsTheUpgradeWithThreeAndChangesNothing) {
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    DeleteFileA(Log);
    const std::map<std::string, std::string> before = FilesBelow(ProgramFolder);
    const std::string held = std::string(ProgramFolder) + "\\KORVEN.EXE";
    UniqueHandle holder(CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.valid());
    const UnattendedRun run = Run(NewerKit(), "/UNATTENDED");
    holder = UniqueHandle();
    EXPECT_EQ(run.exitCode, 3u) << run.errors;
    EXPECT_TRUE(Contains(ReadWholeFile(Log), held)) << "the reason is not in the log";
    EXPECT_TRUE(FilesBelow(ProgramFolder) == before) << "programs or data changed";
}

TEST_F(Unattended, AMissingRequiredArchiveEndsTheUpgradeWithThreeAndChangesNothing) {
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    DeleteFileA(Log);
    const std::map<std::string, std::string> before = FilesBelow(ProgramFolder);
    const UnattendedRun run = Run(std::string(KORVEN_KITS) + "\\nohelp", "/UNATTENDED");
    EXPECT_EQ(run.exitCode, 3u) << run.errors;
    EXPECT_TRUE(Contains(ReadWholeFile(Log), "HELP.ZIP")) << "the reason is not in the log";
    EXPECT_TRUE(FilesBelow(ProgramFolder) == before) << "programs or data changed";
}

// Drive S: has 2 MB: the kit's archives alone need more.
TEST_F(Unattended, ATooSmallDriveIsToldBeforeAnythingIsCopied) {
    const UnattendedRun run = Run(FolderKit(), "/UNATTENDED \"/DIR=S:\\WinKorv\" \"/DATA=S:\\WinKorv\"");
    EXPECT_EQ(run.exitCode, 3u) << run.errors;
    const std::string log = ReadWholeFile(Log);
    EXPECT_TRUE(Contains(log, "Pe discul S:\\ nu este destul loc")) << log;
    EXPECT_TRUE(Contains(log, " MB, sunt liberi ")) << log;
    EXPECT_TRUE(FilesBelow("S:\\").empty()) << "a file was copied to the small drive";
    ExpectNothingConfigured();
}

// A piece that the kit lists but that changed on its way: nobody can bring
// the disk again.
TEST_F(Unattended, ADamagedPieceEndsWithThreeAndIsNamedInTheLog) {
    const std::string kit = "C:\\spoilt-kit";
    MakeFolders(kit);
    for (const auto& file : fs::directory_iterator(FolderKit()))
        CopyFileA(file.path().string().c_str(), (kit + "\\" + file.path().filename().string()).c_str(), FALSE);
    std::string bytes = ReadWholeFile(kit + "\\EXE.1");
    ASSERT_GT(bytes.size(), 1000u);
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x01);
    WriteWholeFile(kit + "\\EXE.1", bytes);

    const UnattendedRun run = Run(kit, "/UNATTENDED");
    EXPECT_EQ(run.exitCode, 3u) << run.errors;
    const std::string log = ReadWholeFile(Log);
    EXPECT_TRUE(Contains(log, "Fisierul EXE.1 de pe discul de instalare nr. 1 este deteriorat")) << log;
    EXPECT_FALSE(PathExists(std::string(ProgramFolder) + "\\KORVEN.EXE"));
    ExpectNoAssembledArchives();
    ExpectNothingConfigured();
}

// Nobody at the keyboard: the failed upgrade is put back unasked and the
// run ends with 3; with /ROLLBACK=NO the backup is made and left.
TEST_F(Unattended, AFailedUpgradeIsPutBackAndEndsWithThree) {
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    DeleteFileA(Log);
    const std::map<std::string, std::string> before = FilesBelow(ProgramFolder);
    SetEnvironmentVariableA("KORVEN_UPGRADE_SEMAFOR", "2=0");
    const UnattendedRun run = Run(NewerKit(), "/UNATTENDED");
    EXPECT_EQ(run.exitCode, 3u) << run.errors;
    std::map<std::string, std::string> after = FilesBelow(ProgramFolder);
    std::erase_if(after, [](const auto& file) { return Contains(file.first, "\\BACKUP\\"); });
    EXPECT_TRUE(after == before) << "the installation is not what it was";
    EXPECT_TRUE(Contains(ReadWholeFile(Log), "Restaurare terminata"));

    const UnattendedRun kept = Run(NewerKit(), "/UNATTENDED /ROLLBACK=NO");
    SetEnvironmentVariableA("KORVEN_UPGRADE_SEMAFOR", nullptr);
    EXPECT_EQ(kept.exitCode, 3u) << kept.errors;
    EXPECT_TRUE(PathExists(std::string(ProgramFolder) + "\\NOUTATI.TXT")) << "restored despite /ROLLBACK=NO";
    EXPECT_TRUE(Contains(ReadWholeFile(Log), "/ROLLBACK=NO"));
}

TEST_F(Unattended, BadSwitchCopiesNothing) {
    const UnattendedRun run = Run(FolderKit(), "/UNATTENDED /TYPE=BOGUS");
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_TRUE(Contains(run.errors, "/TYPE")) << run.errors;
    for (const char* name : {"INSTKORV.EXE", "UPGRADE.ZIP", "INSTKORV.CFG", "INSTKORV.DAT"})
        EXPECT_FALSE(PathExists(std::string("C:\\korven-work\\") + name)) << name;
    EXPECT_FALSE(PathExists(ProgramFolder));
    ExpectNothingConfigured();
}

// KORVEN taken away again by the uninstaller that the list of installed
// programs names, started from that list's own command, after
// installations made as an administrator's script makes them.
class Uninstallation : public Unattended {
protected:
    static constexpr const char* UninstallCaption = "Dezinstalare KORVEN";

    void TearDown() override { SetEnvironmentVariableA("KORVEN_UPGRADE_SEMAFOR", nullptr); }

    // The program and its arguments, as the list of installed programs
    // holds the command.
    static std::pair<std::string, std::string> Command(const char* value) {
        const std::string command = RegistryString(UninstallKey, value);
        EXPECT_TRUE(command.starts_with("\"")) << command;
        const auto close = command.find('"', 1);
        return {command.substr(1, close - 1), Trimmed(command.substr(close + 1))};
    }

    static InstallationRecord RecordNow() {
        std::string problem;
        std::optional<InstallationRecord> record = ReadInstallationRecord(ProgramFolder, &problem);
        EXPECT_TRUE(record) << problem;
        return record.value_or(InstallationRecord{});
    }

    static bool IsData(const RecordedFile& file) { return file.component == "DBDAT" || file.component == "DBNEW"; }

    // Every file of the data folders, with its bytes.
    static std::map<std::string, std::string> DataFiles() {
        std::map<std::string, std::string> files;
        for (const char* folder : {"\\DATA", "\\NEW"})
            if (PathExists(ProgramFolder + std::string(folder)))
                files.merge(FilesBelow(ProgramFolder + std::string(folder)));
        return files;
    }

    // A person's way through the three pages: the data box ticked and
    // confirmed when asked for, Continua, then Gata once the removal ended.
    void UninstallAsAPerson(bool removeData) {
        const auto [program, arguments] = Command("UninstallString");
        const KitRun first = StartKit(program, arguments, "C:\\korven-work");
        EXPECT_EQ(first.exitCode, 0u) << "the program folder's copy ends at once";
        HWND confirm = ui::WaitForWindow(UninstallCaption);
        ASSERT_TRUE(confirm) << "no confirmation page";
        DWORD processId = 0;
        GetWindowThreadProcessId(confirm, &processId);
        if (removeData) {
            ui::Click(ui::Control(confirm, "&Sterge si datele firmei"));
            HWND question = WaitForMessageDialog(processId);
            ASSERT_TRUE(question) << "ticking the box asks nothing";
            Shot(TestName() + "_question");
            ui::Click(ui::Control(question, "&Da"));
            ASSERT_TRUE(ui::WaitGone(question));
        }
        ui::Settle();
        Shot(TestName() + "_confirm");
        ui::Click(ui::Control(confirm, "&Continua"));
        ASSERT_TRUE(ui::WaitGone(confirm));
        HWND end = nullptr;
        for (int tries = 0; tries < 600 && !end; ++tries) {
            HWND shown = ui::WaitForWindow(UninstallCaption, processId, 100);
            if (shown && ui::Control(shown, "&Gata")) end = shown;
        }
        ASSERT_TRUE(end) << "no end page";
        Shot(TestName() + "_end");
        ui::Click(ui::Control(end, "&Gata"));
        ASSERT_TRUE(ui::WaitGone(end));
        // The temporary copy deletes DEZINST.EXE once the first copy is gone.
        for (int tries = 0; tries < 200 && PathExists(program); ++tries) Sleep(100);
    }

    // What a finished uninstall leaves: no program file of the record, no
    // group, alias, entry, nor the uninstaller; the data as `dataKept` says.
    static void ExpectRemoved(const InstallationRecord& record, const std::string& usersFile, bool dataKept) {
        for (const RecordedFile& file : record.files) {
            const std::string path = FullPathOf(record, file);
            if (IsData(file) && dataKept) {
                EXPECT_TRUE(PathExists(path)) << path << " is the customer's";
            } else if (file.component != "BDE32") {
                EXPECT_FALSE(PathExists(path)) << path << " was left";
            }
        }
        EXPECT_EQ(ReadWholeFile(usersFile), "the user's own") << "the user's file went";
        for (const char* name : {"DEZINST.EXE", "INSTALAT.TXT"})
            EXPECT_FALSE(PathExists(std::string(ProgramFolder) + "\\" + name)) << name;
        EXPECT_EQ(PathExists(std::string(ProgramFolder) + "\\DATA"), dataKept);
        EXPECT_EQ(PathExists(std::string(ProgramFolder) + "\\NEW\\FIRMA"), dataKept);
        EXPECT_FALSE(PathExists(ProgramsMenu() + "\\WinKORVEN")) << "the group is still there";
        EXPECT_FALSE(KeyExists(UninstallKey));
        const std::string store = RegistryString(EngineKey, "CONFIGFILE01");
        for (const char* alias : {"KORVEN", "KORVENALIAS", "FIRMAALIAS", "LUNAALIAS"})
            EXPECT_EQ(ProfileString(store.c_str(), alias, "PATH"), "<none>") << alias;
        const std::vector<std::string> config = Lines(ReadWholeFile("C:\\CONFIG.SYS"));
        EXPECT_NE(std::find(config.begin(), config.end(), "FILES=255"), config.end());
        EXPECT_TRUE(Contains(ReadWholeFile(Log), "FILES=255")) << "the log does not say CONFIG.SYS keeps its limit";
    }

    // The engine as it was before KORVEN came: not registered, its files gone.
    static void ExpectNoEngine() {
        EXPECT_FALSE(KeyExists("Software\\Borland\\BLW32"));
        EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "<none>");
        EXPECT_FALSE(PathExists(std::string(EngineFolder) + "\\IDAPI32.DLL"));
        EXPECT_FALSE(PathExists("C:\\Program Files\\Borland")) << "the engine's folders stay";
        // Wine's own set-up wrote this before any installation, and it stays.
        EXPECT_TRUE(KeyExists("Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT"));
    }

    const std::string usersFile_ = std::string(ProgramFolder) + "\\NOTITE.TXT";
};

TEST_F(Uninstallation, APersonRemovesALocalInstallationAndANewOneKeepsTheData) {
    // Before the installation: a file of the user's in the folder it takes.
    MakeFolders(ProgramFolder);
    WriteWholeFile(usersFile_, "the user's own");
    ASSERT_FALSE(KeyExists("Software\\Borland\\BLW32"));
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    const InstallationRecord record = RecordNow();
    // The customer works: one table changes, one is added.
    WriteWholeFile(std::string(ProgramFolder) + "\\DATA\\CLIENTI.DB", "datele clientului");
    WriteWholeFile(std::string(ProgramFolder) + "\\DATA\\FACTURI.DB", "facturile firmei");
    const std::map<std::string, std::string> data = DataFiles();
    DeleteFileA(Log);

    ASSERT_NO_FATAL_FAILURE(UninstallAsAPerson(false));

    ExpectRemoved(record, usersFile_, true);
    ExpectNoEngine();
    EXPECT_TRUE(DataFiles() == data) << "the data changed";

    // Installed again into the same folders: the customer's data stay as
    // they were, and the installation works.
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    for (const auto& [path, bytes] : data) EXPECT_TRUE(ReadWholeFile(path) == bytes) << path << " was overwritten";
    ExpectConfigured(ProgramFolder);
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "1");
}

TEST_F(Uninstallation, TheDataGoTooWhenThePersonTicksTheBoxAndConfirms) {
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    WriteWholeFile(usersFile_, "the user's own");
    const InstallationRecord record = RecordNow();

    ASSERT_NO_FATAL_FAILURE(UninstallAsAPerson(true));

    ExpectRemoved(record, usersFile_, false);
    EXPECT_FALSE(PathExists(std::string(ProgramFolder) + "\\NEW"));
    ExpectNoEngine();
}

TEST_F(Uninstallation, TheQuietCommandByItselfEndsWithZeroAndRemovesTheSame) {
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    WriteWholeFile(usersFile_, "the user's own");
    const InstallationRecord record = RecordNow();
    const std::map<std::string, std::string> data = DataFiles();

    const auto [program, arguments] = Command("QuietUninstallString");
    EXPECT_EQ(arguments, "/UNINSTALL /UNATTENDED");
    const UnattendedRun run = RunUnattended(program, arguments, "C:\\korven-work");
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    for (int tries = 0; tries < 200 && PathExists(program); ++tries) Sleep(100);

    ExpectRemoved(record, usersFile_, true);
    ExpectNoEngine();
    EXPECT_TRUE(DataFiles() == data) << "the data changed";
}

// Two installations on one computer share the engine: the first one's
// folder taken away by hand (its alias no longer opens), so that the kit
// makes a second, new installation elsewhere, which raises the use count.
TEST_F(Uninstallation, TheFirstOfTwoInstallationsLeavesTheEngineToTheSecond) {
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    const std::string aside = "C:\\WinKorv-deoparte";
    ASSERT_TRUE(MoveFileA(ProgramFolder, aside.c_str()));
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED /DIR=C:\\Korven2 /DATA=C:\\Korven2").exitCode, 0u);
    ASSERT_TRUE(MoveFileA(aside.c_str(), ProgramFolder));
    ASSERT_EQ(RegistryString(EngineKey, "UseCount"), "2");
    const std::string engine = ReadWholeFile(std::string(EngineFolder) + "\\IDAPI32.DLL");

    // The list holds the second; the first is removed by its own command.
    const UnattendedRun run =
        RunUnattended(std::string(ProgramFolder) + "\\DEZINST.EXE", "/UNINSTALL /UNATTENDED", "C:\\korven-work");
    EXPECT_EQ(run.exitCode, 0u) << run.errors;

    EXPECT_FALSE(PathExists(std::string(ProgramFolder) + "\\KORVEN.EXE"));
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "1");
    EXPECT_TRUE(KeyExists("Software\\Borland\\BLW32"));
    EXPECT_EQ(RegistryString(EngineKey, "DLLPATH"), EngineFolder);
    EXPECT_TRUE(ReadWholeFile(std::string(EngineFolder) + "\\IDAPI32.DLL") == engine) << "the engine went";
    EXPECT_TRUE(PathExists("C:\\Korven2\\KORVEN.EXE"));
    EXPECT_TRUE(PathExists("C:\\Korven2\\DEZINST.EXE"));
    EXPECT_EQ(RegistryString(UninstallKey, "InstallLocation"), "C:\\Korven2") << "the second lost its entry";
}

TEST_F(Uninstallation, AnUpgradesAddedFilesGoToo) {
    ASSERT_EQ(Run(FolderKit(), "/UNATTENDED").exitCode, 0u);
    ASSERT_EQ(Run(NewerKit(), "/UNATTENDED").exitCode, 0u);
    const std::string added = std::string(ProgramFolder) + "\\NOUTATI.TXT";
    ASSERT_TRUE(PathExists(added));
    WriteWholeFile(usersFile_, "the user's own");
    const InstallationRecord record = RecordNow();

    const auto [program, arguments] = Command("QuietUninstallString");
    const UnattendedRun run = RunUnattended(program, arguments, "C:\\korven-work");
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    for (int tries = 0; tries < 200 && PathExists(program); ++tries) Sleep(100);

    EXPECT_FALSE(PathExists(added)) << "the upgrade's file was left";
    ExpectRemoved(record, usersFile_, true);
}

}  // namespace
