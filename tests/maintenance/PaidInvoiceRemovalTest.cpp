// The removal of paid invoices on real files: which groups go and which stay, a failure at every
// write leaving each invoice whole or gone, and the command's questions.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/Text.h"
#include "maintenance/DeletePaidFlow.h"
#include "maintenance/PaidInvoiceRemoval.h"
#include "receivables/Ledger.h"
#include "records/TransactionType.h"
#include "support/AnsweringPrompts.h"
#include "support/CompanyOneFixture.h"
#include "support/FolderImage.h"

namespace {

using records::InvoiceRecord;
using testsupport::SampleInvoice;

constexpr base::Date kCutOff{2021, 1, 1};

struct Sample {
    const char* number;
    const char* type;
    base::Date date;
    bool paid;
    const char* due = "0.00";
    bool memo = false;
};

class PaidInvoiceRemovalTest : public testsupport::CompanyOneFixture {
protected:
    PaidInvoiceRemovalTest()
        : CompanyOneFixture([](records::CompanyRecord& c) { c.setDateFormat("M"); }) {
        customer = testsupport::SampleCustomer("A1", "Ames Hardware");
        testsupport::AddRecords(engine, File(records::RecordKind::Customer),
                                std::vector<records::CustomerRecord>{customer});
        for (const auto kind : {records::RecordKind::Invoice, records::RecordKind::InvoiceLine,
                                records::RecordKind::InvoiceMemo})
            testsupport::AddRecords(engine, File(kind), std::vector<InvoiceRecord>{});
    }

    void Add(const Sample& s) {
        SampleInvoice invoice =
            s.memo ? testsupport::SampleMemoInvoice(state.currentCompany, customer, s.number,
                                                    s.date, "10.00", "Work", {"memo text"})
                   : testsupport::SampleProductInvoice(state.currentCompany, customer, s.number,
                                                       s.date, {{"P1", "1", "Part", "10.00"}});
        invoice.header.setTypeCode(s.type);
        invoice.header.setPaidFlag(s.paid ? "P" : "");
        invoice.header.setBalanceDue(s.due);
        const bool payment = std::string(s.type) == records::type::kPartialPayment;
        if (payment) {  // a payment record comes without lines or memo of its own
            invoice.lines.clear();
            invoice.memo.reset();
        }
        testsupport::AddInvoice(engine, "1", invoice);
    }

    // Invoice number -> how many invoice, line and memo records of it are on file.
    std::map<std::string, std::array<int, 3>> OnFile() {
        std::map<std::string, std::array<int, 3>> counts;
        for (const auto& r : Stored<InvoiceRecord>(records::RecordKind::Invoice))
            ++counts[base::Trim(r.invoiceNumber())][0];
        for (const auto& r :
             Stored<records::InvoiceLineRecord>(records::RecordKind::InvoiceLine, 2))
            ++counts[base::Trim(r.invoiceNumber())][1];
        for (const auto& r : Stored<records::InvoiceMemoRecord>(records::RecordKind::InvoiceMemo))
            ++counts[base::Trim(r.invoiceNumber())][2];
        return counts;
    }

    std::optional<maintenance::PaidRemoval> Remove(base::PromptService& asked) {
        return maintenance::RemovePaidInvoices(engine, asked, state, clock, kCutOff);
    }

