#pragma once
// A customer's open items: every invoice-file record of the customer (invoice key 2) with a
// balance due that is not zero, whatever its type and paid flag, summed into the four aging
// categories. A walk that an engine error ends gives no sums: a damaged index must never pass
// for a customer who owes less.

#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/Dates.h"
#include "base/PromptService.h"
#include "engine/Engine.h"
#include "engine/RecordFile.h"
#include "receivables/Aging.h"
#include "records/InvoiceRecord.h"

namespace receivables {

using InvoiceFile = engine::RecordFile<records::InvoiceRecord>;

// How old items are counted: the limits, the moment ages are counted to, and the order in which
// the items' date texts are read.
struct AgingBasis {
    AgingLimits limits;
    base::DateTime now;
    base::DateOrder shortDateOrder = base::DateOrder::MonthFirst;
    // Leaves out items dated after `now`, for the aging as it stood on a past day. The run of the
    // day counts them as new instead.
    bool leaveOutLaterItems = false;
};

// How items are matched to their customer: by the customer number trimmed and upper-cased, as key
// 2 holds it.
std::string ItemCustomerKey(std::string_view customerNumber);

// The customer's sums from an open invoice file; nothing when the walk ended with an engine error.
std::optional<AgingSums> CustomerAgingSums(InvoiceFile& invoices, std::string_view customerNumber,
                                           const AgingBasis& basis);

// The message shown when a customer's open items could not be read to the end.
std::string UnreadableItemsText(std::string_view customerNumber, int32_t error);

// The recomputation payment posting runs before it writes the customer: opens the company's
// invoice file, sums the customer's items and closes it. Writes nothing. Nothing (with the
// reason shown) when the file could not be opened or read to the end.
std::optional<AgingSums> RecomputeCustomerAging(engine::Engine& engine,
                                                base::PromptService& prompts,
                                                std::string_view companyCode,
                                                std::string_view customerNumber,
                                                const AgingBasis& basis);

}  // namespace receivables
