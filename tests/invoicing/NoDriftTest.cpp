// Five hundred random postings (adds, edits and deletes of product and memo invoices for random
// customers, dates, rows and paid amounts) through the checks and postings, then the three levels
// agree to the cent: each customer's balance and categories are the sums of its open items, the
// company's total is the sum of the balances, and an aging run on the same day changes nothing.
#include <random>

#include "base/Text.h"

#include "invoicing/InterestCharges.h"
#include "invoicing/InvoiceChecks.h"
#include "invoicing/InvoiceGuards.h"
#include "invoicing/InvoiceNumbers.h"
#include "invoicing/InvoiceRecords.h"
#include "invoicing/InvoicingFixture.h"
#include "invoicing/RepeatBilling.h"
#include "receivables/AgingRun.h"
#include "receivables/OpenItems.h"

namespace invoicing::testing {
namespace {

class NoDriftTest : public InvoicingFixture {
protected:
    NoDriftTest() {
        testsupport::AddRecords(
            engine, File(records::RecordKind::Customer),
            std::vector<records::CustomerRecord>{testsupport::SampleCustomer("C3", "Cole & Sons"),
                                                 testsupport::SampleCustomer("D4", "Dunn Works")});
    }

    int Pick(int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); }

    std::string Money(int maxCents) {
        return base::Decimal::FromInteger(Pick(maxCents))
            .DividedBy(base::Decimal::FromInteger(100))
            ->Format("0.00");
    }

    std::string Date() {
        return base::FormatDate(base::AddDays(kToday, -Pick(150)), base::DateOrder::MonthFirst);
    }

    // New rows, date and paid amount for `draft`.
    void Fill(InvoiceDraft& draft) {
        static const char* kQuantities[] = {"1", "2.5", "-1", "3", "0.333", "12"};
        draft.date = Date();
        draft.tax = Pick(3) > 0;
        if (draft.form == InvoiceForm::Memo) {
            draft.memo.net = Money(90000) + (Pick(4) == 0 ? "5" : "");  // some with 3 decimals
            draft.memo.tax = Money(500);
            draft.memo.text = "Services rendered " + std::to_string(Pick(1000));
            draft.memo.description = "Services";
        } else {
            draft.lines.clear();
            for (int i = Pick(5); i >= 0; --i)
                draft.lines.push_back({"P" + std::to_string(i), kQuantities[Pick(6)],
                                       "Item " + std::to_string(i), Money(20000),
                                       Pick(2) ? "Y" : "N"});
            if (Pick(4) == 0) draft.lines.push_back(DraftLine::Comment("Thank you"));
        }
        const InvoiceTotals totals = ComputeTotals(draft, state.currentCompany);
        switch (Pick(5)) {
            case 0:
                draft.paid = totals.total.Format("0.00");
                break;
            case 1:
                draft.paid = Money(1000);
                break;
            case 2:
                draft.paid = "-" + Money(500);
                break;
            default:
                draft.paid = "0.00";
        }
        if (*TypedAmount(draft.paid) > totals.total) draft.paid = "0.00";
    }

    void AddOne(InvoiceFiles& invoiceFiles, InvoicePostings& postings) {
        static const char* kCustomers[] = {"A1", "A10", "B2", "C3", "D4"};
        InvoiceDraft draft;
        draft.customer = kCustomers[Pick(5)];
        draft.form = Pick(3) == 0 ? InvoiceForm::Memo : InvoiceForm::Product;
        Fill(draft);
        draft.number = ProposedInvoiceNumber(state.currentCompany, kToday);
        const auto refused = CheckInvoice(draft, CheckContext(answering, invoiceFiles));
        ASSERT_FALSE(refused) << draft.number << ": " << refused->text;
        const auto posted = postings.Add(draft);
        ASSERT_TRUE(posted) << answering.shown.back();
        numbers.push_back(base::Trim(posted->header.invoiceNumber()));
    }

