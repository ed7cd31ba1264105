#pragma once
// "&Repeat Billing Setup" on the Invoice Manager's current record: the guards, the Repeat Invoice
// Setup dialog filled for a master or an invoice, the checks of its OK, and the posting that makes
// the record a master or changes a master's schedule.

#include <functional>
#include <optional>
#include <string>

#include "base/Clock.h"
#include "company/ProgramState.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/RepeatBilling.h"
#include "invoicing/RepeatSchedule.h"

namespace invoicing {

// The check of the dialog's OK: the refusal is shown, and the answer names the control to focus;
// nothing when the values pass.
using RepeatScheduleCheck =
    std::function<std::optional<RepeatScheduleField>(const RepeatScheduleEntry&)>;

// The dialog: shows `view`, lets the user change `entry` and returns true on an OK that passed
// `check`, false when cancelled.
using RepeatSetupDialog = std::function<bool(
    const RepeatSetupView& view, RepeatScheduleEntry& entry, const RepeatScheduleCheck& check)>;

struct RepeatSetupOutcome {
    bool saved = false;  // the list shows the record again
    std::string status;  // "Invoice 1001 is now a repeat master." or its schedule changed
};

RepeatSetupOutcome RunRepeatSetup(InvoiceFiles& files, const StoredInvoice& stored,
                                  company::ProgramState& state, const base::Clock& clock,
                                  const RepeatSetupDialog& dialog);

}  // namespace invoicing
