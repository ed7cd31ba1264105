// The import of customers and products from CSV on real files: a file with refused rows writing
// nothing, a good one written whole, the texts of either code page.

#include <gtest/gtest.h>

#include "maintenance/CsvImport.h"
#include "support/AnsweringPrompts.h"
#include "support/CompanyOneFixture.h"
#include "support/FolderImage.h"

namespace {

using maintenance::CsvImportKind;

class CsvImportTest : public testsupport::CompanyOneFixture {
protected:
    CsvImportTest()
        : CompanyOneFixture([](records::CompanyRecord& c) { c.setNextCustomerNumber("100"); }) {
        testsupport::AddRecords(engine, File(records::RecordKind::Customer),
                                std::vector<records::CustomerRecord>{
                                    testsupport::SampleCustomer("A1", "Ames Hardware")});
        testsupport::AddRecords(
            engine, File(records::RecordKind::Product),
            std::vector<records::ProductRecord>{testsupport::SampleProduct("P1", "Bolt", "1.00")});
    }

    maintenance::CsvImportOutcome Import(CsvImportKind kind, const std::string& text,
                                         bool dryRun = false) {
        return maintenance::ImportCsv(engine, asked, state, clock, kind, text, dryRun);
    }

    testsupport::AnsweringPrompts asked;
};

TEST_F(CsvImportTest, RefusedRowsAreAllListedAndNothingIsWritten) {
    const std::string csv =
        "Number,Name,E-Mail,Credit Limit,Credit Hold\r\n"
        "B1,Brook Ltd,b@brook.example,100,N\r\n"  // good
        "A1,Someone New,,,N\r\n"                  // number on file
        "C1,,,,N\r\n"                             // no name
        "D1,Dee,dee.example,,N\r\n"               // no @
        "E1,Eel,,lots,N\r\n"                      // limit no number
        "b1,Brook Again,,,N\r\n"                  // number of the row above
        "F1,Fox,,,maybe\r\n"                      // flag
        "G123456789,Long Number,,,N\r\n"          // wider than the field
        "H1,Short row\r\n";
    const auto before = testsupport::FolderBytes(dir.path());
    for (const bool dryRun : {true, false}) {
        const auto outcome = Import(CsvImportKind::Customers, csv, dryRun);
        EXPECT_EQ(outcome.failure, "");
        EXPECT_EQ(outcome.rows, 9);
        EXPECT_EQ(outcome.imported, 0);
        std::vector<int> lines;
        for (const auto& row : outcome.refused) lines.push_back(row.line);
        EXPECT_EQ(lines, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10}));
        ASSERT_EQ(outcome.refused.size(), 8u);
        EXPECT_EQ(outcome.refused[0].reason,
                  "That customer number already exists. You will need to use a different "
                  "number.");
        EXPECT_EQ(outcome.refused[1].reason, "You must enter a customer name.");
        EXPECT_EQ(outcome.refused[3].reason, "The CREDIT LIMIT amount has an invalid value.");
        EXPECT_EQ(testsupport::FolderBytes(dir.path()), before);
    }
}

TEST_F(CsvImportTest, GoodCustomersAreImportedWhole) {
    // UTF-8 with a byte-order mark, header in another letter case and order.
    const std::string csv =
        "\xEF\xBB\xBFname,NUMBER,Billing 1,Balance,Credit Hold\n"
        "Caf\xC3\xA9 Mocha,C7,\"1 Main St, Suite 2\",999.00,Y\n"
        "Dunn & Co,D2,,0.00,n\n";
    EXPECT_TRUE(Import(CsvImportKind::Customers, csv, true).ok());
    EXPECT_EQ(StoredCustomers().size(), 1u);  // the dry run wrote nothing
    const auto outcome = Import(CsvImportKind::Customers, csv);
    ASSERT_TRUE(outcome.ok()) << outcome.failure;
    EXPECT_EQ(outcome.imported, 2);
    const auto stored = StoredCustomers();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[1].name(), "Caf\xE9 Mocha");  // Windows-1252
    EXPECT_EQ(stored[1].billing1(), "1 Main St, Suite 2");
    EXPECT_EQ(stored[1].balance(), "0.00");  // balances come from invoices only
    EXPECT_TRUE(stored[1].creditHold());
    EXPECT_EQ(stored[1].shortName(), "CMocha");
    EXPECT_EQ(stored[2].number(), "D2");
    // The dialog's rule after the last row: its leading number ("D2" has none) plus one.
    EXPECT_EQ(testsupport::StoredCompany("1")->nextCustomerNumber(), "1");
}

TEST_F(CsvImportTest, UnicodeTextThatWindows1252CannotHoldIsRefused) {
    const auto outcome = Import(CsvImportKind::Customers,
                                "Number,Name\nE1,Euro \xE2\x82\xAC Ltd\nO1,\xCE\xA9mega\n");
    ASSERT_EQ(outcome.refused.size(), 1u);
    EXPECT_EQ(outcome.refused[0].line, 3);
    EXPECT_EQ(outcome.refused[0].reason, "Name holds a character that cannot be stored");
    EXPECT_EQ(StoredCustomers().size(), 1u);
}

TEST_F(CsvImportTest, Windows1252TextIsKeptAsItIs) {
    const auto outcome = Import(CsvImportKind::Products,
                                "Code,Description,Sales Price,Taxable\nP2,Cr\xE8me,2.50,Y\n");
    ASSERT_TRUE(outcome.ok()) << outcome.failure;
    const auto products = Stored<records::ProductRecord>(records::RecordKind::Product);
    ASSERT_EQ(products.size(), 2u);
    EXPECT_EQ(products[1].description(), "Cr\xE8me");
    EXPECT_EQ(products[1].price(), "2.50");
    EXPECT_EQ(products[1].setupDate(), state.todayText);
}

TEST_F(CsvImportTest, FilesThatCannotBeReadAsAWholeAreRefused) {
    struct Case {
        const char* csv;
        const char* failure;
    };
    for (const Case& c :
         {Case{"", "The file holds no header row."},
          Case{"Code,Description,Colour\n", "The column \"Colour\" is not known."},
          Case{"Code,Code,Description\n", "The column \"Code\" is named twice."},
          Case{"Description\nBolt\n", "The column \"Code\" is missing."},
          Case{"Code,Description\n\"P9,Bolt\n", "Line 2: a quoted field is not closed."}})
        EXPECT_EQ(Import(CsvImportKind::Products, c.csv).failure, c.failure) << c.csv;
    const auto products = Stored<records::ProductRecord>(records::RecordKind::Product);
    EXPECT_EQ(products.size(), 1u);
}

TEST_F(CsvImportTest, DuplicateProductCodeNamesTheProductOnFile) {
    const auto outcome = Import(CsvImportKind::Products, "Code,Description\np1,Nut\nP3,Washer\n");
    ASSERT_EQ(outcome.refused.size(), 1u);
    EXPECT_EQ(outcome.refused[0].line, 2);
    EXPECT_EQ(outcome.refused[0].reason,
              "This Product Code already exists for: Bolt. Use a different code.");
}

}  // namespace
