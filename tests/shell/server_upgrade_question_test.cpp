// The client's question before the upgrade copy, answered through the
// dialog itself.
#include "shell/server_upgrade_question.h"

#include "tests/support/page_test.h"
#include "core/settings.h"
#include "toolkit/message_dialog.h"

namespace {

class ServerUpgradeQuestion : public PageTest {
protected:
    void TearDown() override { SetMessageDialogWatcher({}); }

    // Asks with the dialog answered by `result`; records what it showed.
    bool AskAnswering(int result) {
        SetMessageDialogWatcher([this, result](TMessageDialogForm& dialog) {
            ++shown;
            message = dialog.Message();
            caption = dialog.Caption();
            dialog.SetModalResult(result);
        });
        return AskServerUpgrade();
    }

    int shown = 0;
    std::string message, caption;
};

TEST_F(ServerUpgradeQuestion, OnlyNoKeepsTheClientAClient) {
    InstallSettings.InstallType = itClient;
    EXPECT_FALSE(AskAnswering(mrNo));
    EXPECT_TRUE(AskAnswering(mrYes));
    // Closed without choosing: a yes.
    EXPECT_TRUE(AskAnswering(mrCancel));
    EXPECT_EQ(shown, 3);
}

TEST_F(ServerUpgradeQuestion, AsksWithoutPrefixAndLeavesThePrefixAsItWas) {
    InstallSettings.InstallType = itClient;
    MessagePrefix = "Introduceti discul";
    AskAnswering(mrNo);
    EXPECT_EQ(caption, "UPGRADE baza de date SERVER ?");
    EXPECT_TRUE(message.starts_with("Baza de date se afla la distanta, pe SERVER.\r" + std::string(46, '_') + "\r\r"))
        << message;
    EXPECT_NE(message.find("\r" + std::string(48, '_') + "\r\rFac UPGRADE la baza de date de pe SERVER?\r"),
              std::string::npos)
        << message;
    EXPECT_EQ(MessagePrefix, "Introduceti discul");
}

TEST_F(ServerUpgradeQuestion, OtherInstallationsAreUpgradedAsServersWithoutAsking) {
    for (TInstallType type : {itNone, itLocal, itServer}) {
        InstallSettings.InstallType = type;
        EXPECT_TRUE(AskAnswering(mrNo)) << type;
    }
    EXPECT_EQ(shown, 0);
}

}  // namespace
