#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/engine_registration.h"
#include "config_test_support.h"
#include "engine_sandbox.h"

namespace {

class RegistrationFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        file = std::string(temp) + "korven_bde_" + std::to_string(GetCurrentProcessId()) + ".reg";
    }
    void TearDown() override { DeleteFileA(file.c_str()); }

    std::string Rewritten(const std::string& bytes, const std::string& programFiles = "C:\\Program Files") {
        WriteBytes(file, bytes);
        RewriteRegistrationFile(file, programFiles);
        return ReadBytes(file);
    }

    std::string file;
};

TEST_F(RegistrationFileTest, FirstPlaceholderOfALineBecomesTheFolderWithDoubledBackslashes) {
    EXPECT_EQ(Rewritten("X=$ProgDir$Y\r\n"), "X=C:\\\\Program FilesY\r\n");
    EXPECT_EQ(Rewritten("$ProgDir$;$ProgDir$\r\n"), "C:\\\\Program Files;$ProgDir$\r\n");
    EXPECT_EQ(Rewritten("\"DLLPATH\"=\"$ProgDir$\\\\BDE\"\r\n", "D:\\A\\B"), "\"DLLPATH\"=\"D:\\\\A\\\\B\\\\BDE\"\r\n");
}

TEST_F(RegistrationFileTest, LinesWithoutThePlaceholderKeepEveryByte) {
    const std::string untouched = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\r\n\t\"A\"=\"b c\"  \r\n";
    EXPECT_EQ(Rewritten(untouched), untouched);
    // Text in the Windows code page, and control bytes, pass as they are.
    std::string eightBit = "\"Nume\"=\"";
    for (int byte = 128; byte < 256; ++byte) eightBit += static_cast<char>(byte);
    eightBit += "\x01\x1a\"\r\n";
    EXPECT_EQ(Rewritten(eightBit + "\xE2\xEE$ProgDir$\xFE\r\n"), eightBit +
                                                                     "\xE2\xEE"
                                                                     "C:\\\\Program Files\xFE\r\n");
}

TEST_F(RegistrationFileTest, NoLineIsCutHoweverLong) {
    const std::string tail(5000, 'x');
    EXPECT_EQ(Rewritten("A=$ProgDir$" + tail + "\r\nB\r\n"), "A=C:\\\\Program Files" + tail + "\r\nB\r\n");
}

TEST_F(RegistrationFileTest, EveryLineEndsInCrLf) {
    EXPECT_EQ(Rewritten("A\nB\r\nC"), "A\r\nB\r\nC\r\n");
    EXPECT_EQ(Rewritten(""), "");
}

TEST_F(RegistrationFileTest, ASecondRunFindsNothingLeftToReplace) {
    const std::string once = Rewritten("\"P\"=\"$ProgDir$\"\r\n");
    EXPECT_EQ(Rewritten(once, "E:\\Other"), once);
}

TEST_F(RegistrationFileTest, AMissingFileIsReportedByName) {
    DeleteFileA(file.c_str());
    try {
        RewriteRegistrationFile(file, "C:\\Program Files");
        FAIL() << "no error for a missing file";
    } catch (const EEngineRegistration& error) {
        EXPECT_EQ(std::string(error.what()), "Nu pot citi fisierul de inregistrare " + file);
    }
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing is created";
}

TEST_F(RegistrationFileTest, AFileThatFailsToReadIsReportedAndLeftAsItWas) {
    const FailingLink link(file);
    ASSERT_TRUE(link.Made()) << file;
    EXPECT_THROW(RewriteRegistrationFile(file, "C:\\Program Files"), EEngineRegistration);
    EXPECT_TRUE(StillTheFailingLink(file)) << "the file was replaced";
}

TEST(AliasFolders, EachRelativeFolderLiesBelowTheDataFolder) {
    const std::vector<std::string> relative{"NEW\\DATA", "NEW\\FIRMA", "NEW\\LUNA", "DATA"};
    EXPECT_EQ(AliasFolders("C:\\WinKorv", relative),
              (std::vector<std::string>{"C:\\WinKorv\\NEW\\DATA", "C:\\WinKorv\\NEW\\FIRMA", "C:\\WinKorv\\NEW\\LUNA",
                                        "C:\\WinKorv\\DATA"}));
    EXPECT_EQ(AliasFolders("D:\\", relative),
              (std::vector<std::string>{"D:\\NEW\\DATA", "D:\\NEW\\FIRMA", "D:\\NEW\\LUNA", "D:\\DATA"}));
}

}  // namespace
