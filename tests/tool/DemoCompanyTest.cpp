// init --demo: a sample business a new user can explore, posted through the tool's own operations.
// The folder is made once on a fixed day and read by the checks of the other commands.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "engine/Engine.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

namespace fs = std::filesystem;
using records::RecordKind;

constexpr char kToday[] = "2026-12-06";

std::string FolderBytes(const fs::path& dir) {
    std::vector<fs::path> files{fs::directory_iterator(dir), fs::directory_iterator()};
    std::sort(files.begin(), files.end());
    std::string bytes;
    for (const fs::path& file : files)
        bytes += file.filename().string() + "\n" + testsupport::FileBytes(file);
    return bytes;
}

class DemoCompany : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        parent_ = std::make_unique<testsupport::TempDir>();
        init_ = RunTool({"init", "--demo", Dir().string(), "--today", kToday}, parent_->path());
    }
    static void TearDownTestSuite() { parent_.reset(); }

    static fs::path Dir() { return parent_->path() / "demo"; }

    template <typename Record>
    static std::vector<Record> Stored(RecordKind kind) {
        testsupport::ScopedChdir inDir(Dir());
        engine::Engine engine;
        engine.InitEngine(0, 30);
        testsupport::ScriptedPrompts prompts;
        auto records = testsupport::StoredRecords<Record>(
            engine, records::RecordTypeOf(kind).Describe("1"), prompts);
        engine.ExitEngine();
        return records;
    }

    static inline std::unique_ptr<testsupport::TempDir> parent_;
    static inline ToolResult init_;
};

TEST_F(DemoCompany, IsMadeAndSaysWhatItPosted) {
    EXPECT_EQ(init_.exitCode, 0) << init_.err;
    EXPECT_EQ(init_.err, "");
    EXPECT_NE(init_.out.find("Posted 40 customers, 25 products, "), std::string::npos) << init_.out;
}

TEST_F(DemoCompany, LedgerAndStructureCheckFindItConsistent) {
    const ToolResult ledger = RunTool({"ledger", Dir().string(), "--today", kToday}, Dir());
    EXPECT_EQ(ledger.exitCode, 0) << ledger.out;
    EXPECT_EQ(ledger.out, "The customer balances agree with the invoice file.\n");
    const ToolResult check = RunTool({"check", "Company", "1C", "1P", "1I", "1D", "1M"}, Dir());
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    EXPECT_EQ(check.out, "");
}

TEST_F(DemoCompany, HoldsCustomersOfEveryKind) {
    const auto customers = Stored<records::CustomerRecord>(RecordKind::Customer);
    ASSERT_EQ(customers.size(), 40u);
    const auto count = [&](auto predicate) {
        return std::count_if(customers.begin(), customers.end(), predicate);
    };
    EXPECT_EQ(count([](const auto& c) { return c.creditHold(); }), 1);
    EXPECT_EQ(count([](const auto& c) { return c.balanceAmount() < base::Decimal(); }), 1);
    EXPECT_GE(count([](const auto& c) { return c.taxExempt() == "Y"; }), 3);
    EXPECT_GE(count([](const auto& c) { return !c.email().empty(); }), 10);
    EXPECT_EQ(Stored<records::ProductRecord>(RecordKind::Product).size(), 25u);
}

TEST_F(DemoCompany, InvoicesOfEveryFormPartlyPaidPaidAndDeposits) {
    const auto records = Stored<records::InvoiceRecord>(RecordKind::Invoice);
    const auto count = [&](auto predicate) {
        return std::count_if(records.begin(), records.end(), predicate);
    };
    const auto isInvoice = [](const records::InvoiceRecord& r) {
        return r.typeCode() == records::type::kRegularInvoice ||
               r.typeCode() == records::type::kPartlyPaidInvoice;
    };
    const long invoices = count(isInvoice);
    EXPECT_GE(invoices, 280);
    EXPECT_LE(invoices, 320);
    EXPECT_GT(count([&](const auto& r) { return isInvoice(r) && r.form() == "M"; }), 30);
    EXPECT_GT(count([&](const auto& r) { return isInvoice(r) && r.taxAmount().IsZero(); }), 10);
    EXPECT_GT(count([&](const auto& r) { return isInvoice(r) && !r.taxAmount().IsZero(); }), 100);
    EXPECT_GT(count([&](const auto& r) { return isInvoice(r) && r.paidFlag() == "P"; }), 150);
    EXPECT_GT(
        count([](const auto& r) { return r.typeCode() == records::type::kPartlyPaidInvoice; }), 0);
    EXPECT_EQ(count([](const auto& r) { return r.typeCode() == records::type::kDeposit; }), 2);
}

TEST_F(DemoCompany, EveryAgingCategoryHasAnAmount) {
    base::Decimal sums[4];
    for (const auto& c : Stored<records::CustomerRecord>(RecordKind::Customer)) {
        sums[0] += c.aging1Amount();
        sums[1] += c.aging2Amount();
        sums[2] += c.aging3Amount();
        sums[3] += c.aging4Amount();
    }
    for (const base::Decimal& sum : sums) EXPECT_GT(sum, base::Decimal::FromInteger(500));
}

TEST_F(DemoCompany, TheSameDayGivesTheSameFiles) {
    const fs::path again = parent_->path() / "again";
    ASSERT_EQ(
        RunTool({"init", again.string(), "--demo", "--today", kToday}, parent_->path()).exitCode,
        0);
    EXPECT_TRUE(FolderBytes(again) == FolderBytes(Dir()));
}

TEST_F(DemoCompany, AFolderWithDataIsLeftAsItWas) {
    const std::string before = FolderBytes(Dir());
    const ToolResult result =
        RunTool({"init", "--demo", Dir().string(), "--today", kToday}, parent_->path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "init: " + Dir().string() +
                              " already exists and is not an empty folder; nothing "
                              "changed\n");
    EXPECT_TRUE(FolderBytes(Dir()) == before);
}

TEST_F(DemoCompany, WrongWordsAreAUsageError) {
    const fs::path fresh = parent_->path() / "fresh";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"init", fresh.string(), "--today", kToday},
          {"init", fresh.string(), "--demo", "--today", "2026-02-30"},
          {"init", fresh.string(), "--demo", "--sample"},
          {"init", fresh.string(), fresh.string(), "--demo"}}) {
        const ToolResult result = RunTool(args, parent_->path());
        EXPECT_EQ(result.exitCode, 2) << args.back();
        EXPECT_TRUE(result.err.starts_with("usage: kt-invorra-tool init DIR [--demo"))
            << result.err;
    }
    EXPECT_FALSE(fs::exists(fresh));
}

}  // namespace
}  // namespace tooltest
