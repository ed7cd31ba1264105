#pragma once
// The Invoice Manager's commands as plain logic: opening the company's invoice files, the display
// order and the filter on one customer with the range and texts the list shows for them, finding
// an invoice by number, the quick view's values, and deleting the current record behind its
// guards through the all-or-nothing delete posting, making it a repeat master (or changing a
// master's schedule), and viewing, printing and Batch Print through the dispatch. The window
// shows the list and paints what a command returns.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "invoicing/BatchPrint.h"
#include "invoicing/InvoiceDispatch.h"
#include "invoicing/InvoiceDocument.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/InvoiceList.h"
#include "invoicing/QuickViewValues.h"
#include "invoicing/RepeatSetupCommand.h"

namespace invoicing {

// A row of the list: the record and its key in the list's order.
struct InvoiceRow {
    int32_t recordNumber = 0;
    std::string key;
};

// The entries the list walks: a key of the invoice file between two keys (empty: open).
struct InvoiceListSource {
    int keyNumber = 1;
    KeyRange range;
};

// What the filter shows while it is on (nothing when it is off).
struct InvoiceFilterView {
    std::string label;  // "Filtering Customer#: A1" / "Filter Closed"
    std::string hint;   // "Click filter button again to clear filter." / "Filter closed."
    bool on = false;
};

// What the list does after a delete.
struct InvoiceListUpdate {
    bool reread = false;
    std::string status;  // "Deleted invoice 1001 containing 2 line item(s)."
};

class InvoiceManagerFlow {
public:
    InvoiceManagerFlow(engine::Engine& engine, base::PromptService& prompts,
                       company::ProgramState& state, const base::Clock& clock);

    // Opens the invoice, detail and memo files of the current company and switches the filter
    // off. When they cannot be opened, "Unable to open databases: " and the engine's error number
    // is shown and the manager stays closed.
    bool Open();
    void Close();
    engine::FileBlockHandle fileBlock() { return files_->invoices().handle(); }
    // The open files, on which the entry window posts.
    InvoiceFiles& files() { return *files_; }

    InvoiceOrder order() const { return order_; }
    void SetOrder(InvoiceOrder order) { order_ = order; }
    InvoiceListSource Source() const;
    // "Records: 12"
    std::string CountText();

    // Switches the filter: on, to the customer of the record `recordNumber` (nothing happens
    // without one); off when it is on.
    InvoiceFilterView SwitchFilter(int32_t recordNumber);
    bool filtering() const { return filterCustomer_.has_value(); }
    static InvoiceFilterView FilterClosed();

    // The row of a record in the list's order; the row the list opens on (the company's last
    // invoice number); the first row at or after a typed invoice number (at most 9 characters).
    std::optional<InvoiceRow> RowOf(int32_t recordNumber);
    std::optional<InvoiceRow> StartRow();
    std::optional<InvoiceRow> RowAtNumber(std::string_view number);

    // The quick view of a record and its customer (read by customer key 2).
    std::optional<QuickViewValues> QuickView(int32_t recordNumber);

    // "&Edit": the record `recordNumber` when the edit guards let it be edited.
    std::optional<StoredInvoice> EditableRecord(int32_t recordNumber);

    // "&Delete" of the record `recordNumber`: the guards in their order and the questions, then
    // the delete posting (whole or not at all).
    InvoiceListUpdate Delete(int32_t recordNumber);

    // "&Repeat Billing Setup" of the record `recordNumber` through `dialog`.
    InvoiceListUpdate RepeatSetup(int32_t recordNumber, const RepeatSetupDialog& dialog);

    // "&View": the document of invoice `number`; nothing, with the reason shown, when it cannot
    // be read.
    std::optional<InvoiceDocument> Document(std::string_view number);
    // The invoice number of the record `recordNumber`; nothing without a record.
    std::optional<std::string> NumberOf(int32_t recordNumber);

    // A dispatch on the open files in the program's output mode (the main window's printer or
    // e-mail setting), printing on `printer` and mailing through `mail`; Batch Print queues
    // customers for labels in the program's print queue.
    DispatchContext Dispatch(PrintSink& printer, mail::MailConnection& mail);

private:
    std::optional<StoredInvoice> Read(int32_t recordNumber);
    std::optional<InvoiceRow> RowOfEntry(const StoredInvoice& entry);

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
    std::optional<InvoiceFiles> files_;            // from Open()
    InvoiceOrder order_ = InvoiceOrder::ByNumber;  // kept for the run
    std::optional<std::string> filterCustomer_;    // trimmed customer number while filtering
};

}  // namespace invoicing
