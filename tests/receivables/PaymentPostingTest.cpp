// Payment postings on real files: customer A1 owes 1001 (100.00) and 1002 (50.00, of which 10.00
// was paid on the invoice), B2 owes its own 1001 (80.00, old data sharing the number); all
// dated 5 December 2026 and the company total 230.00.
#include "receivables/PaymentPosting.h"

#include <functional>

#include "base/Text.h"

#include "receivables/Ledger.h"
#include "receivables/ReceivablesFixture.h"
#include "support/AnsweringPrompts.h"
#include "support/FolderImage.h"

namespace receivables::testing {
namespace {

using Moves = std::function<void(PaymentSheet&)>;

class PaymentPostingTest : public ReceivablesFixture {
protected:
    PaymentPostingTest() {
        state.currentCompany.setDateFormat("M");
        state.currentCompany.setReceivablesTotal("230.00");
        testsupport::UpdateStoredCompany(state.currentCompany);
        AddCustomers({Customer("A1", "150.00"), Customer("B2", "80.00")});
        AddItems({Invoice("A1", "1001", "100.00", "0.00"), Invoice("A1", "1002", "60.00", "10.00"),
                  Invoice("B2", "1001", "80.00", "0.00")});
    }

    static records::CustomerRecord Customer(const char* number, const char* balance) {
        records::CustomerRecord customer = testsupport::SampleCustomer(number, number);
        customer.setBalance(balance);
        customer.setAging1(balance);
        return customer;
    }

    static records::InvoiceRecord Invoice(const char* customer, const char* number,
                                          const char* total, const char* paid) {
        records::InvoiceRecord item =
            Item(customer, 1, (D(total) - D(paid)).Format("0.00"), records::type::kRegularInvoice);
        item.setInvoiceNumber(number);
        item.setForm(records::form::kProduct);
        item.setNet(total);
        item.setTax("0.00");
        item.setTotal(total);
        item.setPaid(paid);
        return item;
    }

    // The customer's open items moved by `moves`, the amount received typed last, then Post.
    std::optional<PostedPayment> Pay(const char* customer, const char* received, const Moves& moves,
                                     const char* date = "12/06/2026") {
        const auto items = ReadOpenItems(engine, prompts, "1", customer, "M");
        EXPECT_TRUE(items);
        PaymentSheet sheet(*items, Balance(customer));
        moves(sheet);
        EXPECT_FALSE(sheet.SetAmountReceived(received));
        return PostPayment(engine, answering, state, clock,
                           {customer, date, received, "Thanks", sheet.right()});
    }

    std::optional<PostedPayment> PostLines(const char* received, std::vector<PaymentLine> lines) {
        return PostPayment(engine, answering, state, clock,
                           {"A1", "12/06/2026", received, "", std::move(lines)});
    }

    base::Decimal Balance(std::string_view customer) {
        for (const auto& c : StoredCustomers())
            if (base::Trim(c.number()) == customer) return c.balanceAmount();
        return {};
    }

    // Every invoice record by number: "number customer type balance-due paid-flag paid".
    std::vector<std::string> Records() {
        std::vector<std::string> found;
        for (const auto& r : Stored<records::InvoiceRecord>(records::RecordKind::Invoice))
            found.push_back(base::Trim(r.invoiceNumber()) + " " + r.customerNumber() + " " +
                            r.typeCode() + " " + r.balanceDue() + " " + r.paidFlag() + " " +
                            r.paid());
        return found;
    }

    // Every key order of the invoice file: key, record number and record.
    std::vector<std::string> Keys() {
        std::vector<std::string> image;
        engine::RecordFile<records::InvoiceRecord> file(engine, File(records::RecordKind::Invoice),
                                                        prompts);
        EXPECT_TRUE(file.Open());
        for (int key = 1; key <= 6; ++key)
            EXPECT_EQ(file.ForEach(key,
                                   [&](const auto& e) {
                                       const auto bytes = e.record.bytes();
                                       image.push_back(
                                           e.key + std::to_string(e.recordNumber) +
                                           std::string(reinterpret_cast<const char*>(bytes.data()),
                                                       bytes.size()));
                                   }),
                      engine::ErrorClass::None);
        EXPECT_TRUE(file.Close());
        return image;
    }