    void EditOne(InvoiceFiles& invoiceFiles, InvoicePostings& postings, size_t which) {
        const auto stored = invoiceFiles.FindInvoice(numbers[which]);
        ASSERT_TRUE(stored);
        if (!MayEdit(stored->record, state.currentCompany, answering)) return;
        const auto entries = invoiceFiles.LinesOf(numbers[which]);
        ASSERT_TRUE(entries);
        std::vector<records::InvoiceLineRecord> lines;
        for (const auto& entry : *entries) lines.push_back(entry.record);
        const auto memo = invoiceFiles.MemoOf(numbers[which]);
        InvoiceDraft draft =
            DraftOf(stored->record, lines,
                    memo->empty() ? std::nullopt : std::optional(memo->front().record),
                    state.currentCompany, std::nullopt);
        Fill(draft);
        if (Pick(8) == 0) draft.number = "E" + std::to_string(which);
        if (CheckInvoice(draft, CheckContext(answering, invoiceFiles, numbers[which],
                                             stored->record.totalAmount())))
            return;
        const auto posted = postings.Edit(*stored, draft);
        ASSERT_TRUE(posted) << answering.shown.back();
        numbers[which] = base::Trim(posted->header.invoiceNumber());
    }

    void DeleteOne(InvoiceFiles& invoiceFiles, InvoicePostings& postings, size_t which) {
        const auto stored = invoiceFiles.FindInvoice(numbers[which]);
        ASSERT_TRUE(stored);
        if (!MayDelete(stored->record, state.currentCompany, answering)) return;
        ASSERT_TRUE(postings.Delete(*stored)) << answering.shown.back();
        numbers.erase(numbers.begin() + static_cast<long>(which));
    }

    std::vector<std::vector<std::string>> Owing() {
        std::vector<std::vector<std::string>> owing;
        for (int i = 0; i < 5; ++i) owing.push_back(Owed(i));
        owing.push_back({testsupport::StoredCompany("1")->receivablesTotal()});
        return owing;
    }

    // Each customer's balance and categories are the sums of its open items, the company's total
    // is the sum of the balances, and an aging run on the same day changes nothing.
    void ExpectLevelsAgree() {
        receivables::InvoiceFile invoices(engine, File(records::RecordKind::Invoice), prompts);
        ASSERT_TRUE(invoices.Open());
        const receivables::AgingBasis basis{{30, 60, 90}, clock.Now()};
        base::Decimal balances;
        for (const records::CustomerRecord& customer : StoredCustomers()) {
            SCOPED_TRACE(customer.number());
            const auto sums = receivables::CustomerAgingSums(invoices, customer.number(), basis);
            ASSERT_TRUE(sums);
            EXPECT_EQ(customer.balanceAmount(), sums->Total());
            EXPECT_EQ(
                (std::vector<base::Decimal>{customer.aging1Amount(), customer.aging2Amount(),
                                            customer.aging3Amount(), customer.aging4Amount()}),
                (std::vector<base::Decimal>(sums->categories.begin(), sums->categories.end())));
            balances += customer.balanceAmount();
        }
        ASSERT_TRUE(invoices.Close());
        EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotalAmount(), balances);
        EXPECT_EQ(state.currentCompany.receivablesTotalAmount(), balances);

        const auto before = Owing();
        const receivables::AgingRunResult run =
            receivables::CalculateAging(engine, answering, state, clock, true);
        EXPECT_TRUE(run.completed);
        EXPECT_EQ(Owing(), before);
    }

    std::mt19937 random{20261206};
    AnsweringPrompts answering;
    std::vector<std::string> numbers;
};

