#include "shell/Password.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <fstream>

#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace shell {
namespace {

using testsupport::ScriptedPrompts;

// The password prompt, answered from a list: each entry is the caption expected and the text
// typed (nothing: Cancel).
class ScriptedPasswordPrompt {
public:
    ScriptedPasswordPrompt& Expect(std::string caption, std::optional<std::string> typed) {
        script_.push_back({std::move(caption), std::move(typed)});
        return *this;
    }
    PasswordAsk ask() {
        return [this](const std::string& caption, bool helpVisible) -> std::optional<std::string> {
            helpShown.push_back(helpVisible);
            if (script_.empty()) {
                ADD_FAILURE() << "unexpected password prompt " << caption;
                return std::nullopt;
            }
            auto [expected, typed] = script_.front();
            script_.pop_front();
            EXPECT_EQ(caption, expected);
            return typed;
        };
    }
    ~ScriptedPasswordPrompt() { EXPECT_TRUE(script_.empty()) << "password prompts left over"; }
    std::vector<bool> helpShown;

private:
    std::deque<std::pair<std::string, std::optional<std::string>>> script_;
};

constexpr char kConfirm[] = "Please Confirm";
constexpr char kFirstTime[] =
    "Once you create a password you must enter it EXACTLY or you will not be able to use the "
    "billing system. Continue?";
constexpr char kWrong[] = "You did not enter the correct password.";

class PasswordFile : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    ScriptedPrompts prompts;
    ScriptedPasswordPrompt passwordPrompt;
};

TEST_F(PasswordFile, NoFileMeansNoQuestionAnywhere) {
    EXPECT_FALSE(PasswordIsSet());
    EXPECT_TRUE(CheckPassword(prompts, passwordPrompt.ask()));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PasswordFile, StoredPasswordIsOneOwnerOnlyRecord) {
    ASSERT_TRUE(WritePassword("Secret word that is too long"));
    EXPECT_EQ(std::filesystem::file_size(kPasswordFile), 21u);
    struct stat st {};
    ASSERT_EQ(::stat(kPasswordFile, &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);
    std::ifstream in(kPasswordFile, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, std::string("\x14") + "Secret word that is ");
    EXPECT_EQ(ReadPassword(), "Secret word that is");  // trimmed when read
    EXPECT_TRUE(RemovePassword());
    EXPECT_FALSE(PasswordIsSet());
    EXPECT_TRUE(RemovePassword());
}

TEST_F(PasswordFile, CheckIgnoresBlanksButNotLetterCase) {
    ASSERT_TRUE(WritePassword("Tiger"));
    passwordPrompt.Expect("Password Required", "  Tiger ");
    EXPECT_TRUE(CheckPassword(prompts, passwordPrompt.ask()));
    EXPECT_EQ(passwordPrompt.helpShown, std::vector<bool>{false});

    passwordPrompt.Expect("Password Required", "tiger");
    prompts.ExpectMessage("Invalid Password", kWrong, base::PromptAnswer::Ok,
                          base::PromptIcon::Warning);
    EXPECT_FALSE(CheckPassword(prompts, passwordPrompt.ask()));

    passwordPrompt.Expect("Password Required", std::nullopt);  // cancelled
    prompts.ExpectMessage("Invalid Password", kWrong, base::PromptAnswer::Ok);
    EXPECT_FALSE(CheckPassword(prompts, passwordPrompt.ask()));

    ASSERT_TRUE(RemovePassword());
    std::filesystem::create_directory(kPasswordFile);  // exists, cannot be read as a file
    passwordPrompt.Expect("Password Required", "");
    prompts.ExpectMessage("Invalid Password", kWrong, base::PromptAnswer::Ok);
    EXPECT_FALSE(CheckPassword(prompts, passwordPrompt.ask()));
}

TEST_F(PasswordFile, SetupCreatesAPasswordOnlyWhenBothEntriesMatchWithoutBlanks) {
    prompts.ExpectYesNo(kConfirm, kFirstTime, true);
    passwordPrompt.Expect("Password Setup", "Tiger").Expect("Re-enter Your Password", "tiger");
    prompts.ExpectMessage("Invalid Password",
                          "The two passwords do not match. Unable to setup password. Try again.",
                          base::PromptAnswer::Ok);
    PasswordSetup(prompts, passwordPrompt.ask());
    EXPECT_FALSE(PasswordIsSet());

    prompts.ExpectYesNo(kConfirm, kFirstTime, true);
    passwordPrompt.Expect("Password Setup", " Tiger").Expect("Re-enter Your Password", "Tiger ");
    prompts.ExpectInform("\nPassword: Tiger",
                         "Your new password is shown above. You will need to enter it EXACTLY as "
                         "shown next time you want to access the system.");
    PasswordSetup(prompts, passwordPrompt.ask());
    EXPECT_EQ(ReadPassword(), "Tiger");
}

TEST_F(PasswordFile, ChangeNeedsTheCurrentPasswordAndOneCharacterRemovesTheProtection) {
    ASSERT_TRUE(WritePassword("Tiger"));
    prompts.ExpectYesNo(kConfirm, "A Password exists. Do you want to change it?", true);
    passwordPrompt.Expect("Enter the Current Password", "Tiger");
    prompts.ExpectInform("Password Setup",
                         "You will need to enter a new password TWO times. Do not enter any "
                         "password (twice) if you want to remove the password protection.");
    passwordPrompt.Expect("Password Setup", "x").Expect("Re-enter Your Password", "x");
    prompts.ExpectInform("Password Removed",
                         "You did not enter password. Any password has been cleared. This system "
                         "is no longer password protected.");
    PasswordSetup(prompts, passwordPrompt.ask());
    EXPECT_FALSE(PasswordIsSet());

    // A change needs the current password.
    ASSERT_TRUE(WritePassword("Tiger"));
    prompts.ExpectYesNo(kConfirm, "A Password exists. Do you want to change it?", true);
    passwordPrompt.Expect("Enter the Current Password", "Lion");
    prompts.ExpectMessage("Incorrect Password",
                          "You did not enter the correct password. Unable to change password.",
                          base::PromptAnswer::Ok);
    PasswordSetup(prompts, passwordPrompt.ask());
    EXPECT_EQ(ReadPassword(), "Tiger");

    prompts.ExpectYesNo(kConfirm, "A Password exists. Do you want to change it?", false);
    PasswordSetup(prompts, passwordPrompt.ask());
    EXPECT_EQ(ReadPassword(), "Tiger");
}

}  // namespace
}  // namespace shell
