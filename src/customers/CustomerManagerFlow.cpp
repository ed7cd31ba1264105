#include "customers/CustomerManagerFlow.h"

#include <utility>
#include <vector>

#include "base/Decimal.h"
#include "base/Text.h"
#include "company/SmallFile.h"
#include "customers/CustomerTexts.h"
#include "engine/Errors.h"
#include "records/RecordTypes.h"

namespace customers {

namespace {

constexpr char kDeleteCaption[] = "Delete Customer";
constexpr char kBalanceDue[] = "This customer has a balance due. Unable to delete.";
constexpr char kInvoicesOnFile[] =
    "This customer has invoices on file and may not be deleted. You can mark this customer as "
    "inactive, otherwise, wait until you remove their paid invoices, then delete.";
constexpr int kInvoiceCustomerNumberSize = 8;

engine::FileDescription FileOf(records::RecordKind kind, const records::CompanyRecord& company) {
    return records::RecordTypeOf(kind).Describe(company.code());
}

// A balance that is no number cannot be shown to be zero, so it keeps the customer.
bool BalanceIsZero(const records::CustomerRecord& customer) {
    const auto balance = base::Decimal::Parse(base::RemoveCommas(base::Trim(customer.balance())));
    return balance && *balance == base::Decimal{};
}

// Key 2 of the invoice file for a customer number.
std::string InvoiceKeyOf(std::string_view customerNumber) {
    records::InvoiceRecord wanted;
    wanted.setCustomerNumber(customerNumber);
    return wanted.key(2);
}

}  // namespace

CustomerManagerFlow::CustomerManagerFlow(engine::Engine& engine, company::CompanyFile& companies,
                                         base::PromptService& prompts, company::ProgramState& state,
                                         const base::Clock& clock)
    : engine_(engine), companies_(companies), prompts_(prompts), state_(state), clock_(clock) {}

bool CustomerManagerFlow::Open() {
    // The file of the company that is current now: the company may have changed since the last
    // visit.
    customers_.emplace(engine_, FileOf(records::RecordKind::Customer, state_.currentCompany),
                       prompts_);
    if (customers_->Open()) return true;
    ReportFailure("Unable to open database");
    return false;
}

void CustomerManagerFlow::Close() {
    if (customers_ && !customers_->Close())
        ReportFailure(engine::ErrorText(engine::ErrorClass::Fatal, engine_.error()));
}

std::string CustomerManagerFlow::CountText() {
    return "Customers: " + std::to_string(engine_.UsedRecords(customers_->handle()));
}

std::optional<company::ManagerRow> CustomerManagerFlow::RowOf(int32_t recordNumber) {
    const std::optional<records::CustomerRecord> customer = Read(recordNumber);
    if (!customer) return std::nullopt;
    return company::ManagerRow{recordNumber, customer->key(company::KeyNumber(order_))};
}

std::optional<company::ManagerRow> CustomerManagerFlow::RowOfNumber(std::string_view number) {
    records::CustomerRecord wanted;
    wanted.setNumber(number);
    engine::KeyEntry<records::CustomerRecord> found;
    if (customers_->Search(2, wanted.key(2), found) != engine::ErrorClass::None ||
        found.key != wanted.key(2))
        return std::nullopt;
    return company::ManagerRow{found.recordNumber, found.record.key(company::KeyNumber(order_))};
}

std::optional<company::ManagerRow> CustomerManagerFlow::RowOfPicked(
    const records::CustomerRecord& picked) {
    const std::string key = picked.key(company::KeyNumber(order_));
    if (base::Trim(key).empty()) return std::nullopt;
    engine::KeyEntry<records::CustomerRecord> found;
    if (customers_->Search(company::KeyNumber(order_), key, found) != engine::ErrorClass::None) {
        ReportFailure("Customer Search operation failed");
        return std::nullopt;
    }
    return company::ManagerRow{found.recordNumber, found.key};
}

company::ManagerUpdate CustomerManagerFlow::Add(const CustomerEditor& editor) {
    records::CustomerRecord customer = NewCustomer(state_.currentCompany);
    if (!editor(company::EditPurpose::Add, customer, Check(std::nullopt))) return {};
    NormaliseCustomer(customer, true);
    int32_t recordNumber = 0;
    if (!customers_->Add(customer, recordNumber)) {
        ReportFailure("Add operation failed");
        return {};
    }
    if (!AdvanceNextNumber(customer.number())) {
        ReportFailure(
            "The customer was added, but the company's next customer number could not be "
            "saved.");
    }
    return {true, true, RowOf(recordNumber), 0};
}

company::ManagerUpdate CustomerManagerFlow::Edit(int32_t recordNumber,
                                                 const CustomerEditor& editor) {
    const std::optional<records::CustomerRecord> original = Read(recordNumber);
    if (!original) return {};
    records::CustomerRecord customer = *original;
    const std::string oldNumber = SameNumberForm(original->number());
    if (!editor(company::EditPurpose::Edit, customer, Check(oldNumber))) return {};
    NormaliseCustomer(customer, false);

    // The invoice file is opened before anything is written, so that a file that cannot be opened
    // leaves the customer and its invoices as they were.
    const bool renumbering = SameNumberForm(customer.number()) != oldNumber;
    InvoiceFile invoices = Invoices();
    if (renumbering && !invoices.Open()) {
        ReportFailure("Unable to open the invoice file. The customer was not changed.");
        return {};
    }
    const engine::UpdateOutcome outcome = customers_->Update(recordNumber, customer, *original);
    if (outcome == engine::UpdateOutcome::Failed || outcome == engine::UpdateOutcome::RecordGone)
        ReportFailure("Modify operation failed");
    if (outcome != engine::UpdateOutcome::Written && outcome != engine::UpdateOutcome::Unchanged)
        return {false, false, RowOf(recordNumber), 0};

    company::ManagerUpdate update{true, true, RowOf(recordNumber), 0};
    if (!renumbering) return update;
    const std::optional<int> moved = Renumber(invoices, oldNumber, customer.number());
    if (!invoices.Close())
        ReportFailure(engine::ErrorText(engine::ErrorClass::Fatal, engine_.error()));
    if (moved && *moved > 0) {
        update.renumbered = *moved;
        prompts_.Inform("Customer Number Changed",
                        "This customer has " + std::to_string(*moved) +
                            " record(s) on file. All have been changed to reflect the new "
                            "customer number.");
    }
    return update;
}

company::ManagerUpdate CustomerManagerFlow::Delete(int32_t recordNumber) {
    const std::optional<records::CustomerRecord> customer = Read(recordNumber);
    if (!customer) return {};
    if (!BalanceIsZero(*customer)) {
        prompts_.Warn(kDeleteCaption, kBalanceDue);
        return {};
    }
    const std::optional<bool> invoicesOnFile = HasInvoices(customer->number());
    if (!invoicesOnFile) return {};
    if (*invoicesOnFile) {
        prompts_.Warn(kDeleteCaption, kInvoicesOnFile);
        return {};
    }
    if (!prompts_.AskYesNo("Delete Customer#: " + customer->number(),
                           "Are you sure you want to delete this customer?"))
        return {};
    if (!customers_->Delete(recordNumber, *customer)) {
        ReportFailure("Delete customer failed");
        return {};
    }
    return {true, true, std::nullopt, 0};
}

std::optional<CustomerListChoice> CustomerManagerFlow::AskListChoice() {
    const base::PromptAnswer addresses = prompts_.Message(
        "Customer List", "Do you want to include the customer addresses on this list?",
        base::PromptIcon::Question, base::PromptButtons::YesNoCancel);
    if (addresses == base::PromptAnswer::Cancel) return std::nullopt;
    const base::PromptAnswer byNumber = prompts_.MessageWithDefault(
        "Customer Sort",
        "Customers will be sorted by name. Would you rather sort by customer number?",
        base::PromptIcon::Question, base::PromptButtons::YesNo, base::PromptAnswer::No);
    return CustomerListChoice{
        addresses == base::PromptAnswer::Yes,
        byNumber == base::PromptAnswer::Yes ? CustomerOrder::ByNumber : CustomerOrder::ByName};
}

std::optional<company::ManagerReport> CustomerManagerFlow::ListReport(
    const CustomerListChoice& choice) {
    std::vector<records::CustomerRecord> customers;
    const engine::ErrorClass outcome =
        customers_->ForEach(company::KeyNumber(choice.order),
                            [&](const auto& entry) { customers.push_back(entry.record); });
    // A list cut short by a damaged index says so rather than passing for the whole list.
    if (outcome != engine::ErrorClass::None) {
        ReportFailure(engine::ErrorText(outcome, engine_.error()));
        return std::nullopt;
    }
    const std::string report = CustomerListReport(state_.currentCompany.name(), customers,
                                                  choice.withAddresses, clock_.Now());
    engine::FileSystem& fs = engine_.fileSystem();
    std::optional<std::string> text;
    if (company::ReplaceSmallFile(fs, company::kManagerReportFile, report,
                                  company::SmallFileAccess::Everyone))
        text = company::ReadSmallFile(fs, company::kManagerReportFile);
    if (fs.Exists(company::kManagerReportFile)) fs.Remove(company::kManagerReportFile);
    if (!text) {
        ReportFailure("Unable to write the customer list to TXTTEMP.TXT.");
        return std::nullopt;
    }
    return company::ManagerReport{
        choice.order == CustomerOrder::ByNumber ? "Customer List by Number"
                                                : "Customer List by Name",
        std::move(*text), CustomerListCsv(customers, choice.withAddresses)};
}

std::optional<records::CustomerRecord> CustomerManagerFlow::Read(int32_t recordNumber) {
    records::CustomerRecord customer;
    if (recordNumber == 0 || !customers_->Get(recordNumber, customer)) return std::nullopt;
    return customer;
}

std::optional<records::CustomerRecord> CustomerManagerFlow::FirstAtOrAfter(
    int keyNumber, const records::CustomerRecord& wanted) {
    engine::KeyEntry<records::CustomerRecord> found;
    // Only a search that found an entry has read its record; anything else finds no customer.
    if (customers_->Search(keyNumber, wanted.key(keyNumber), found) != engine::ErrorClass::None)
        return std::nullopt;
    return found.record;
}

CustomerCheck CustomerManagerFlow::Check(EditedNumber edited) {
    return [this, edited = std::move(edited)](records::CustomerRecord& customer) {
        const CustomerLookup lookup{[this](const std::string& number) {
                                        records::CustomerRecord wanted;
                                        wanted.setNumber(number);
                                        return FirstAtOrAfter(2, wanted);
                                    },
                                    [this](const std::string& name) {
                                        records::CustomerRecord wanted;
                                        wanted.setName(name);
                                        return FirstAtOrAfter(1, wanted);
                                    }};
        std::optional<CustomerFailure> failure = CheckCustomer(customer, edited, lookup);
        if (failure) prompts_.Warn(failure->caption, failure->text);
        return failure;
    };
}

CustomerManagerFlow::InvoiceFile CustomerManagerFlow::Invoices() {
    return InvoiceFile(engine_, FileOf(records::RecordKind::Invoice, state_.currentCompany),
                       prompts_);
}

bool CustomerManagerFlow::AdvanceNextNumber(std::string_view usedNumber) {
    // The company file may already be open for the caller; it is then left open.
    const bool wasOpen = companies_.file().IsOpen();
    if (!wasOpen && !companies_.Open()) return false;
    bool saved = false;
    if (const auto stored = companies_.Find(state_.currentCompany.number())) {
        const auto& [recordNumber, original] = *stored;
        records::CompanyRecord company = original;
        company.setNextCustomerNumber(
            NextCustomerNumber(usedNumber, original.nextCustomerNumber()));
        const engine::UpdateOutcome outcome = companies_.Modify(recordNumber, company, original);
        saved = outcome == engine::UpdateOutcome::Written ||
                outcome == engine::UpdateOutcome::Unchanged;
        if (saved) state_.currentCompany = company;
    }
    if (!wasOpen && !companies_.Close()) return false;
    return saved;
}

std::optional<int> CustomerManagerFlow::Renumber(InvoiceFile& invoices, std::string_view oldNumber,
                                                 std::string_view newNumber) {
    const std::string oldKey = InvoiceKeyOf(oldNumber);
    const std::string stored = base::CutTo(base::Trim(newNumber), kInvoiceCustomerNumberSize);
    int count = 0;
    engine::KeyEntry<records::InvoiceRecord> entry;
    // Each rewrite moves its record's key 2 away from the old number, so searching the old key
    // again finds the next record still to move.
    engine::ErrorClass outcome = invoices.Search(2, oldKey, entry);
    for (; outcome == engine::ErrorClass::None && entry.key == oldKey;
         outcome = invoices.Search(2, oldKey, entry)) {
        records::InvoiceRecord moved = entry.record;
        moved.setCustomerNumber(stored);
        if (invoices.Update(entry.recordNumber, moved, entry.record) !=
            engine::UpdateOutcome::Written) {
            ReportFailure("Modify operation failed");
            return std::nullopt;
        }
        ++count;
    }
    if (outcome != engine::ErrorClass::None && outcome != engine::ErrorClass::Expected) {
        ReportFailure(engine::ErrorText(outcome, engine_.error()));
        return std::nullopt;
    }
    return count;
}

std::optional<bool> CustomerManagerFlow::HasInvoices(std::string_view number) {
    InvoiceFile invoices = Invoices();
    if (!invoices.Open()) {
        ReportFailure("Unable to open the invoice file.");
        return std::nullopt;
    }
    engine::KeyEntry<records::InvoiceRecord> found;
    const engine::ErrorClass outcome = invoices.Search(2, InvoiceKeyOf(number), found);
    std::optional<bool> onFile;
    if (outcome == engine::ErrorClass::None)
        onFile = SameNumberForm(found.record.customerNumber()) == SameNumberForm(number);
    else if (outcome == engine::ErrorClass::Expected)
        onFile = false;
    else
        ReportFailure(engine::ErrorText(outcome, engine_.error()));
    if (!invoices.Close()) {
        ReportFailure(engine::ErrorText(engine::ErrorClass::Fatal, engine_.error()));
        return std::nullopt;
    }
    return onFile;
}

void CustomerManagerFlow::ReportFailure(std::string_view text) {
    prompts_.Message(engine::kProgramCaption, text, base::PromptIcon::Error,
                     base::PromptButtons::Ok);
}

}  // namespace customers
