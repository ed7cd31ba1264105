#include "maintenance/DeletePaidFlow.h"

namespace maintenance {
namespace {

std::string Listed(const std::vector<std::string>& numbers) {
    std::string text;
    for (const std::string& number : numbers) text += (text.empty() ? "" : ", ") + number;
    return text;
}

}  // namespace

DeletePaidFlow::DeletePaidFlow(engine::Engine& engine, base::PromptService& prompts,
                               company::ProgramState& state, const base::Clock& clock)
    : engine_(engine), prompts_(prompts), state_(state), clock_(clock) {}

std::optional<DeletePaidResult> DeletePaidFlow::Run(const company::PasswordAsk& password,
                                                    const std::function<void()>& removing) {
    if (!company::CheckPassword(engine_.fileSystem(), prompts_, password)) return std::nullopt;
    if (!prompts_.AskYesNo(
            "Delete Paid Records",
            "This option will remove only PAID transactions older than the date you select. Once "
            "removed, they will no longer appear on any reports or system options. We suggest "
            "you leave 3 years on file and print reports for what you are about to remove. "
            "Continue?"))
        return std::nullopt;
    const std::optional<base::Date> cutOff = prompts_.PickDate(kDeleteDateCaption, clock_.Today());
    if (!cutOff) return std::nullopt;
    const std::string shown = base::FormatDate(*cutOff, state_.shortDateOrder);
    if (!prompts_.AskYesNo("Please Confirm",
                           "All paid records older than " + shown + " will be removed. Continue?"))
        return std::nullopt;
    if (removing) removing();
    std::optional<PaidRemoval> removal =
        RemovePaidInvoices(engine_, prompts_, state_, clock_, *cutOff);
    if (!removal) return std::nullopt;
    prompts_.Inform("Records Removed", RemovalMessage(*removal, shown));
    return DeletePaidResult{*removal, std::to_string(removal->records) + " records were removed."};
}

std::string RemovalMessage(const PaidRemoval& removal, const std::string& dateShown) {
    std::string text = std::to_string(removal.records) + " paid records older than " + dateShown +
                       " were removed.";
    if (!removal.owing.empty())
        text += "\n\nKept because a balance is still due on records marked paid: " +
                Listed(removal.owing) + ".";
    if (!removal.failed.empty())
        text += "\n\n" + std::to_string(removal.failed.size()) +
                " invoice(s) could not be removed and were left whole: " + Listed(removal.failed) +
                ".";
    if (!removal.readToEnd)
        text += "\n\nThe invoice file could not be read to its end: run \"Rebuild Data Files\".";
    return text;
}

}  // namespace maintenance
