// ledger: differences between the stored balances and the invoice file, found and repaired.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>

#include "engine/Engine.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"
#include "support/Samples.h"
#include "tool/AgingSample.h"
#include "tool/DataFolderTest.h"

namespace tooltest {
namespace {

// A company whose balances were aged on 6 December 2026, so that they agree: customer A1
// (record 1) with invoices 1 to 5 (records 1 to 5) owing 307.50 in all.
class LedgerCommand : public DataFolderTest {
public:
    LedgerCommand() {
        AddAgingSample(dir,
                       {{30, "20.00"}, {31, "40.00"}, {90, "80.00"}, {91, "160.50"}, {-4, "7.00"}});
        EXPECT_EQ(Post({R"({"op": "age"})"})[0]["ok"], true);
    }

    ToolResult Ledger(std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"ledger", dir.string(), "--today", "2026-12-06"});
        return RunTool(options, parent.path());
    }

    template <typename R>
    void Edit(records::RecordKind kind, int32_t recordNumber, const std::function<void(R&)>& edit) {
        testsupport::ScopedChdir inDir(dir);
        engine::Engine engine;
        engine.InitEngine(0, 30);
        engine::FileBlockHandle fb = nullptr;
        engine.OpenFileBlock(fb, records::RecordTypeOf(kind).Describe("1").name);
        R record;
        engine.GetRecord(fb, recordNumber, record.bytes());
        edit(record);
        engine.PutRecord(fb, recordNumber, record.bytes());
        engine.CloseFileBlock(fb);
        ASSERT_TRUE(engine.ok()) << engine.error();
        engine.ExitEngine();
    }
    void SetReceivablesTotal(const char* total) {
        testsupport::ScopedChdir inDir(dir);
        records::CompanyRecord company = *testsupport::StoredCompany("1");
        company.setReceivablesTotal(total);
        testsupport::UpdateStoredCompany(company);
    }
    // An invoice of `balanceDue` for `customer`, with its keys.
    void AddInvoice(const char* number, const char* customer, const char* balanceDue) {
        testsupport::ScopedChdir inDir(dir);
        engine::Engine engine;
        records::InvoiceRecord invoice;
        invoice.setInvoiceNumber(number);
        invoice.setTypeCode(records::type::kRegularInvoice);
        invoice.setCustomerNumber(customer);
        invoice.setBalanceDue(balanceDue);
        testsupport::AddRecords(engine,
                                records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"),
                                std::vector{invoice});
        engine.ExitEngine();
    }
    void EditInvoice(int32_t recordNumber,
                     const std::function<void(records::InvoiceRecord&)>& edit) {
        Edit<records::InvoiceRecord>(records::RecordKind::Invoice, recordNumber, edit);
    }
};

struct DifferenceCase {
    const char* name;
    std::function<void(LedgerCommand&)> corrupt;
    std::vector<std::string> lines;
    bool repaired;  // recomputing the balances makes the check pass
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const DifferenceCase& c, std::ostream* os) {
    *os << c.name;
}

