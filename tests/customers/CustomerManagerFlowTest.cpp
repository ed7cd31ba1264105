// The Customer Manager's commands without a window: the dialog is a function, the prompts are
// scripted, the customer, invoice and company files real.
#include "customers/CustomerManagerFlow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>

#include "records/RecordTypes.h"
#include "support/DataFolder.h"
#include "support/Samples.h"

namespace customers {
namespace {

namespace fs = std::filesystem;
using records::CustomerRecord;
using records::InvoiceRecord;
using Faults = engine::FaultInjectingFileSystem;

constexpr char kProgram[] = "KT Invorra Pro";
constexpr char kCreateNotice[] =
    "I am going to create a new, empty customer file for this company.";
constexpr char kDeleteQuestion[] = "Are you sure you want to delete this customer?";
constexpr char kBalanceDue[] = "This customer has a balance due. Unable to delete.";
constexpr char kInvoicesOnFile[] =
    "This customer has invoices on file and may not be deleted. You can mark this customer as "
    "inactive, otherwise, wait until you remove their paid invoices, then delete.";

InvoiceRecord Invoice(const std::string& number, const std::string& customer) {
    InvoiceRecord invoice;
    invoice.setInvoiceNumber(number);
    invoice.setTypeCode("I");
    invoice.setCustomerNumber(customer);
    invoice.setCompanyCode("1");
    return invoice;
}

class CustomerManagerFlowTest : public ::testing::Test, protected testsupport::DataFolder {
protected:
    CustomerManagerFlowTest() {
        engine.InitEngine(0, 30);
        state.currentCompany = testsupport::SampleCompany("1");
        state.currentCompany.setNextCustomerNumber("12");
        testsupport::AddCompanies({state.currentCompany});
    }

