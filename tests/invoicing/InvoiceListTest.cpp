// The Invoice Manager's texts: the browser's columns, damaged records, the paid amount of records
// with partial payments, the customer range and the quick view.
#include "invoicing/InvoiceList.h"

#include <gtest/gtest.h>

#include "base/Text.h"
#include "invoicing/QuickViewValues.h"
#include "support/Samples.h"

namespace invoicing {
namespace {

records::InvoiceRecord Record(const char* type, const char* total, const char* paid,
                              const char* due) {
    records::InvoiceRecord r;
    r.setInvoiceNumber("1001");
    r.setTypeCode(type);
    r.setCustomerNumber("A1");
    r.setShortName("AMES");
    r.setSortDate("2026/12/06");
    r.setDate("12/06/2026");
    r.setKeyCode("None");
    r.setCompanyCode("1");
    r.setForm("P");
    r.setTotal(total);
    r.setPaid(paid);
    r.setBalanceDue(due);
    return r;
}

TEST(InvoiceListTest, RowsKeepTheHeadersColumns) {
    EXPECT_EQ(InvoiceBrowserHeader(),
              "Year/Mo/Dy T Invoice#  Cust#    Short Name  Grand Total   Amount Due  Paid Amount "
              "Key Code Date Paid  CO#  " +
                  std::string(21, ' '));
    const struct {
        const char* name;
        records::InvoiceRecord record;
        const char* row;
    } cases[] = {
        {"open", Record("I", "1234.5", "0", "1234.50"),
         "2026/12/06 I 1001      A1       AMES           1,234.50     1,234.50         0.00 None"},
        // Partial payments: what the payments took off, not the stored paid text.
        {"type Z", Record("Z", "100.00", "0.00", "40.00"),
         "2026/12/06 Z 1001      A1       AMES             100.00        40.00        60.00 None"},
        {"no balance", Record("I", "100.00", "0.00", ""),
         "2026/12/06 I DELETE ME A1       BAD RECORD         0.00         0.00         0.00 None"},
        {"no paid", Record("I", "100.00", "", "100.00"),
         "2026/12/06 I DELETE ME A1       BAD RECORD         0.00         0.00         0.00 None"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string row = InvoiceBrowserRow(c.record);
        // No date paid, company 1.
        EXPECT_EQ(row, base::PadRight(std::string(c.row) + "                1", 128));
    }
}

TEST(InvoiceListTest, TheCustomerRangeAdmitsOneCustomerOnly) {
    const KeyRange range = CustomerRange(" a1 ");
    for (const char* number : {"A1", "a1"})
        EXPECT_EQ(Record("I", "1", "0", "1").key(kCustomerKey), range.low) << number;
    records::InvoiceRecord other = Record("I", "1", "0", "1");
    other.setCustomerNumber("A10");
    EXPECT_GT(other.key(kCustomerKey), range.high);
    EXPECT_FALSE(other.key(kCustomerKey).starts_with(range.high));
}

TEST(InvoiceListTest, QuickViewShowsTheRecordAndItsCustomer) {
    records::CompanyRecord company = testsupport::SampleCompany("1");
    company.setDateFormat("D");
    records::InvoiceRecord partly = Record("Z", "100.00", "0.00", "40.00");
    partly.setPrinted("Y");
    records::InvoiceRecord master = Record("R", "50.00", "0.00", "0.00");
    master.setGeneratedCount("3");
    master.setNextDueDate("01/02/2027");
    master.setForm("M");
    records::InvoiceRecord emailed = Record("D", "0.00", "25.00", "0.00");
    emailed.setPrinted("Y");
    emailed.setEmailedDate("12/05/2026");
    const struct {
        const char* name;
        records::InvoiceRecord record;
        QuickViewValues shown;
    } cases[] = {
        {"partly paid",
         partly,
         {"Z - Invoice has Partial Payment(s) of Type X",
          "1001   (Product Invoice)",
          "12/06/2026",
          "100.00",
          "60.00",
          "40.00",
          "*Printed*",
          false,
          {}}},
        {"repeat master",
         master,
         {"R - Repeat Billing Master Record (Created: 3)",
          "1001   (Memo Invoice)",
          "12/06/2026\n - Next Due: 02/01/2027",
          "50.00",
          "0.00",
          "0.00",
          "",
          true,
          {}}},
        {"deposit",
         emailed,
         {"D - Deposit on Account",
          "1001   (Payment Record)",
          "12/06/2026",
          "0.00",
          "25.00",
          "0.00",
          "E-Mailed: 12/05/2026",
          false,
          {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QuickViewValues v = QuickViewOf(c.record, std::nullopt, company);
        EXPECT_EQ((std::vector{v.type, v.number, v.date, v.total, v.paid, v.balance, v.printed}),
                  (std::vector{c.shown.type, c.shown.number, c.shown.date, c.shown.total,
                               c.shown.paid, c.shown.balance, c.shown.printed}));
        EXPECT_EQ(v.repeat, c.shown.repeat);
        EXPECT_FALSE(v.customer);
    }
    records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Ames Hardware");
    customer.setBalance("1234.5");
    customer.setAging3("34.5");
    const QuickViewValues v = QuickViewOf(partly, customer, company);
    ASSERT_TRUE(v.customer);
    EXPECT_EQ((std::vector<std::string>{v.customer->name, v.customer->number, v.customer->balance,
                                        v.customer->aging[2]}),
              (std::vector<std::string>{"Ames Hardware", "A1", "1,234.50", "34.50"}));
}

}  // namespace
}  // namespace invoicing