const DifferenceCase kDifferenceCases[] = {
    {"BalanceChangedByHand",
     [](LedgerCommand& t) {
         t.Edit<records::CustomerRecord>(records::RecordKind::Customer, 1,
                                         [](auto& c) { c.setBalance("357.50"); });
     },
     {"Customer A1 (record 1): balance 357.50, its items add up to 307.50 (invoices "
      "1 (record 1), 2 (record 2), 3 (record 3), 4 (record 4), 5 (record 5)), 50.00 too high",
      "Customer A1 (record 1): the aging amounts add up to 307.50, the balance is 357.50, "
      "50.00 too low",
      "Receivables total 307.50, the customer balances add up to 357.50, 50.00 too low",
      "3 difference(s) found."},
     true},
    {"CompanyTotalOff",
     [](LedgerCommand& t) { t.SetReceivablesTotal("300.00"); },
     {"Receivables total 300.00, the customer balances add up to 307.50, 7.50 too low",
      "1 difference(s) found."},
     true},
    {"PaidFlagWithABalanceDue",
     [](LedgerCommand& t) { t.EditInvoice(2, [](auto& r) { r.setPaidFlag("P"); }); },
     {"Invoice 2 (record 2) of customer A1 is marked paid but has a balance due of 40.00",
      "1 difference(s) found."},
     false},
    {"TotalIsNotNetPlusTax",
     [](LedgerCommand& t) {
         t.EditInvoice(3, [](auto& r) {
             r.setNet("70.005");
             r.setTax("5.60");
             r.setTotal("80.00");
         });
     },
     {"Invoice 3 (record 3) of customer A1: total 80.00, net plus tax 75.61, 4.39 too high",
      "1 difference(s) found."},
     false},
    {"RecordsNamingAMissingCustomer",
     [](LedgerCommand& t) {
         t.AddInvoice("6", "ZZ9", "12.00");
         t.AddInvoice("7", "zz9 ", "0.00");
     },
     {"Customer ZZ9 is not on file but is named by invoice 6 (record 6), 7 (record 7), "
      "balance due 12.00",
      "1 difference(s) found."},
     false},
};

class LedgerDifferences : public LedgerCommand,
                          public ::testing::WithParamInterface<DifferenceCase> {};

TEST_P(LedgerDifferences, AreListedAndOnlyBalancesAreRepaired) {
    const DifferenceCase& c = GetParam();
    ASSERT_EQ(Ledger().exitCode, 0);
    c.corrupt(*this);
    const ToolResult check = Ledger();
    EXPECT_EQ(check.exitCode, 1) << check.err;
    EXPECT_EQ(check.lines(), c.lines);

    // Unanswered, the repair only lists its changes.
    const std::string before = testsupport::FileBytes(dir / "1C.DAT");
    EXPECT_EQ(Ledger({"--repair"}).exitCode, 1);
    EXPECT_EQ(testsupport::FileBytes(dir / "1C.DAT"), before);

    const ToolResult repair = Ledger({"--repair", "--answer", "yes"});
    EXPECT_EQ(repair.exitCode, c.repaired ? 0 : 1) << repair.out << repair.err;
    EXPECT_EQ(Ledger().exitCode, c.repaired ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Ledger, LedgerDifferences, ::testing::ValuesIn(kDifferenceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LedgerCommand, RepairListsItsChangesAndRecomputesEveryCustomer) {
    // Zero amounts do not make the daily aging revisit a customer; the repair does.
    Edit<records::CustomerRecord>(records::RecordKind::Customer, 1, [](auto& c) {
        for (auto set : {&records::CustomerRecord::setBalance, &records::CustomerRecord::setAging1,
                         &records::CustomerRecord::setAging2, &records::CustomerRecord::setAging3,
                         &records::CustomerRecord::setAging4})
            (c.*set)("0.00");
    });
    const ToolResult repair = Ledger({"--repair", "--answer", "yes"});
    EXPECT_EQ(repair.exitCode, 0) << repair.err;
    const std::vector<std::string> lines = repair.lines();
    const auto planned = std::find(lines.begin(), lines.end(), "Planned changes:");
    ASSERT_LT(planned + 1, lines.end());
    EXPECT_EQ(planned[1],
              "  Customer A1 (record 1): balance 0.00 -> 307.50, aging 0.00 / 0.00 / 0.00 / 0.00 "
              "-> 27.00 / 40.00 / 80.00 / 160.50");
    EXPECT_EQ(lines.back(), "The customer balances agree with the invoice file.");
}

TEST_F(LedgerCommand, BadArgumentsAreAUsageError) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"ledger"},
          std::vector<std::string>{"ledger", dir.string(), "--today", "12/06/2026"},
          std::vector<std::string>{"ledger", dir.string(), "--answer", "maybe"}}) {
        EXPECT_EQ(RunTool(args, parent.path()).exitCode, 2);
    }
}

}  // namespace
}  // namespace tooltest