TEST_F(NoDriftTest, FiveHundredRandomPostingsKeepTheThreeLevelsEqual) {
    {
        InvoiceFiles invoiceFiles(engine, answering, "1");
        ASSERT_TRUE(invoiceFiles.Open());
        InvoicePostings postings(invoiceFiles, state, clock);
        for (int i = 0; i < 500; ++i) {
            const int kind = numbers.empty() ? 0 : Pick(100);
            if (kind < 55) {
                ASSERT_NO_FATAL_FAILURE(AddOne(invoiceFiles, postings));
            } else if (kind < 85) {
                ASSERT_NO_FATAL_FAILURE(EditOne(invoiceFiles, postings, Pick(numbers.size())));
            } else {
                ASSERT_NO_FATAL_FAILURE(DeleteOne(invoiceFiles, postings, Pick(numbers.size())));
            }
        }
        ASSERT_TRUE(invoiceFiles.Close());
    }
    ASSERT_GT(numbers.size(), 50u);
    EXPECT_EQ(Invoices().size(), numbers.size());

    ExpectLevelsAgree();
}

TEST_F(NoDriftTest, RepeatBillingAndInterestMixedInKeepTheThreeLevelsEqual) {
    InterestCharges interest(engine, answering, state, clock);
    for (int i = 0; i < 200; ++i) {
        const int kind = numbers.empty() ? 0 : Pick(100);
        const base::Date date = base::AddDays(kToday, -Pick(365));
        if (kind >= 95) {
            InterestSettings settings;
            settings.over = 1 + Pick(3);
            settings.date = base::FormatDate(date, base::DateOrder::MonthFirst);
            const auto scan =
                interest.Scan(std::get<InterestRates>(ReadInterestRates(settings)), settings.over);
            ASSERT_TRUE(scan);
            InvoiceFiles invoiceFiles(engine, answering, "1");
            ASSERT_TRUE(invoiceFiles.Open());
            const InterestRun run = interest.Generate(invoiceFiles, *scan, settings, true);
            ASSERT_EQ(run.created, static_cast<int>(scan->rows.size()));
            for (const InterestRow& row : run.rows) numbers.push_back(row.invoice);
            ASSERT_TRUE(invoiceFiles.Close());
            continue;
        }
        InvoiceFiles invoiceFiles(engine, answering, "1");
        ASSERT_TRUE(invoiceFiles.Open());
        InvoicePostings postings(invoiceFiles, state, clock);
        RepeatBilling billing(invoiceFiles, state, clock);
        if (kind < 50) {
            ASSERT_NO_FATAL_FAILURE(AddOne(invoiceFiles, postings));
        } else if (kind < 63) {
            const auto stored = invoiceFiles.FindInvoice(numbers[Pick(numbers.size())]);
            ASSERT_TRUE(stored);
            if (OpenRepeatSetup(stored->record, state.currentCompany, answering))
                ASSERT_TRUE(billing.Setup(
                    *stored,
                    {1 + Pick(40), Pick(2) ? RepeatUnit::Months : RepeatUnit::Days, date}));
        } else if (kind < 76) {
            const auto due = billing.Search(kToday);
            ASSERT_TRUE(due);
            const RepeatRunResult run = billing.Generate(due->masters, {date, "Service", true, {}});
            ASSERT_EQ(run.failed, 0) << (answering.shown.empty() ? "" : answering.shown.back());
            numbers.insert(numbers.end(), run.generated.begin(), run.generated.end());
        } else if (kind < 90) {
            ASSERT_NO_FATAL_FAILURE(EditOne(invoiceFiles, postings, Pick(numbers.size())));
        } else {
            ASSERT_NO_FATAL_FAILURE(DeleteOne(invoiceFiles, postings, Pick(numbers.size())));
        }
        ASSERT_TRUE(invoiceFiles.Close());
    }
    int generated = 0;
    int charged = 0;
    for (const records::InvoiceRecord& r : Invoices()) {
        generated += r.typeCode() == "G";
        charged += r.keyCode() == "Interest";
    }
    EXPECT_GT(generated, 10);
    EXPECT_GT(charged, 3);
    ExpectLevelsAgree();
}

}  // namespace
}  // namespace invoicing::testing
