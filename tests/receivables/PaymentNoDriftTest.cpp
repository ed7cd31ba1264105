// Three hundred random postings, payments (full, partial, deposits on account) mixed with invoice
// adds, edits and deletes through the invoice postings, then the levels agree to the cent: every
// customer's balance is the sum of its open items, its categories add up to its balance, and the
// company's total is the sum of the balances.
#include <random>

#include "base/Text.h"
#include "invoicing/InvoiceGuards.h"
#include "invoicing/InvoicingFixture.h"
#include "receivables/Ledger.h"
#include "receivables/PaymentPosting.h"
#include "records/TransactionType.h"

namespace receivables {
namespace {

class PaymentNoDriftTest : public invoicing::testing::InvoicingFixture {
protected:
    int Pick(int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); }

    std::string Money(int maxCents) {
        return base::Decimal::FromInteger(1 + Pick(maxCents))
            .DividedBy(base::Decimal::FromInteger(100))
            ->Format("0.00");
    }

    invoicing::InvoiceDraft RandomDraft(std::string number, std::string customer) {
        std::vector<invoicing::DraftLine> lines;
        for (int i = Pick(3); i >= 0; --i)
            lines.push_back({"P" + std::to_string(i), Pick(2) ? "1" : "2.5", "Item", Money(30000),
                             Pick(2) ? "Y" : "N"});
        invoicing::InvoiceDraft draft = Draft(std::move(number), lines);
        draft.customer = std::move(customer);
        draft.date =
            base::FormatDate(base::AddDays(kToday, -Pick(150)), base::DateOrder::MonthFirst);
        return draft;
    }

    // The invoice itself among the records of its number: they may share it with payments.
    std::optional<engine::KeyEntry<records::InvoiceRecord>> Invoice(invoicing::InvoiceFiles& files,
                                                                    const std::string& number) {
        auto found = files.FindInvoice(number);
        if (!found || found->record.typeCode() != records::type::kRegularInvoice) return {};
        return found;
    }

    void Pay() {
        const std::string customer = kCustomers[Pick(3)];
        const auto items = ReadOpenItems(engine, answering, "1", customer, "M");
        ASSERT_TRUE(items);
        PaymentSheet sheet(*items, {});
        for (int row = static_cast<int>(sheet.left().size()) - 1; row >= 0; --row) {
            const int move = Pick(4);
            if (move == 0) {
                ASSERT_FALSE(sheet.MoveRight({row}));
            }
            if (move == 1 && sheet.MayPayPartly(row)) {
                const base::Decimal due = sheet.left()[static_cast<size_t>(row)].amount;
                const base::Decimal part = base::Decimal::ParseOrZero(Money(30000));
                if (part < due) {
                    ASSERT_FALSE(sheet.PayPartly(row, part.Format("0.00")));
                }
            }
        }
        if (Pick(5) == 0) {
            ASSERT_FALSE(sheet.AddDeposit(Money(20000), "12/06/26"));
        }
        if (sheet.right().empty()) return;
        const std::string received = sheet.PostedTotal().Format("0.00");
        if (received.find('-') != std::string::npos) return;  // credits outweigh: not a payment
        ASSERT_FALSE(sheet.SetAmountReceived(received));
        ASSERT_TRUE(sheet.PostAllowed());
        ASSERT_TRUE(PostPayment(engine, answering, state, clock,
                                {customer, "12/06/2026", received, "Thank you", sheet.right()}))
            << answering.shown.back();
        ++payments;
    }

    static constexpr const char* kCustomers[] = {"A1", "A10", "B2"};
    std::mt19937 random{20261206};
    testsupport::AnsweringPrompts answering;
    std::vector<std::string> numbers;
    int payments = 0;
};

TEST_F(PaymentNoDriftTest, ThreeHundredPaymentsAndInvoiceChangesKeepTheLevelsEqual) {
    using invoicing::InvoiceFiles;
    using invoicing::InvoicePostings;
    for (int i = 0; i < 300; ++i) {
        const int kind = numbers.empty() ? 0 : Pick(100);
        if (kind >= 55) {
            ASSERT_NO_FATAL_FAILURE(Pay());
            continue;
        }
        Posting(answering, [&](InvoicePostings& postings, InvoiceFiles& files) {
            if (kind < 30) {
                const std::string number = "N" + std::to_string(i);
                EXPECT_TRUE(postings.Add(RandomDraft(number, kCustomers[Pick(3)])))
                    << answering.shown.back();
                numbers.push_back(number);
                return true;
            }
            const size_t which = static_cast<size_t>(Pick(static_cast<int>(numbers.size())));
            const auto stored = Invoice(files, numbers[which]);
            if (!stored) return true;
            if (kind < 45) {
                if (!invoicing::MayEdit(stored->record, state.currentCompany, answering))
                    return true;
                invoicing::InvoiceDraft draft =
                    RandomDraft(numbers[which], stored->record.customerNumber());
                draft.paid = stored->record.paid();
                EXPECT_TRUE(postings.Edit(*stored, draft)) << answering.shown.back();
            } else if (invoicing::MayDelete(stored->record, state.currentCompany, answering)) {
                EXPECT_TRUE(postings.Delete(*stored)) << answering.shown.back();
                numbers.erase(numbers.begin() + static_cast<long>(which));
            }
            return true;
        });
    }
    EXPECT_GT(payments, 60);
    const auto differences = CheckLedger(engine, answering, state.currentCompany);
    ASSERT_TRUE(differences);
    for (const auto& difference : *differences) ADD_FAILURE() << DescribeDifference(difference);
    EXPECT_EQ(state.currentCompany, *testsupport::StoredCompany("1"));
}

}  // namespace
}  // namespace receivables