    // Customers on file before the manager opens.
    void Customers(const std::vector<CustomerRecord>& customers) {
        testsupport::AddRecords(
            engine, records::RecordTypeOf(records::RecordKind::Customer).Describe("1"), customers);
        ASSERT_TRUE(flow.Open());
    }
    void Invoices(const std::vector<InvoiceRecord>& invoices) {
        testsupport::AddRecords(
            engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"), invoices);
    }

    int32_t RecordOf(const std::string& number) {
        const auto row = flow.RowOfNumber(number);
        EXPECT_TRUE(row) << "customer " << number;
        return row ? row->recordNumber : 0;
    }

    std::optional<CustomerRecord> Stored(const std::string& number) {
        const auto row = flow.RowOfNumber(number);
        return row ? StoredByRow(row->recordNumber) : std::nullopt;
    }

    // The record on file at a row, read through the flow's own list.
    std::optional<CustomerRecord> StoredByRow(int32_t recordNumber) {
        CustomerRecord customer;
        engine.GetRecord(flow.fileBlock(), recordNumber, customer.bytes());
        if (!engine.ok()) return std::nullopt;
        return customer;
    }

    // The invoice file's customer numbers in the order of key 2, each with its invoice number.
    std::vector<std::pair<std::string, std::string>> InvoicesByCustomer() {
        engine::RecordFile<InvoiceRecord> file(
            engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"), prompts);
        EXPECT_TRUE(file.Open());
        std::vector<std::pair<std::string, std::string>> found;
        EXPECT_EQ(file.ForEach(2,
                               [&](const auto& entry) {
                                   EXPECT_EQ(entry.key, entry.record.key(2));
                                   found.emplace_back(entry.record.customerNumber(),
                                                      entry.record.invoiceNumber());
                               }),
                  engine::ErrorClass::None);
        EXPECT_TRUE(file.Close());
        return found;
    }

    // A dialog that records what it was shown, applies `change` and presses OK until the checks
    // pass; a refused OK cancels it.
    CustomerEditor Dialog(std::function<void(CustomerRecord&)> change) {
        return [this, change](company::EditPurpose purpose, CustomerRecord& record,
                              const CustomerCheck& check) {
            purposes.push_back(purpose);
            shownNumbers.push_back(record.number());
            change(record);
            failure = check(record);
            return !failure;
        };
    }

    base::FixedClock clock{{{2024, 3, 5}, 14, 7, 0}};
    company::ProgramState state;
    company::CompanyFile companies{engine, prompts};
    CustomerManagerFlow flow{engine, companies, prompts, state, clock};
    std::vector<company::EditPurpose> purposes;
    std::vector<std::string> shownNumbers;
    std::optional<CustomerFailure> failure;
};

TEST_F(CustomerManagerFlowTest, AMissingCustomerFileIsCreatedAfterTheNotice) {
    prompts.ExpectInform("New Company", kCreateNotice);
    ASSERT_TRUE(flow.Open());
    EXPECT_EQ(flow.CountText(), "Customers: 0");
    EXPECT_TRUE(fs::exists("1C.DAT"));
}

TEST_F(CustomerManagerFlowTest, ACustomerFileThatCannotBeOpenedIsReportedOnce) {
    fs::create_directory("1C.DAT");
    prompts.ExpectMessage(kProgram, "Unable to open database", base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    EXPECT_FALSE(flow.Open());
}

TEST_F(CustomerManagerFlowTest, AFileThatCannotBeCreatedIsTriedOnce) {
    files.FailWrite(1, Faults::Repeat::FromThenOn, Faults::Kind::Error, "1C.DAT");
    prompts.ExpectInform("New Company", kCreateNotice);
    prompts.ExpectMessage(kProgram, "Unable to open database", base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    EXPECT_FALSE(flow.Open());
}

TEST_F(CustomerManagerFlowTest, AnAddTheDiskRefusesLeavesNoCustomerAndKeepsTheNextNumber) {
    Customers({testsupport::SampleCustomer("100", "Acme Supply")});
    files.FailWrite(1, Faults::Repeat::FromThenOn, Faults::Kind::Error, "1C.DAT");
    prompts.ExpectMessage(kProgram, "Add operation failed", base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    EXPECT_FALSE(flow.Add(Dialog([](CustomerRecord& record) { record.setName("Nova"); })).saved);
    files.Clear();
    EXPECT_EQ(flow.CountText(), "Customers: 1");
    EXPECT_FALSE(flow.RowOfNumber("12"));
    EXPECT_EQ(state.currentCompany.nextCustomerNumber(), "12");
}

TEST_F(CustomerManagerFlowTest, AddingAdvancesTheNextNumberPastTheNumberUsed) {
    const std::pair<std::string, std::string> cases[] = {
        {"1005", "1006"}, {"A-17", "1"}, {"12", "13"}, {" 7", "8"}};
    prompts.ExpectInform("New Company", kCreateNotice);
    ASSERT_TRUE(flow.Open());
    int added = 0;
    for (const auto& [entered, next] : cases) {
        SCOPED_TRACE(entered);
        const std::string proposed = state.currentCompany.nextCustomerNumber();
        const company::ManagerUpdate update =
            flow.Add(Dialog([&, &number = entered](CustomerRecord& record) {
                record.setNumber(number);
                record.setName("Customer " + number);
                record.setCreditLimit("1,500");
            }));
        EXPECT_EQ(shownNumbers.back(), proposed);
        // An empty file, and later a number past every other, passes the duplicate checks.
        EXPECT_FALSE(failure);
        EXPECT_TRUE(update.saved && update.reread);
        ASSERT_TRUE(update.current);
        EXPECT_EQ(flow.RowOf(update.current->recordNumber)->key, update.current->key);
        EXPECT_EQ(state.currentCompany.nextCustomerNumber(), next);
        EXPECT_EQ(flow.CountText(), "Customers: " + std::to_string(++added));
        const auto stored = StoredByRow(update.current->recordNumber);
        EXPECT_EQ(stored->creditLimit(), "1500");
        EXPECT_EQ(stored->balance(), "0.00");
        EXPECT_EQ(stored->creditHold(), false);
    }
    flow.Close();
    EXPECT_EQ(testsupport::StoredCompany("1")->nextCustomerNumber(), "8");
}

TEST_F(CustomerManagerFlowTest, RefusedAddsWriteNothingAndKeepTheNextNumber) {
    struct Case {
        const char* number;
        const char* name;
        const char* caption;  // the message shown
        const char* text;
    };
    const Case cases[] = {
        {"a12 ", "Nova Labs", "Customer Number",
         "That customer number already exists. You will need to use a different number."},
        {"50", "ACME SUPPLY", "Duplicate Customer Name",
         "That customer name already exists. You should not enter the same customer name with a "
         "different customer number."},
        {"51", "   ", "Customer Name", "You must enter a customer name."},
        // The first 30 characters make key 1, which allows no duplicates.
        {"52", "Wholesale Distributors of Ohio Ltd", kProgram, "Add operation failed"},
    };
    Customers({testsupport::SampleCustomer("A12", "Acme Supply"),
               testsupport::SampleCustomer("20", "Wholesale Distributors of Ohio Inc")});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        prompts.ExpectMessage(c.caption, c.text, base::PromptAnswer::Ok);
        const company::ManagerUpdate update = flow.Add(Dialog([&](CustomerRecord& record) {
            record.setNumber(c.number);
            record.setName(c.name);
        }));
        prompts.Verify();
        EXPECT_FALSE(update.saved || update.reread || update.current);
        EXPECT_EQ(flow.CountText(), "Customers: 2");
        EXPECT_EQ(state.currentCompany.nextCustomerNumber(), "12");
    }
}

TEST_F(CustomerManagerFlowTest, ANewNumberMovesEveryInvoiceRecordOfTheCustomerAndNoOther) {
    Customers({testsupport::SampleCustomer("100", "Acme Supply"),
               testsupport::SampleCustomer("150", "Brook Ltd")});
    // Record order interleaves the two customers; key 2 puts 150's between 100's and 200's.
    Invoices({Invoice("1", "100"), Invoice("2", "150"), Invoice("3", " 100"), Invoice("4", "150"),
              Invoice("5", "100")});
    prompts.ExpectInform("Customer Number Changed",
                         "This customer has 3 record(s) on file. All have been changed to reflect "
                         "the new customer number.");
    const company::ManagerUpdate update = flow.Edit(
        RecordOf("100"), Dialog([](CustomerRecord& record) { record.setNumber(" 200"); }));
    EXPECT_EQ(purposes, std::vector{company::EditPurpose::Edit});
    EXPECT_TRUE(update.saved);
    EXPECT_EQ(update.renumbered, 3);
    EXPECT_FALSE(flow.RowOfNumber("100"));
    EXPECT_EQ(Stored("200")->name(), "Acme Supply");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"150", "2"}, {"150", "4"}, {"200", "1"}, {"200", "3"}, {"200", "5"}};
    EXPECT_EQ(InvoicesByCustomer(), expected);
}

TEST_F(CustomerManagerFlowTest, AModifyTheDiskRefusesRenumbersNothing) {
    Customers({testsupport::SampleCustomer("100", "Acme Supply")});
    Invoices({Invoice("1", "100")});
    files.FailWrite(1, Faults::Repeat::FromThenOn, Faults::Kind::Error, "1C.DAT");
    prompts.ExpectMessage(kProgram, "Modify operation failed", base::PromptAnswer::Ok,
                          base::PromptIcon::Error);
    const company::ManagerUpdate update =
        flow.Edit(RecordOf("100"), Dialog([](CustomerRecord& record) { record.setNumber("200"); }));
    files.Clear();
    EXPECT_FALSE(update.saved);
    EXPECT_TRUE(flow.RowOfNumber("100"));
    EXPECT_EQ(InvoicesByCustomer(),
              (std::vector<std::pair<std::string, std::string>>{{"100", "1"}}));
}

TEST_F(CustomerManagerFlowTest, EditsThatKeepTheNumberOrFailRenumberNothing) {
    Customers({testsupport::SampleCustomer("a12", "Acme Supply"),
               testsupport::SampleCustomer("150", "Brook Ltd")});
    Invoices({Invoice("1", "A12")});

    // The same number in another case is the customer's own: no duplicate, nothing moved.
    company::ManagerUpdate update = flow.Edit(RecordOf("A12"), Dialog([](CustomerRecord& record) {
                                                  record.setNumber("A12");
                                                  record.setPhone1("555-0100");
                                              }));
    EXPECT_FALSE(failure);
    EXPECT_TRUE(update.saved);
    EXPECT_EQ(update.renumbered, 0);
    EXPECT_EQ(Stored("a12")->phone1(), "555-0100");

    // Another customer's number is refused before anything is opened or written.
    prompts.ExpectMessage("Customer Number",
                          "That customer number already exists. You will need to use a different "
                          "number.",
                          base::PromptAnswer::Ok);
    update =
        flow.Edit(RecordOf("A12"), Dialog([](CustomerRecord& record) { record.setNumber("150"); }));
    EXPECT_FALSE(update.saved);

    // An invoice file that cannot be opened stops the renumbering before the customer changes.
    fs::rename("1I.DAT", "1I.keep");
    fs::create_directory("1I.DAT");
    prompts.ExpectMessage(kProgram,
                          "Unable to open the invoice file. The customer was not changed.",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    update =
        flow.Edit(RecordOf("A12"), Dialog([](CustomerRecord& record) { record.setNumber("300"); }));
    EXPECT_FALSE(update.saved);
    EXPECT_TRUE(flow.RowOfNumber("a12"));
    fs::remove("1I.DAT");
    fs::rename("1I.keep", "1I.DAT");
    EXPECT_EQ(InvoicesByCustomer(),
              (std::vector<std::pair<std::string, std::string>>{{"A12", "1"}}));
}

TEST_F(CustomerManagerFlowTest, DeleteRunsItsGuardsInOrder) {
    struct Case {
        const char* name;
        const char* balance;
        std::vector<InvoiceRecord> invoices;
        const char* refusal;  // the message that stops the delete; null: the question is asked
        bool answerYes;
    };
    InvoiceRecord paid = Invoice("7", "100");
    paid.setPaidFlag("P");
    const Case cases[] = {
        {"one cent due", "0.01", {}, kBalanceDue, false},
        {"credit", "-5.00", {}, kBalanceDue, false},
        {"balance no number", "n/a", {}, kBalanceDue, false},
        {"only a paid invoice", "0.00", {paid}, kInvoicesOnFile, false},
        {"answered no", "0.00", {Invoice("8", "1000")}, nullptr, false},
        // An invoice of customer 1000 is the first key at or after 100's, and not 100's.
        {"answered yes", "0.00", {Invoice("8", "1000")}, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        flow.Close();
        fs::remove("1C.DAT"), fs::remove("1C.IX"), fs::remove("1I.DAT"), fs::remove("1I.IX");
        CustomerRecord customer = testsupport::SampleCustomer("100", "Acme Supply");
        customer.setBalance(c.balance);
        Invoices(c.invoices.empty() ? std::vector{Invoice("9", "150")} : c.invoices);
        Customers({customer});
        if (c.refusal)
            prompts.ExpectWarn("Delete Customer", c.refusal);
        else
            prompts.ExpectYesNo("Delete Customer#: 100", kDeleteQuestion, c.answerYes);
        const company::ManagerUpdate update = flow.Delete(RecordOf("100"));
        prompts.Verify();
        EXPECT_EQ(update.saved, c.answerYes);
        EXPECT_EQ(flow.RowOfNumber("100").has_value(), !c.answerYes);
    }
    EXPECT_FALSE(flow.Delete(0).saved);
}

TEST_F(CustomerManagerFlowTest, CustomerListFollowsTheAnswersAndLeavesNoReportFile) {
    struct Case {
        base::PromptAnswer addresses;
        base::PromptAnswer byNumber;
        const char* caption;  // null: cancelled
        const char* first;
        std::string firstCsv;  // the first record after the CSV header
        bool withAddresses;
    };
    const Case cases[] = {
        {base::PromptAnswer::Yes, base::PromptAnswer::Yes, "Customer List by Number", "Zeta Ltd",
         "1,Zeta Ltd,", true},
        {base::PromptAnswer::No, base::PromptAnswer::No, "Customer List by Name", "Brook Ltd",
         "2,Brook Ltd,", false},
        {base::PromptAnswer::Cancel, base::PromptAnswer::No, nullptr, "", "", false},
    };
    Customers({testsupport::SampleCustomer("1", "Zeta Ltd"),
               testsupport::SampleCustomer("2", "Brook Ltd")});
    for (const Case& c : cases) {
        prompts.ExpectMessage(
            "Customer List", "Do you want to include the customer addresses on this list?",
            c.addresses, base::PromptIcon::Question, base::PromptButtons::YesNoCancel);
        if (c.caption)
            prompts.ExpectMessage(
                "Customer Sort",
                "Customers will be sorted by name. Would you rather sort by customer number?",
                c.byNumber, base::PromptIcon::Question, base::PromptButtons::YesNo);
        const std::optional<CustomerListChoice> choice = flow.AskListChoice();
        ASSERT_EQ(choice.has_value(), c.caption != nullptr);
        if (!choice) continue;
        const std::optional<company::ManagerReport> report = flow.ListReport(*choice);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->caption, c.caption);
        EXPECT_TRUE(report->text.starts_with("Customer List for Acme Supply Co\r\n"));
        EXPECT_EQ(report->text.find(c.first), report->text.find("-\r\n") + 3);
        EXPECT_EQ(report->text.find("Billing Address:") != std::string::npos, c.withAddresses);
        EXPECT_EQ(report->csv.substr(report->csv.find("\r\n") + 2, c.firstCsv.size()), c.firstCsv);
        EXPECT_EQ(report->csv.find(",Billing 1,") != std::string::npos, c.withAddresses);
        EXPECT_FALSE(fs::exists(company::kManagerReportFile));
    }
}

}  // namespace
}  // namespace customers
