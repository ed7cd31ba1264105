#pragma once
// The Customer Manager's commands as plain logic: adding a customer and advancing the company's
// next customer number, editing one (and moving its invoice-file records to a changed number),
// deleting one behind its guards, and the customer list report. The window shows the list and the
// customer edit dialog and paints what a command returns; every read, write, question and
// message is decided here.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/CompanyFile.h"
#include "company/ManagerTypes.h"
#include "company/ProgramState.h"
#include "customers/CustomerEdit.h"
#include "engine/Engine.h"
#include "engine/RecordFile.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceRecord.h"

namespace customers {

// The orders of the list: the customer file's key 1 (name) and key 2 (number).
namespace CustomerOrder {
inline constexpr company::ManagerOrder ByName = company::ManagerOrder::Key1;
inline constexpr company::ManagerOrder ByNumber = company::ManagerOrder::Key2;
}  // namespace CustomerOrder

// The checks of "&Ok" for the dialog to run on the values typed; a failure has been shown already,
// and the dialog puts the focus on its control and stays open.
using CustomerCheck = std::function<std::optional<CustomerFailure>(records::CustomerRecord&)>;

// The customer edit dialog.
using CustomerEditor = company::ManagerEditor<records::CustomerRecord, CustomerCheck>;

// What the customer list report covers.
struct CustomerListChoice {
    bool withAddresses = false;
    company::ManagerOrder order = CustomerOrder::ByName;
};

class CustomerManagerFlow {
public:
    // Works on the customer and invoice files of the company that is current when a visit opens.
    // `companies` is the company file, opened here only while the next customer number is written
    // back.
    CustomerManagerFlow(engine::Engine& engine, company::CompanyFile& companies,
                        base::PromptService& prompts, company::ProgramState& state,
                        const base::Clock& clock);

    // Opens the customer file (created when missing); "Unable to open database" when it cannot
    // be opened (the program must then end).
    bool Open();
    void Close();

    company::ManagerOrder order() const { return order_; }
    void SetOrder(company::ManagerOrder order) { order_ = order; }
    // "Customers: 3"
    std::string CountText();
    // The row of a record, or of a customer number (trimmed, any letter case), in the list's order.
    std::optional<company::ManagerRow> RowOf(int32_t recordNumber);
    std::optional<company::ManagerRow> RowOfNumber(std::string_view number);
    // The row a list opened on the customer picked before starts on: the first at or after its key
    // in the list's order; nothing for a blank key, and "Customer Search operation failed" when
    // the search finds nothing.
    std::optional<company::ManagerRow> RowOfPicked(const records::CustomerRecord& picked);
    // The customer of a row (to pick, queue or print an envelope for); nothing without a row.
    std::optional<records::CustomerRecord> CustomerAt(int32_t recordNumber) {
        return Read(recordNumber);
    }
    // The open customer file block, for the list and the find dialog to read.
    engine::FileBlockHandle fileBlock() const { return customers_->handle(); }
    // The open customer file, for the statements to read their customers from while it is held.
    engine::RecordFile<records::CustomerRecord>& customerFile() { return *customers_; }

    // "&New": a new customer with the company's next number; after the add, the company's next
    // customer number follows the number used.
    company::ManagerUpdate Add(const CustomerEditor& editor);
    // "&Edit" of the row `recordNumber` (0: no row). A changed number is carried to the customer's
    // invoices, payments and deposits in the invoice file.
    company::ManagerUpdate Edit(int32_t recordNumber, const CustomerEditor& editor);
    // "&Delete": refused while a balance is due or anything in the invoice file names the
    // customer, then the question.
    company::ManagerUpdate Delete(int32_t recordNumber);

    // "Customer &List": the two questions (nothing: cancelled), then the report, passed through
    // TXTTEMP.TXT; nothing when the walk or that file failed (reported).
    std::optional<CustomerListChoice> AskListChoice();
    std::optional<company::ManagerReport> ListReport(const CustomerListChoice& choice);

private:
    using InvoiceFile = engine::RecordFile<records::InvoiceRecord>;

    std::optional<records::CustomerRecord> Read(int32_t recordNumber);
    std::optional<records::CustomerRecord> FirstAtOrAfter(int keyNumber,
                                                          const records::CustomerRecord& wanted);
    CustomerCheck Check(EditedNumber edited);
    InvoiceFile Invoices();
    bool AdvanceNextNumber(std::string_view usedNumber);
    // Moves key 2 of every invoice-file record of `oldNumber` to `newNumber`; the count, or
    // nothing when a step failed (reported).
    std::optional<int> Renumber(InvoiceFile& invoices, std::string_view oldNumber,
                                std::string_view newNumber);
    // Whether the invoice file holds a record of `number`; nothing when it could not be read
    // (reported).
    std::optional<bool> HasInvoices(std::string_view number);
    void ReportFailure(std::string_view text);

    engine::Engine& engine_;
    company::CompanyFile& companies_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
    std::optional<engine::RecordFile<records::CustomerRecord>> customers_;  // from Open()
    company::ManagerOrder order_ = CustomerOrder::ByName;  // by name when the program starts
};

}  // namespace customers
