#include "company/Password.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "engine/FaultInjectingFileSystem.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace company {
namespace {

using testsupport::ScriptedPrompts;

constexpr char kConfirm[] = "Please Confirm";
constexpr char kFirstTime[] =
    "Once you create a password you must enter it EXACTLY or you will not be able to use the "
    "billing system. Continue?";
constexpr char kWrong[] = "You did not enter the correct password.";

class PasswordFile : public ::testing::Test {
public:
    // The next password prompt must carry `caption`; it is answered with `typed` (none: Cancel).
    PasswordFile& Expect(std::string caption, std::optional<std::string> typed) {
        script_.push_back({std::move(caption), std::move(typed)});
        return *this;
    }
    PasswordAsk Ask() {
        return [this](const std::string& caption, bool) -> std::optional<std::string> {
            EXPECT_FALSE(script_.empty()) << "unexpected prompt " << caption;
            if (script_.empty()) return std::nullopt;
            auto [expected, typed] = script_.front();
            script_.pop_front();
            EXPECT_EQ(caption, expected);
            return typed;
        };
    }
    void TearDown() override { EXPECT_TRUE(script_.empty()) << "password prompts left over"; }

    // The change of a password set to "Tiger", up to the new password's two entries.
    void ExpectChangeUpToTheNewPassword() {
        ASSERT_TRUE(WritePassword(files, "Tiger"));
        prompts.ExpectYesNo(kConfirm, "A Password exists. Do you want to change it?", true);
        Expect("Enter the Current Password", "Tiger");
        prompts.ExpectInform("Password Setup",
                             "You will need to enter a new password TWO times. Do not enter any "
                             "password (twice) if you want to remove the password protection.");
    }

    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    engine::FaultInjectingFileSystem files{engine::PosixFileSystem()};
    ScriptedPrompts prompts;
    std::deque<std::pair<std::string, std::optional<std::string>>> script_;
};

TEST_F(PasswordFile, StoredPasswordIsOneOwnerOnlyRecord) {
    EXPECT_TRUE(CheckPassword(files, prompts, Ask()));  // no file: no question
    ASSERT_TRUE(WritePassword(files, "Secret word that is too long"));
    struct stat st {};
    ASSERT_EQ(::stat(kPasswordFile, &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);
    std::ifstream in(kPasswordFile, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, std::string("\x14") + "Secret word that is ");
    EXPECT_EQ(ReadPassword(files), "Secret word that is");  // trimmed when read
}

TEST_F(PasswordFile, CheckIgnoresBlanksButNotLetterCaseAndCancelFails) {
    ASSERT_TRUE(WritePassword(files, "Tiger"));
    for (const auto& typed : {std::optional<std::string>("  Tiger "),
                              std::optional<std::string>("tiger"), std::optional<std::string>()}) {
        const bool right = typed && *typed == "  Tiger ";
        Expect("Password Required", typed);
        if (!right)
            prompts.ExpectMessage("Invalid Password", kWrong, base::PromptAnswer::Ok,
                                  base::PromptIcon::Warning);
        EXPECT_EQ(CheckPassword(files, prompts, Ask()), right);
    }
}

TEST_F(PasswordFile, SetupCreatesAPasswordOnlyWhenBothEntriesMatchWithoutBlanks) {
    prompts.ExpectYesNo(kConfirm, kFirstTime, true);
    Expect("Password Setup", "Tiger").Expect("Re-enter Your Password", "tiger");
    prompts.ExpectMessage("Invalid Password",
                          "The two passwords do not match. Unable to setup password. Try again.",
                          base::PromptAnswer::Ok);
    PasswordSetup(files, prompts, Ask());
    EXPECT_FALSE(PasswordIsSet(files));

    prompts.ExpectYesNo(kConfirm, kFirstTime, true);
    Expect("Password Setup", " Tiger").Expect("Re-enter Your Password", "Tiger ");
    prompts.ExpectInform("\nPassword: Tiger",
                         "Your new password is shown above. You will need to enter it EXACTLY as "
                         "shown next time you want to access the system.");
    PasswordSetup(files, prompts, Ask());
    EXPECT_EQ(ReadPassword(files), "Tiger");
}

TEST_F(PasswordFile, ChangeNeedsTheCurrentPasswordAndOneCharacterRemovesTheProtection) {
    ExpectChangeUpToTheNewPassword();
    Expect("Password Setup", "x").Expect("Re-enter Your Password", "x");
    prompts.ExpectInform("Password Removed",
                         "You did not enter password. Any password has been cleared. This system "
                         "is no longer password protected.");
    PasswordSetup(files, prompts, Ask());
    EXPECT_FALSE(PasswordIsSet(files));

    ASSERT_TRUE(WritePassword(files, "Tiger"));
    prompts.ExpectYesNo(kConfirm, "A Password exists. Do you want to change it?", true);
    Expect("Enter the Current Password", "Lion");
    prompts.ExpectMessage("Incorrect Password",
                          "You did not enter the correct password. Unable to change password.",
                          base::PromptAnswer::Ok);
    PasswordSetup(files, prompts, Ask());
    EXPECT_EQ(ReadPassword(files), "Tiger");
}

TEST_F(PasswordFile, ANewPasswordTheDiskRefusesLeavesTheOldOneInForce) {
    ExpectChangeUpToTheNewPassword();
    Expect("Password Setup", "Lion").Expect("Re-enter Your Password", "Lion");
    prompts.ExpectMessage("Password Setup",
                          "The password file could not be written. The password protection is "
                          "unchanged.",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    files.FailWrite(1);
    PasswordSetup(files, prompts, Ask());
    EXPECT_EQ(ReadPassword(files), "Tiger");
    EXPECT_FALSE(std::filesystem::exists("zr1confg.dat.new"));
}

}  // namespace
}  // namespace company
