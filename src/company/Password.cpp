#include "company/Password.h"

#include "base/RecordField.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/SmallFile.h"

namespace company {

namespace {

constexpr char kConfirmCaption[] = "Please Confirm";
constexpr char kSetupCaption[] = "Password Setup";

std::optional<std::string> AskTrimmed(const PasswordAsk& ask, const std::string& caption) {
    std::optional<std::string> entry = ask(caption, true);
    if (!entry) return std::nullopt;
    return base::CutTo(base::Trim(*entry), kMaxPasswordLength);
}

void ReportNotSaved(base::PromptService& prompts) {
    prompts.Message(kSetupCaption,
                    "The password file could not be written. The password protection is "
                    "unchanged.",
                    base::PromptIcon::Error, base::PromptButtons::Ok);
}

// Step 1 of a change: the user confirms and proves to know the current password.
bool ConfirmChange(engine::FileSystem& fs, base::PromptService& prompts, const PasswordAsk& ask) {
    if (!prompts.AskYesNo(kConfirmCaption, "A Password exists. Do you want to change it?"))
        return false;
    const std::optional<std::string> stored = ReadPassword(fs);
    const std::optional<std::string> entry = AskTrimmed(ask, "Enter the Current Password");
    if (!entry) return false;
    if (!stored || *entry != *stored) {
        prompts.Message("Incorrect Password",
                        "You did not enter the correct password. Unable to change password.",
                        base::PromptIcon::Warning, base::PromptButtons::Ok);
        return false;
    }
    prompts.Inform(kSetupCaption,
                   "You will need to enter a new password TWO times. Do not enter any password "
                   "(twice) if you want to remove the password protection.");
    return true;
}

}  // namespace

bool PasswordIsSet(engine::FileSystem& fs) {
    return fs.Exists(kPasswordFile);
}

std::optional<std::string> ReadPassword(engine::FileSystem& fs) {
    std::optional<std::string> bytes = ReadSmallFile(fs, kPasswordFile);
    if (!bytes) return std::nullopt;
    bytes->resize(kPasswordRecordSize, '\0');
    const std::string text =
        base::ReadText(reinterpret_cast<const uint8_t*>(bytes->data()), 0, kMaxPasswordLength);
    return base::CutTo(base::Trim(text), kMaxPasswordLength);
}

bool WritePassword(engine::FileSystem& fs, std::string_view password) {
    std::string record(kPasswordRecordSize, '\0');
    base::WriteText(reinterpret_cast<uint8_t*>(record.data()), 0, kMaxPasswordLength, password);
    return ReplaceSmallFile(fs, kPasswordFile, record, SmallFileAccess::OwnerOnly);
}

bool RemovePassword(engine::FileSystem& fs) {
    if (fs.Exists(kPasswordFile)) fs.Remove(kPasswordFile);
    return !fs.Exists(kPasswordFile);
}

bool CheckPassword(engine::FileSystem& fs, base::PromptService& prompts, const PasswordAsk& ask) {
    if (!PasswordIsSet(fs)) return true;
    const std::optional<std::string> entry = ask("Password Required", false);
    const std::optional<std::string> stored = ReadPassword(fs);
    // A cancelled prompt counts as an empty entry, and is refused like a wrong one.
    const std::string entered = base::Trim(entry.value_or(""));
    if (!stored || entered != *stored) {
        prompts.Message("Invalid Password", "You did not enter the correct password.",
                        base::PromptIcon::Warning, base::PromptButtons::Ok);
        return false;
    }
    return entry.has_value();
}

void PasswordSetup(engine::FileSystem& fs, base::PromptService& prompts, const PasswordAsk& ask) {
    if (PasswordIsSet(fs)) {
        if (!ConfirmChange(fs, prompts, ask)) return;
    } else if (!prompts.AskYesNo(kConfirmCaption,
                                 "Once you create a password you must enter it EXACTLY or you "
                                 "will not be able to use the billing system. Continue?")) {
        return;
    }
    const std::optional<std::string> first = AskTrimmed(ask, kSetupCaption);
    if (!first) return;
    const std::optional<std::string> second = AskTrimmed(ask, "Re-enter Your Password");
    if (!second) return;
    if (*first != *second) {
        prompts.Message("Invalid Password",
                        "The two passwords do not match. Unable to setup password. Try again.",
                        base::PromptIcon::Warning, base::PromptButtons::Ok);
        return;
    }
    if (first->size() < 2) {
        if (!RemovePassword(fs)) return ReportNotSaved(prompts);
        prompts.Inform("Password Removed",
                       "You did not enter password. Any password has been cleared. This system is "
                       "no longer password protected.");
        return;
    }
    if (!WritePassword(fs, *first)) return ReportNotSaved(prompts);
    prompts.Inform("\nPassword: " + base::Win1252ToUtf8(*first),
                   "Your new password is shown above. You will need to enter it EXACTLY as shown "
                   "next time you want to access the system.");
}

}  // namespace company
