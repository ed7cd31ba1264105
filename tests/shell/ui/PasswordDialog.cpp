// TPWDlg and the password commands of the main window.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ShellFixture.h"
#include "shell/Password.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/PasswordDialog.h"

namespace shelltest {
namespace {

TEST(PasswordDialog, StartsEmptyHidesItsEntryAndKeepsTwentyCharacters) {
    QString helpAsked;
    shell::ui::TPWDlg dialog([&](const QString& topic) { helpAsked = topic; });
    auto* field = dialog.findChild<QLineEdit*>("Password");
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    EXPECT_EQ(field->maxLength(), 20);
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(field->text().isEmpty());
        EXPECT_FALSE(dialog.findChild<QPushButton*>("PWHelpButn")->isVisible());
        field->setText("left over");
        dialog.reject();
    });
    EXPECT_FALSE(dialog.Ask("Password Required", false).has_value());
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(field->text().isEmpty());  // emptied on every showing
        EXPECT_EQ(dialog.windowTitle(), "Password Setup");
        dialog.findChild<QPushButton*>("PWHelpButn")->click();
        field->setText("caf\u00e9");
        dialog.accept();
    });
    EXPECT_EQ(dialog.Ask("Password Setup"), std::optional<std::string>("caf\xe9"));  // 1252
    EXPECT_EQ(helpAsked, "PwordSet");
    EXPECT_EQ(dialog.windowTitle(), "Password Required");
}

// The password logic is tested on its own; this is the path through the window's menu.
using PasswordCommands = ShellTest;

TEST_F(PasswordCommands, OneCharacterTwiceRemovesTheProtection) {
    StartedWindow();
    ASSERT_TRUE(shell::WritePassword("Secret"));
    prompts.ExpectYesNo("Please Confirm", "A Password exists. Do you want to change it?", true);
    prompts.ExpectInform("Password Setup",
                         "You will need to enter a new password TWO times. Do not enter any "
                         "password (twice) if you want to remove the password protection.");
    prompts.ExpectMessage("Password Removed",
                          "You did not enter password. Any password has been cleared. This "
                          "system is no longer password protected.",
                          base::PromptAnswer::Ok);
    AnswerPasswordPrompts({"Secret", "x", "x"});
    window->findChild<QAction*>("PasswordSetup1")->trigger();
    EXPECT_FALSE(shell::PasswordIsSet());
}

}  // namespace
}  // namespace shelltest
