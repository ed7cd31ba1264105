// The password logic is tested on its own; this is the path through the window's menu.
#include <QAction>

#include "ShellFixture.h"
#include "company/Password.h"
#include "shell/ui/MainWindow.h"

namespace shelltest {
namespace {

using PasswordCommands = ShellTest;

TEST_F(PasswordCommands, OneCharacterTwiceRemovesTheProtection) {
    StartedWindow();
    ASSERT_TRUE(company::WritePassword(files, "Secret"));
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
    EXPECT_FALSE(company::PasswordIsSet(files));
}

}  // namespace
}  // namespace shelltest
