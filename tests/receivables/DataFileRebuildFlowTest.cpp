// "Rebuild Data &Files": every file of the current company rebuilt, then the ledger check offer.
#include "receivables/DataFileRebuildFlow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/RecordFile.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceRecord.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"
#include "support/DataFolder.h"
#include "support/Samples.h"

namespace receivables {
namespace {

// Counts the files whose rebuild started.
struct CountingObserver : engine::RebuildObserver {
    void RebuildStarted(const std::string&) override { ++started; }
    void RebuildProgress(int, int32_t, int32_t) override {}
    void RebuildFinished() override {}
    int started = 0;
};

class DataFileRebuildFlowTest : public ::testing::Test, protected testsupport::DataFolder {
protected:
    DataFileRebuildFlowTest() {
        testsupport::AddCompanies({testsupport::SampleCompany("1", "Acme Supply")});
        state.currentCompany = *testsupport::StoredCompany("1");
    }
    ~DataFileRebuildFlowTest() override {
        if (engine.IsInitialised()) engine.ExitEngine();
    }

    engine::FileDescription File(records::RecordKind kind) {
        return records::RecordTypeOf(kind).Describe("1");
    }

    base::FixedClock clock{{{2026, 3, 9}, 10, 30, 0}};
    company::ProgramState state;
    DataFileRebuildFlow flow{engine, prompts, state, clock};
    CountingObserver observer;
};

TEST_F(DataFileRebuildFlowTest, AMissingIndexIsRebuiltAndTheFilesWithoutDataAreNoFailure) {
    const engine::FileDescription customers = File(records::RecordKind::Customer);
    testsupport::AddRecords(
        engine, customers,
        std::vector<records::CustomerRecord>{testsupport::SampleCustomer("1", "Customer 1"),
                                             testsupport::SampleCustomer("2", "Customer 2"),
                                             testsupport::SampleCustomer("3", "Customer 3")});
    std::filesystem::remove("1C.IX");
    engine.InitEngine(0, 30);
    EXPECT_TRUE(flow.RebuildAll(observer));
    EXPECT_GT(observer.started, 0);
    EXPECT_FALSE(std::filesystem::exists("1C.SAV"));
    engine.ExitEngine();

    engine::Engine reader;
    reader.InitEngine(0, 30);
    engine::RecordFile<records::CustomerRecord> file(reader, customers, prompts);
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(reader.UsedKeys(file.handle(), 1), 3);
    EXPECT_TRUE(file.Close());
}

TEST_F(DataFileRebuildFlowTest, AFailedRebuildSaysCompleteButOffersNoLedgerCheck) {
    prompts.ExpectInform("Rebuild Complete", "The data files have been rebuilt.");
    flow.Finish(false);
}

// Customer 1's amounts are all zero although invoice 1001 owes 25.00; the check finds that and
// the repair recomputes it.
TEST_F(DataFileRebuildFlowTest, AfterwardsOffersTheLedgerCheckAndTheRepair) {
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
    const engine::FileDescription customers = File(records::RecordKind::Customer);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* file : {"Company.DAT", "Company.IX", "1C.DAT", "1C.IX", "1I.DAT", "1I.IX"})
            std::filesystem::remove(file);
        testsupport::AddCompanies({testsupport::SampleCompany("1", "Acme Supply")});
        state.currentCompany = *testsupport::StoredCompany("1");
        records::CustomerRecord customer = testsupport::SampleCustomer("1", "Customer 1");
        for (auto set : {&records::CustomerRecord::setBalance, &records::CustomerRecord::setAging1,
                         &records::CustomerRecord::setAging2, &records::CustomerRecord::setAging3,
                         &records::CustomerRecord::setAging4})
            (customer.*set)("0.00");
        testsupport::AddRecords(engine, customers, std::vector{customer});
        records::InvoiceRecord invoice;
        invoice.setInvoiceNumber("1001");
        invoice.setTypeCode(records::type::kRegularInvoice);
        invoice.setCustomerNumber(c.invoiceCustomer);
        invoice.setDocumentDate("03/01/2026", {2026, 3, 1});
        invoice.setBalanceDue("25.00");
        testsupport::AddRecords(engine, File(records::RecordKind::Invoice), std::vector{invoice});

        engine.InitEngine(0, 30);
        prompts.ExpectInform("Rebuild Complete", "The data files have been rebuilt.");
        c.script(prompts);
        flow.Finish(flow.RebuildAll(observer));
        prompts.Verify();
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
}  // namespace receivables