    void ExpectLedgerAgrees() {
        const auto differences = CheckLedger(engine, answering, state.currentCompany);
        ASSERT_TRUE(differences);
        for (const auto& d : *differences) ADD_FAILURE() << DescribeDifference(d);
    }

    testsupport::AnsweringPrompts answering;
};

const Moves kNone = [](PaymentSheet&) {};

TEST_F(PaymentPostingTest, PostingsWriteTheRecordsOfEachKind) {
    const auto row = [](const PaymentSheet& sheet, const char* number) {
        for (size_t i = 0; i < sheet.left().size(); ++i)
            if (sheet.left()[i].invoiceNumber == number) return static_cast<int>(i);
        return -1;
    };
    const struct {
        const char* name;
        const char* received;
        Moves moves;
        std::vector<std::string> records;  // of A1 after 1001 of B2, which never changes
        const char* balance;
    } cases[] = {
        {"the balance received moves every item and pays it",
         "150.00",
         kNone,
         {"1001 A1 I 0.00 P 100.00", "1002 A1 Z 0.00 P 10.00", "1002 A1 X 0.00 P 50.00"},
         "0.00"},
        {"a deposit alone",
         "25",
         [](PaymentSheet& s) { ASSERT_FALSE(s.AddDeposit("25", "12/06/26")); },
         {"1001 A1 I 100.00  0.00", "1002 A1 I 50.00  10.00", "DP4 A1 D -25.00  25.00"},
         "125.00"},
        {"a partial payment leaves a Z item open",
         "30",
         [&](PaymentSheet& s) { ASSERT_FALSE(s.PayPartly(row(s, "1001"), "30")); },
         {"1001 A1 Z 70.00  0.00", "1001 A1 X 0.00 P 30.00", "1002 A1 I 50.00  10.00"},
         "120.00"},
        {"a partial payment and the rest in full",
         "100",
         [&](PaymentSheet& s) {
             ASSERT_FALSE(s.PayPartly(row(s, "1001"), "30"));
             ASSERT_FALSE(s.MoveRight({row(s, "1001")}));
         },
         {"1001 A1 Z 0.00 P 70.00", "1001 A1 X 0.00 P 30.00", "1002 A1 I 50.00  10.00"},
         "50.00"},
    };
    const auto start = testsupport::FolderBytes(dir.path());
    const records::CompanyRecord company = state.currentCompany;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::PutBackFolder(dir.path(), start);
        state.currentCompany = company;
        const auto posted = Pay("A1", c.received, c.moves);
        ASSERT_TRUE(posted) << answering.shown.back();
        std::vector<std::string> expected = c.records;
        expected.insert(expected.begin() + 1, "1001 B2 I 80.00  0.00");
        EXPECT_EQ(Records(), expected);
        EXPECT_EQ(posted->balance, D(c.balance));
        EXPECT_EQ(StoredCustomers()[0].lastPaymentDate(), "12/06/2026");
        EXPECT_EQ(state.currentCompany.receivablesTotalAmount(), D("80") + D(c.balance));
        ExpectLedgerAgrees();
    }
}

TEST_F(PaymentPostingTest, APartlyPaidItemsRemainderSettlesIt) {
    ASSERT_TRUE(PostLines("40", {{LineKind::Partial, 2, "1002", "12/05/26", D("40")}}));
    ASSERT_TRUE(PostLines("60", {{LineKind::Partial, 1, "1001", "12/05/26", D("60")}}));
    const auto items = ReadOpenItems(engine, prompts, "1", "A1", "M");
    ASSERT_EQ(items->size(), 2u);
    EXPECT_TRUE((*items)[0].partlyPaid);
    // The remainder, marked "P" on the left, and a partial line to exactly 0.00.
    ASSERT_TRUE(Pay("A1", "50", [](PaymentSheet& s) { ASSERT_FALSE(s.MoveAllRight()); }));
    EXPECT_EQ(Records(),
              (std::vector<std::string>{"1001 A1 Z 0.00 P 0.00", "1001 B2 I 80.00  0.00",
                                        "1001 A1 X 0.00 P 60.00", "1001 A1 X 0.00 P 40.00",
                                        "1002 A1 Z 0.00 P 10.00", "1002 A1 X 0.00 P 40.00",
                                        "1002 A1 X 0.00 P 10.00"}));
    EXPECT_EQ(Balance("A1"), D("0"));
    ExpectLedgerAgrees();
}

TEST_F(PaymentPostingTest, DepositsGetNumbersNoRecordHolds) {
    // A user's invoice "DP5" paid in full is an invoice, not a deposit.
    AddItems({Invoice("A1", "DP5", "40.00", "5.00")});
    state.currentCompany.setReceivablesTotal("265.00");
    testsupport::UpdateStoredCompany(state.currentCompany);
    AddCustomers({});
    const auto twoDeposits = [](PaymentSheet& s) {
        ASSERT_FALSE(s.AddDeposit("10", "12/06/26"));
        ASSERT_FALSE(s.AddDeposit("15", "12/06/26"));
    };
    {
        engine::RecordFile<records::CustomerRecord> customers(
            engine, File(records::RecordKind::Customer), prompts);
        ASSERT_TRUE(customers.Open());
        engine::KeyEntry<records::CustomerRecord> a1;
        ASSERT_EQ(customers.Search(2, "A1", a1), engine::ErrorClass::None);
        records::CustomerRecord owing = a1.record;
        owing.setBalance("185.00");
        owing.setAging1("185.00");
        ASSERT_EQ(customers.Update(a1.recordNumber, owing, a1.record),
                  engine::UpdateOutcome::Written);
        ASSERT_TRUE(customers.Close());
    }
    ASSERT_TRUE(Pay("A1", "25", twoDeposits));  // 4 live records: DP5 is taken, so DP6, DP7
    ASSERT_TRUE(Pay("A1", "35", [](PaymentSheet& s) {
        for (size_t i = 0; i < s.left().size(); ++i)
            if (s.left()[i].invoiceNumber == "DP5") {
                ASSERT_FALSE(s.MoveRight({static_cast<int>(i)}));
            }
    }));
    {
        engine::RecordFile<records::InvoiceRecord> file(engine, File(records::RecordKind::Invoice),
                                                        prompts);
        ASSERT_TRUE(file.Open());
        engine::KeyEntry<records::InvoiceRecord> b2;
        ASSERT_EQ(file.Search(2, "B2", b2), engine::ErrorClass::None);
        ASSERT_TRUE(file.Delete(b2.recordNumber, b2.record));
        ASSERT_TRUE(file.Close());
    }
    // 6 live records after the deletion: DP7 is taken, so DP8.
    ASSERT_TRUE(
        Pay("A1", "5", [](PaymentSheet& s) { ASSERT_FALSE(s.AddDeposit("5", "12/06/26")); }));
    EXPECT_EQ(Records(),
              (std::vector<std::string>{"1001 A1 I 100.00  0.00", "1002 A1 I 50.00  10.00",
                                        "DP5 A1 Z 0.00 P 5.00", "DP5 A1 X 0.00 P 35.00",
                                        "DP6 A1 D -10.00  10.00", "DP7 A1 D -15.00  15.00",
                                        "DP8 A1 D -5.00  5.00"}));
    EXPECT_EQ(Balance("A1"), D("120"));
}

TEST_F(PaymentPostingTest, CustomersSharingANumberArePaidIndependently) {
    ASSERT_TRUE(Pay("B2", "80", kNone));
    ASSERT_TRUE(Pay("A1", "100", [](PaymentSheet& s) { ASSERT_FALSE(s.MoveRight({0})); }));
    EXPECT_EQ(Records(),
              (std::vector<std::string>{"1001 A1 I 0.00 P 100.00", "1001 B2 I 0.00 P 80.00",
                                        "1002 A1 I 50.00  10.00"}));
    EXPECT_EQ(Balance("A1"), D("50"));
    EXPECT_EQ(Balance("B2"), D("0"));
    ExpectLedgerAgrees();
}

TEST_F(PaymentPostingTest, RefusedPostingsWriteNothing) {
    const PaymentLine a1Invoice{LineKind::Item, 1, "1001", "12/05/26", D("100")};
    PaymentLine partOfIt = a1Invoice;
    partOfIt.kind = LineKind::Partial;
    partOfIt.amount = D("30");
    const PaymentLine b2Invoice{LineKind::Item, 3, "1001", "12/05/26", D("80")};
    const PaymentLine renumbered{LineKind::Item, 2, "1001", "12/05/26", D("50")};
    const struct {
        const char* name;
        const char* date;
        const char* received;
        std::vector<PaymentLine> lines;
        std::string shown;
    } cases[] = {
        {"invalid date",
         "02/30/2026",
         "100",
         {a1Invoice},
         "Payment Date: You have an invalid payment date."},
        {"posted total differs",
         "12/06/2026",
         "90",
         {a1Invoice},
         "Payment Wizard: The Post Button will activate"},
        {"nothing to post", "12/06/2026", "0", {}, "Payment Wizard: The Post Button"},
        {"paid twice",
         "12/06/2026",
         "130",
         {partOfIt, a1Invoice},
         "Payment Wizard: The amounts posted against invoice 1001 add up to more"},
        {"another customer's record",
         "12/06/2026",
         "80",
         {b2Invoice},
         "Payment Wizard: Invoice 1001 is no longer an open item of this customer."},
        {"another number",
         "12/06/2026",
         "50",
         {renumbered},
         "Payment Wizard: Invoice 1001 is no longer an open item"},
    };
    const auto before = testsupport::FolderBytes(dir.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(
            PostPayment(engine, answering, state, clock, {"A1", c.date, c.received, "", c.lines}));
        EXPECT_EQ(answering.shown.back().substr(0, c.shown.size()), c.shown);
        EXPECT_EQ(testsupport::DifferingFiles(before, testsupport::FolderBytes(dir.path())),
                  std::vector<std::string>{});
    }
}

// Every write of a posting with a deposit, a partial payment and a full payment written as a
// record of its own fails in turn: the folder is as before, except for the invoice file, where
// records added and taken back leave free slots and index pages split by their keys stay split;
// there every record and every key order is compared instead.
TEST_F(PaymentPostingTest, AFailedWriteLeavesEveryFileAsBefore) {
    const auto post = [&] {
        return Pay("A1", "145", [](PaymentSheet& s) {
            ASSERT_FALSE(s.PayPartly(0, "45"));
            ASSERT_FALSE(s.MoveRight({1}));
            ASSERT_FALSE(s.AddDeposit("50", "12/06/26"));
        });
    };
    const auto before = testsupport::FolderBytes(dir.path());
    const std::vector<std::string> keys = Keys();
    const records::CompanyRecord company = state.currentCompany;
    int64_t writes = files.writes();
    ASSERT_TRUE(post());
    writes = files.writes() - writes;
    ASSERT_GT(writes, 8);
    const std::vector<std::string> posted = Records();
    for (int64_t nth = 1; nth <= writes; ++nth) {
        SCOPED_TRACE("write " + std::to_string(nth) + " of " + std::to_string(writes));
        testsupport::PutBackFolder(dir.path(), before);
        state.currentCompany = company;
        files.FailWrite(nth);
        const bool done = post().has_value();
        files.Clear();
        if (done) {  // a write the engine can do without
            EXPECT_EQ(Records(), posted);
            continue;
        }
        EXPECT_EQ(testsupport::DifferingFiles(before, testsupport::FolderBytes(dir.path()),
                                              {"1I.DAT", "1I.IX"}),
                  std::vector<std::string>{});
        EXPECT_TRUE(Keys() == keys);
        EXPECT_TRUE(state.currentCompany == company);
    }
}

}  // namespace
}  // namespace receivables::testing