    records::CustomerRecord customer;
};

TEST_F(PaidInvoiceRemovalTest, RemovesSettledGroupsBeforeTheCutOffOnly) {
    const Sample samples[] = {
        {"1001", "I", {2020, 12, 31}, true},              // the day before: goes
        {"1002", "I", {2021, 1, 1}, true},                // on the cut-off: stays
        {"1003", "I", {2015, 3, 1}, false, "10.00"},      // unpaid, years old: stays
        {"1004", "Z", {2019, 5, 1}, true},                // paid in parts: goes with its
        {"1004", "X", {2019, 6, 1}, true},                // payment record
        {"1005", "Z", {2019, 5, 1}, false, "4.00"},       // still open: its old payment,
        {"1005", "X", {2019, 6, 1}, true},                // lines and memo stay
        {"1006", "R", {2015, 1, 1}, true},                // repeat master: stays
        {"1007", "I", {2018, 1, 1}, true, "5.00"},        // marked paid but owing: kept, listed
        {"1008", "I", {2018, 2, 1}, true, "0.00", true},  // memo invoice: goes with its memo
        {"1009", "Z", {2020, 6, 1}, true},                // paid after the cut-off: the whole
        {"1009", "X", {2021, 2, 1}, true},                // group stays with its invoice
    };
    for (const Sample& s : samples) Add(s);
    const auto balanceBefore = StoredCustomers()[0].balance();

    testsupport::AnsweringPrompts asked;
    const auto removal = Remove(asked);
    ASSERT_TRUE(removal);
    EXPECT_EQ(asked.shown, std::vector<std::string>{});
    EXPECT_EQ(removal->records, 4);
    EXPECT_EQ(removal->numbers, (std::vector<std::string>{"1001", "1004", "1008"}));
    EXPECT_EQ(removal->owing, std::vector<std::string>{"1007"});
    EXPECT_TRUE(removal->failed.empty());

    const auto left = OnFile();
    for (const char* gone : {"1001", "1004", "1008"}) EXPECT_FALSE(left.count(gone)) << gone;
    EXPECT_EQ(left.at("1002"), (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(left.at("1003"), (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(left.at("1005"), (std::array<int, 3>{2, 1, 0}));
    EXPECT_EQ(left.at("1006"), (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(left.at("1007"), (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(left.at("1009"), (std::array<int, 3>{2, 1, 0}));
    EXPECT_EQ(StoredCustomers()[0].balance(), balanceBefore);
    EXPECT_FALSE(files.Exists("Posting.JNL"));
}

TEST_F(PaidInvoiceRemovalTest, AFailedWriteLeavesEachInvoiceWholeOrGone) {
    for (const Sample& s :
         {Sample{"1001", "I", {2019, 1, 1}, true}, Sample{"1002", "Z", {2019, 2, 1}, true},
          Sample{"1002", "X", {2019, 3, 1}, true},
          Sample{"1003", "I", {2019, 4, 1}, true, "0.00", true}})
        Add(s);
    const auto start = testsupport::FolderBytes(dir.path());
    const std::map<std::string, std::array<int, 3>> whole = OnFile();
    int failures = 0;
    for (int nth = 1;; ++nth) {
        testsupport::PutBackFolder(dir.path(), start);
        const int64_t injectedBefore = files.faultsInjected();
        files.FailWrite(nth);
        testsupport::AnsweringPrompts asked;
        const auto removal = Remove(asked);
        const bool fired = files.faultsInjected() > injectedBefore;
        files.Clear();
        if (!fired) break;
        ++failures;
        ASSERT_TRUE(removal) << nth;
        for (const auto& [number, counts] : OnFile())
            EXPECT_EQ(counts, whole.at(number)) << "write " << nth << ", invoice " << number;
        EXPECT_EQ(removal->failed.size() + removal->numbers.size(), 3u) << nth;
        EXPECT_EQ(OnFile().size(), removal->failed.size()) << nth;
    }
    EXPECT_GT(failures, 10);
}

TEST_F(PaidInvoiceRemovalTest, AnInvoiceThatCannotGoLeavesTheOthersOfItsBatchRemoved) {
    for (const Sample& s : {Sample{"1001", "I", {2019, 1, 1}, true},
                            Sample{"1002", "I", {2019, 2, 1}, true, "0.00", true},
                            Sample{"1003", "I", {2019, 3, 1}, true}})
        Add(s);
    // Every write of the memo file fails: only the memo invoice cannot go.
    files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::FromThenOn,
                    engine::FaultInjectingFileSystem::Kind::Error, "1M.DAT");
    testsupport::AnsweringPrompts asked;
    const auto removal = Remove(asked);
    files.Clear();
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->numbers, (std::vector<std::string>{"1001", "1003"}));
    EXPECT_EQ(removal->failed, std::vector<std::string>{"1002"});
    EXPECT_EQ(OnFile().at("1002"), (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(OnFile().size(), 1u);
}

class DeletePaidQuestionsTest : public PaidInvoiceRemovalTest {
protected:
    void ExpectUpTo(int answered) {
        prompts.ExpectYesNo("Delete Paid Records",
                            "This option will remove only PAID transactions older than the date "
                            "you select. Once removed, they will no longer appear on any reports "
                            "or system options. We suggest you leave 3 years on file and print "
                            "reports for what you are about to remove. Continue?",
                            answered > 0);
        if (answered < 1) return;
        prompts.ExpectDate("Delete Date Selection",
                           answered > 1 ? std::optional<base::Date>(kCutOff) : std::nullopt);
        if (answered < 2) return;
        prompts.ExpectYesNo("Please Confirm",
                            "All paid records older than 01/01/2021 will be removed. Continue?",
                            answered > 2);
    }
    std::optional<maintenance::DeletePaidResult> Run() {
        maintenance::DeletePaidFlow flow(engine, prompts, state, clock);
        return flow.Run([](const std::string&, bool) { return std::nullopt; }, {});
    }
};

TEST_F(DeletePaidQuestionsTest, CancellingAtAnyQuestionWritesNothing) {
    Add({"1001", "I", {2019, 1, 1}, true});
    const auto before = testsupport::FolderBytes(dir.path());
    for (int answered = 0; answered < 3; ++answered) {
        ExpectUpTo(answered);
        EXPECT_FALSE(Run()) << answered;
        prompts.Verify();
        EXPECT_EQ(testsupport::FolderBytes(dir.path()), before) << answered;
    }
}

TEST_F(DeletePaidQuestionsTest, WrongPasswordEndsTheCommand) {
    ASSERT_TRUE(company::WritePassword(files, "secret"));
    const auto before = testsupport::FolderBytes(dir.path());
    prompts.ExpectMessage("Invalid Password", "You did not enter the correct password.",
                          base::PromptAnswer::Ok);
    EXPECT_FALSE(Run());
    EXPECT_EQ(testsupport::FolderBytes(dir.path()), before);
}

TEST_F(DeletePaidQuestionsTest, AnsweredRunReportsWhatWasRemoved) {
    Add({"1001", "I", {2019, 1, 1}, true});
    Add({"1002", "I", {2018, 1, 1}, true, "2.00"});
    ExpectUpTo(3);
    prompts.ExpectInform("Records Removed",
                         "1 paid records older than 01/01/2021 were removed.\n\nKept because a "
                         "balance is still due on records marked paid: 1002.");
    const auto result = Run();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, "1 records were removed.");
}

}  // namespace
