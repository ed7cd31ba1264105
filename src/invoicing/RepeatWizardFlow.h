#pragma once
// The Repeat Billing Wizard's commands as plain logic: the dates it opens with, "&Search" for the
// masters due through a date, and "Create In&voices" from the masters listed. The invoice files
// are opened for each command and closed after it. The window shows what each returns.

#include <functional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "invoicing/RepeatBilling.h"

namespace invoicing {

inline constexpr char kDefaultRepeatComments[] = "Monthly Service";

struct RepeatWizardView {
    std::vector<std::string> lines;  // the list, in its fixed columns
    std::string status;
    std::string searchDate;   // in the company's date order
    std::string invoiceDate;  // Search copies the search date here
    bool canCreate = false;
};

class RepeatWizardFlow {
public:
    RepeatWizardFlow(engine::Engine& engine, base::PromptService& prompts,
                     company::ProgramState& state, const base::Clock& clock);

    // Both dates today, nothing listed, "Last generated invoices were dated: " and the date.
    RepeatWizardView Open();
    RepeatWizardView Search(const std::string& through);
    // Creates the invoices of the masters listed; `progress` gets how many masters are done.
    RepeatWizardView Create(const std::string& invoiceDate, const std::string& comments,
                            const std::function<void(size_t done, size_t of)>& progress);

    base::DateOrder order() const;

private:
    bool OpenFiles(InvoiceFiles& files);

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
    RepeatWizardView view_;
    std::vector<DueMaster> listed_;
};

}  // namespace invoicing
