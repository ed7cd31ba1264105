// "Rebuild Data &Files" over damaged files of the current company.
#include <QAction>
#include <filesystem>
#include <functional>

#include "ShellFixture.h"
#include "engine/RecordFile.h"
#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"
#include "shell/ui/MainWindow.h"
#include "support/Samples.h"
#include "widgets/StatusWindow.h"

namespace shelltest {
namespace {

using DataFileRebuild = ShellTest;

TEST_F(DataFileRebuild, CommandRepairsAMissingIndexAndReportsCompletion) {
    MakeDataFolder();
    const engine::FileDescription file =
        records::RecordTypeOf(records::RecordKind::Customer).Describe("1");
    testsupport::AddRecords(
        engine, file,
        std::vector<records::CustomerRecord>{testsupport::SampleCustomer("1", "Customer 1"),
                                             testsupport::SampleCustomer("2", "Customer 2"),
                                             testsupport::SampleCustomer("3", "Customer 3")});
    std::filesystem::remove("1C.IX");

    auto& w = NewMainWindow();
    ASSERT_TRUE(w.FormCreate());
    ASSERT_TRUE(w.FormShow());
    prompts.ExpectInform("Rebuild Complete", "The data files have been rebuilt.")
        .ExpectYesNo("Rebuild Data Files",
                     "Check that the customer balances agree with the invoice file?", false);
    w.findChild<QAction*>("RebuildDataFiles1")->trigger();
    prompts.Verify();
    EXPECT_FALSE(w.statusWindow().isVisible());
    EXPECT_FALSE(std::filesystem::exists("1C.SAV"));
    engine::Engine reader;
    reader.InitEngine(0, 30);
    engine::RecordFile<records::CustomerRecord> customers(reader, file, prompts);
    ASSERT_TRUE(customers.Open());
    EXPECT_EQ(reader.UsedKeys(customers.handle(), 1), 3);
    EXPECT_TRUE(customers.Close());
}

// Customer 1's amounts are all zero, so the daily aging leaves them alone although invoice 1001
// owes 25.00; the check after the rebuild finds that and the repair recomputes it.
TEST_F(DataFileRebuild, AfterwardsOffersTheLedgerCheckAndTheRepair) {
    constexpr char kCaption[] = "Rebuild Data Files";
    constexpr char kAsk[] = "Check that the customer balances agree with the invoice file?";
    constexpr char kFound[] =
        "1 difference(s) found. Recompute the balances from the invoice file?\n\nCustomer 1 "
        "(record 1): balance 0.00, its items add up to 25.00 (invoices 1001 (record 1)), 25.00 "
        "too low";
    struct Case {
        const char* name;
        const char* invoiceCustomer;  // named by invoice 1001
        std::function<void(testsupport::ScriptedPrompts&)> script;
        const char* balance;  // customer 1's afterwards
    };
    const Case cases[] = {
        {"check declined", "1", [&](auto& p) { p.ExpectYesNo(kCaption, kAsk, false); }, "0.00"},
        {"repair declined", "1",
         [&](auto& p) { p.ExpectYesNo(kCaption, kAsk, true).ExpectYesNo(kCaption, kFound, false); },
         "0.00"},
        {"repaired", "1",
         [&](auto& p) {
             p.ExpectYesNo(kCaption, kAsk, true)
                 .ExpectYesNo(kCaption, kFound, true)
                 .ExpectInform(kCaption,
                               "The balances were recomputed. The customer balances "
                               "agree with the invoice file.");
         },
         "25.00"},
        {"nothing to recompute", "9",
         [&](auto& p) {
             p.ExpectYesNo(kCaption, kAsk, true)
                 .ExpectWarn(kCaption,
                             "1 difference(s) found. Recomputing the balances cannot correct "
                             "them.\n\nCustomer 9 is not on file but is named by invoice 1001 "
                             "(record 1), balance due 25.00");
         },
         "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* file : {"Company.DAT", "Company.IX", "1C.DAT", "1C.IX", "1I.DAT", "1I.IX"})
            std::filesystem::remove(file);
        MakeDataFolder();
        records::CustomerRecord customer = testsupport::SampleCustomer("1", "Customer 1");
        for (auto set : {&records::CustomerRecord::setBalance, &records::CustomerRecord::setAging1,
                         &records::CustomerRecord::setAging2, &records::CustomerRecord::setAging3,
                         &records::CustomerRecord::setAging4})
            (customer.*set)("0.00");
        const engine::FileDescription customers =
            records::RecordTypeOf(records::RecordKind::Customer).Describe("1");
        testsupport::AddRecords(engine, customers, std::vector{customer});
        records::InvoiceRecord invoice;
        invoice.setInvoiceNumber("1001");
        invoice.setTypeCode(records::type::kRegularInvoice);
        invoice.setCustomerNumber(c.invoiceCustomer);
        invoice.setDocumentDate("03/01/2026", {2026, 3, 1});
        invoice.setBalanceDue("25.00");
        testsupport::AddRecords(engine,
                                records::RecordTypeOf(records::RecordKind::Invoice).Describe("1"),
                                std::vector{invoice});

        auto& w = NewMainWindow();
        ASSERT_TRUE(w.FormCreate());
        ASSERT_TRUE(w.FormShow());
        prompts.ExpectInform("Rebuild Complete", "The data files have been rebuilt.");
        c.script(prompts);
        w.findChild<QAction*>("RebuildDataFiles1")->trigger();
        prompts.Verify();
        window.reset();
        engine.ExitEngine();

        engine::Engine reader;
        reader.InitEngine(0, 30);
        EXPECT_EQ(testsupport::StoredRecords<records::CustomerRecord>(reader, customers, prompts)
                      .at(0)
                      .balance(),
                  c.balance);
        EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), c.balance);
    }
}

}  // namespace
}  // namespace shelltest
