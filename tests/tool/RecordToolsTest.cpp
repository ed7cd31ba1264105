// The record-aware commands: init makes a starter folder, dump --fields prints records by field,
// rebuild rebuilds a company's files in the program's order with the records' key builders.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "company/LastCompany.h"
#include "company/PaymentTerms.h"
#include "records/CompanyRecord.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/TempDir.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using testsupport::FileBytes;
using testsupport::TempDir;

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(InitCommand, MakesAFolderTheProgramAndTheCheckerAcceptButNeverTouchesAnExistingOne) {
    TempDir parent;
    const std::filesystem::path dir = parent.path() / "data";
    const ToolResult init = RunTool({"init", dir.string()}, parent.path());
    ASSERT_EQ(init.exitCode, 0) << init.err;
    const ToolResult check = RunTool({"check", "Company"}, dir);
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;

    // "LastCo.Dat" holds exactly the record stored as company 1 of the company file.
    const std::string lastCompany = FileBytes(dir / "LastCo.Dat");
    ASSERT_EQ(lastCompany.size(), 2736u);
    EXPECT_EQ(FileBytes(dir / "Company.DAT").substr(2736, 2736), lastCompany);
    records::CompanyRecord company;
    company.Assign(std::as_bytes(std::span(lastCompany)));
    EXPECT_EQ(company.number(), "1");
    EXPECT_EQ(company.invoiceCaption(), "INVOICE");
    {
        testsupport::ScopedChdir inDir(dir);
        EXPECT_EQ(company::LoadPaymentTerms(engine::PosixFileSystem()).at(0), "Net 30 Days");
        EXPECT_EQ(FileBytes("ktt8.bmp").substr(0, 2), "BM");
    }

    std::ofstream(dir / "LastCo.Dat", std::ios::binary | std::ios::trunc) << "mine";
    const ToolResult again = RunTool({"init", dir.string()}, parent.path());
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("already exists"), std::string::npos);
    EXPECT_EQ(FileBytes(dir / "LastCo.Dat"), "mine");
    EXPECT_EQ(RunTool({"init"}, parent.path()).exitCode, 2);
}

class CompanyFolder : public ::testing::Test {
protected:
    // A starter folder whose company 1 has 120 customers, two products and one invoice.
    CompanyFolder() {
        EXPECT_EQ(RunTool({"init", dir.string()}, parent.path()).exitCode, 0);
        testsupport::ScopedChdir inDir(dir);
        engine::Engine engine;
        std::vector<records::CustomerRecord> customers;
        for (int i = 1; i <= 120; ++i)
            customers.push_back(
                testsupport::SampleCustomer(std::to_string(i), "Customer " + std::to_string(i)));
        testsupport::AddRecords(
            engine, records::RecordTypeOf(records::RecordKind::Customer).Describe("1"), customers);
        testsupport::AddRecords(engine,
                                records::RecordTypeOf(records::RecordKind::Product).Describe("1"),
                                std::vector<records::ProductRecord>{
                                    testsupport::SampleProduct("W-1", "Widget \"large\"", "2.50"),
                                    testsupport::SampleProduct("S-1", "Service", "100", false)});
        testsupport::AddInvoice(engine, "1",
                                testsupport::SampleProductInvoice(
                                    testsupport::SampleCompany(), customers[0], "100", {2024, 3, 5},
                                    {{"W-1", "2", "Widget", "2.50", true}}));
    }

    TempDir parent;
    std::filesystem::path dir = parent.path() / "data";
};

TEST_F(CompanyFolder, DumpFieldsNamesEveryFieldOfEveryLiveRecord) {
    const ToolResult products = RunTool({"dump", "1p", "--fields"}, dir);
    ASSERT_EQ(products.exitCode, 0) << products.err;
    const std::vector<std::string> lines = products.lines();
    EXPECT_EQ(lines.size(), 2u * (1 + records::ProductRecord::Fields().size()));
    EXPECT_EQ(lines[0], "record 1");
    EXPECT_TRUE(Contains(lines, "  description: \"Widget \\\"large\\\"\""));
    EXPECT_TRUE(Contains(lines, "  taxable: 0"));
    EXPECT_TRUE(Contains(RunTool({"dump", "Company", "--fields"}, dir).lines(),
                         "  editorFont: \"Arial\", 10 pt, colour 0xff0000 bold"));
    EXPECT_TRUE(
        Contains(RunTool({"dump", "1D", "--fields"}, dir).lines(), "  invoiceNumber: \"100\""));
    EXPECT_EQ(RunTool({"dump", "1X", "--fields"}, dir).exitCode, 2);
    EXPECT_EQ(RunTool({"dump", "9C", "--fields"}, dir).exitCode, 1);  // no such file
}

TEST_F(CompanyFolder, RebuildRunsEveryFileInTheProgramsOrder) {
    const ToolResult all = RunTool({"rebuild", dir.string()}, parent.path());
    EXPECT_EQ(all.exitCode, 0) << all.out << all.err;
    EXPECT_TRUE(Contains(all.lines(), "Customers (1C): rebuilt"));

    const ToolResult rebuild = RunTool({"rebuild", dir.string(), "1"}, parent.path());
    ASSERT_EQ(rebuild.exitCode, 0) << rebuild.out << rebuild.err;
    std::vector<std::string> started;
    for (const std::string& line : rebuild.lines())
        if (line.ends_with(": rebuilding")) started.push_back(line);
    EXPECT_EQ(started, (std::vector<std::string>{
                           "Companies (Company): rebuilding", "Customers (1C): rebuilding",
                           "Invoices (1I): rebuilding", "Detail Records (1D): rebuilding",
                           "Products (1P): rebuilding"}));
    EXPECT_TRUE(Contains(rebuild.lines(), "Memo Records (1M): no file, skipped"));
    EXPECT_TRUE(Contains(rebuild.lines(),
                         "  Customers: Key number: 2  Records read: 120  Records written: 120"));
    EXPECT_EQ(rebuild.lines().back(), "The data files have been rebuilt.");
    for (const char* block : {"Company", "1C", "1I", "1D", "1P"}) {
        const ToolResult check = RunTool({"check", block}, dir);
        EXPECT_EQ(check.exitCode, 0) << block << ": " << check.out << check.err;
    }
    // The rebuilt customer index is the records' own: key 2 lists "100" between "10" and "101".
    const std::vector<std::string> entries = RunTool({"dump", "1C", "--key", "2"}, dir).lines();
    const auto at = std::find(entries.begin(), entries.end(), "100 \"100     \"");
    ASSERT_NE(at, entries.end());
    EXPECT_EQ(*(at - 1), "10 \"10      \"");
    EXPECT_EQ(*(at + 1), "101 \"101     \"");
}

}  // namespace
}  // namespace tooltest
