#pragma once
// The three files of a company's invoices (invoice, detail, memo), opened together for as long as
// the Invoice Manager is open, and the look-ups the entry window and the postings make in them
// and in the customer file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/PromptService.h"
#include "engine/Engine.h"
#include "engine/RecordFile.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceMemoRecord.h"
#include "records/InvoiceRecord.h"

namespace invoicing {

using InvoiceFile = engine::RecordFile<records::InvoiceRecord>;
using LineFile = engine::RecordFile<records::InvoiceLineRecord>;
using MemoFile = engine::RecordFile<records::InvoiceMemoRecord>;
using CustomerFile = engine::RecordFile<records::CustomerRecord>;

template <typename R>
using Entries = std::vector<engine::KeyEntry<R>>;

// An invoice record as read, with the record number and keys it was read with, which a rewrite
// of it must name.
using StoredInvoice = engine::KeyEntry<records::InvoiceRecord>;

class InvoiceFiles {
public:
    InvoiceFiles(engine::Engine& engine, base::PromptService& prompts,
                 std::string_view companyCode);

    // Opens the three files (missing ones are created, a defective index is offered for
    // rebuilding). False, with every file closed again, when one stays closed: the message is
    // then "Unable to open databases: " and the engine's error number.
    [[nodiscard]] bool Open();
    [[nodiscard]] bool Close();
    std::string OpenFailureText() const;

    InvoiceFile& invoices() { return invoices_; }
    LineFile& lines() { return lines_; }
    MemoFile& memos() { return memos_; }
    engine::Engine& engine() { return engine_; }
    base::PromptService& prompts() { return prompts_; }
    const std::string& companyCode() const { return companyCode_; }

    // The first invoice-file record whose number (trimmed, upper-cased) is `number`; nothing
    // when there is none or the search failed.
    std::optional<StoredInvoice> FindInvoice(std::string_view number);
    // Every invoice-file record numbered `number` (an invoice with its payments), in the order of
    // key 1; nothing when the walk ended with an engine error.
    std::optional<Entries<records::InvoiceRecord>> RecordsOf(std::string_view number);
    // The detail records of invoice `number` in the order of detail key 2; nothing when the walk
    // ended with an engine error.
    std::optional<Entries<records::InvoiceLineRecord>> LinesOf(std::string_view number);
    // The memo record of invoice `number` (none or one); nothing when the search failed.
    std::optional<Entries<records::InvoiceMemoRecord>> MemoOf(std::string_view number);

private:
    engine::Engine& engine_;
    base::PromptService& prompts_;
    std::string companyCode_;
    InvoiceFile invoices_;
    LineFile lines_;
    MemoFile memos_;
    int32_t openError_ = 0;
};

}  // namespace invoicing
