#include "invoicing/RepeatSetupCommand.h"

#include <variant>

#include "base/Dates.h"

namespace invoicing {

RepeatSetupOutcome RunRepeatSetup(InvoiceFiles& files, const StoredInvoice& stored,
                                  company::ProgramState& state, const base::Clock& clock,
                                  const RepeatSetupDialog& dialog) {
    base::PromptService& prompts = files.prompts();
    const auto view = OpenRepeatSetup(stored.record, state.currentCompany, prompts);
    if (!view) return {};
    const base::DateOrder order = base::EntryDateOrder(state.currentCompany.dateFormat());
    const RepeatScheduleCheck check =
        [&](const RepeatScheduleEntry& entry) -> std::optional<RepeatScheduleField> {
        const auto checked = CheckRepeatSchedule(entry, order);
        const auto* failure = std::get_if<RepeatScheduleFailure>(&checked);
        if (!failure) return std::nullopt;
        prompts.Warn(failure->caption, failure->text);
        return failure->field;
    };
    RepeatScheduleEntry entry = view->schedule;
    if (!dialog(*view, entry, check) || !entry.generate) return {};
    const auto checked = CheckRepeatSchedule(entry, order);
    const auto* schedule = std::get_if<RepeatSchedule>(&checked);
    if (!schedule) return {};
    RepeatBilling billing(files, state, clock);
    if (!billing.Setup(stored, *schedule)) return {};
    return {true, view->master ? "The schedule of master " + view->number + " was changed."
                               : "Invoice " + view->number + " is now a repeat master."};
}

}  // namespace invoicing
