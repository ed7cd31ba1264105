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

class PasswordCommands : public ShellTest {
protected:
    shell::ui::TMainForm& Started() {
        MakeDataFolder();
        auto& w = NewMainWindow();
        EXPECT_TRUE(w.FormCreate());
        EXPECT_TRUE(w.FormShow());
        return w;
    }
    void PasswordSetupClick() { window->findChild<QAction*>("PasswordSetup1")->trigger(); }
};

TEST_F(PasswordCommands, NewPasswordIsAskedTwiceAndShown) {
    Started();
    prompts.ExpectYesNo("Please Confirm",
                        "Once you create a password you must enter it EXACTLY or you will not be "
                        "able to use the billing system. Continue?",
                        true);
    prompts.ExpectInform("\nPassword: Open Sesame",
                         "Your new password is shown above. You will need to enter it EXACTLY as "
                         "shown next time you want to access the system.");
    QStringList captions;
    AnswerPasswordPrompts({" Open Sesame", "Open Sesame "}, &captions);
    PasswordSetupClick();
    EXPECT_EQ(captions, (QStringList{"Password Setup", "Re-enter Your Password"}));
    EXPECT_EQ(shell::ReadPassword(), std::optional<std::string>("Open Sesame"));
}

TEST_F(PasswordCommands, OneCharacterTwiceRemovesTheProtection) {
    Started();
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
    PasswordSetupClick();
    EXPECT_FALSE(shell::PasswordIsSet());
}

}  // namespace
}  // namespace shelltest
