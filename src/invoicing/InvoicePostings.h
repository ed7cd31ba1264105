#pragma once
// The postings of invoice entry and the Invoice Manager: adding, editing and deleting an invoice
// with its lines and memo, the customer's balance, aging and last invoice, and the company's
// receivables total and next invoice number. Each is one receivables::Posting: its files held
// before the first write, journaled against a kill, undone whole when a step fails, and its
// balances moved through the posting's one balance step. The company record written becomes
// state.currentCompany, so the next invoice is offered the next number.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "company/ProgramState.h"
#include "engine/RecordFile.h"
#include "invoicing/InvoiceDraft.h"
#include "invoicing/InvoiceFiles.h"
#include "receivables/Aging.h"
#include "receivables/Posting.h"
#include "records/InvoiceRecord.h"

namespace invoicing {

struct PostedInvoice {
    int32_t recordNumber = 0;
    records::InvoiceRecord header;
    int lineCount = 0;
    std::string status;  // the Invoice Manager's status text ("Added invoice 1001 ...")
};

class InvoicePostings {
public:
    // `files` are open, or opened by each posting after the company and customer files.
    InvoicePostings(InvoiceFiles& files, company::ProgramState& state, const base::Clock& clock);

    // The draft has passed CheckInvoice. Nothing, with the reason shown and nothing written, when
    // the posting failed.
    std::optional<PostedInvoice> Add(const InvoiceDraft& entered);
    // `stored` is the record as it was read when editing began; its customer stays. The lines and
    // memo are found by the stored number, so a changed number moves them. A repeat master's
    // amounts stay out of the balances.
    std::optional<PostedInvoice> Edit(const engine::KeyEntry<records::InvoiceRecord>& stored,
                                      const InvoiceDraft& draft);
    // Removes the record, its lines and memo, and (except for a repeat master) its open amount.
    std::optional<PostedInvoice> Delete(const engine::KeyEntry<records::InvoiceRecord>& stored);

private:
    struct Prepared;

    std::optional<Prepared> Prepare(const InvoiceDraft& draft, std::string_view customerNumber);
    void Report(std::string_view text);
    bool TakeFreeNumber(receivables::Posting& posting, InvoiceDraft& draft, const base::Date& date);
    // The invoice files, which every invoice posting holds after the company and customer files.
    std::vector<engine::BlockFile*> Blocks();
    // `amount` in the aging category of an item dated `date` (the limits were checked by Prepare).
    receivables::AgingSums ItemDelta(base::Decimal amount, const base::Date& date) const;

    InvoiceFiles& files_;
    company::ProgramState& state_;
    const base::Clock& clock_;
};

}  // namespace invoicing
