#pragma once
// The incremental move of an open amount that invoice entry, payment posting, interest and repeat
// billing make: the customer's balance and the aging category of the item's age change by the
// amount, and so does the company's receivables total. Both records are written through their
// files; when the company cannot be written the customer is put back, so the two never disagree
// silently.

#include <functional>
#include <string_view>

#include "base/Clock.h"
#include "base/Decimal.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "receivables/Aging.h"

namespace receivables {

// Adds `amount` (negative to remove it) for an item dated `itemDate` of customer
// `customerNumber` in the current company of `state`, whose receivables total follows. False,
// with the reason shown and nothing changed, when a step fails.
bool AdjustReceivable(engine::Engine& engine, base::PromptService& prompts,
                      company::ProgramState& state, const base::Clock& clock,
                      std::string_view customerNumber, base::Decimal amount,
                      const base::Date& itemDate);

// A payment of `paid` received from customer `customerNumber` on `paymentDate` (as typed): the
// customer's balance drops by it, its last payment date becomes the date and its four aging
// amounts become `aging` (recomputed from its items after the payment was written); the company's
// receivables total drops by it. False, with the reason shown and nothing changed, when a step
// fails.
bool ReceivePayment(engine::Engine& engine, base::PromptService& prompts,
                    company::ProgramState& state, std::string_view customerNumber,
                    base::Decimal paid, std::string_view paymentDate, const AgingSums& aging);

// Writes `update` into the current company's record in the company file and the same change into
// state.currentCompany. False, with the reason shown, when the record could not be written.
bool UpdateCurrentCompany(engine::Engine& engine, base::PromptService& prompts,
                          company::ProgramState& state,
                          const std::function<bool(records::CompanyRecord&)>& update);

}  // namespace receivables
