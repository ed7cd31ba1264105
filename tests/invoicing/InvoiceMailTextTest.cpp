// The e-mail text of an invoice line by line, its subject, and when a message is made at all.
#include <gtest/gtest.h>

#include "invoicing/InvoiceMailText.h"
#include "invoicing/OutputSamples.h"

namespace invoicing::testing {
namespace {

std::string S(int blanks) {
    return std::string(blanks, ' ');
}

TEST(InvoiceMailText, ProductInvoiceWithSeparatorsNotesSalesMessageAndAccountStatus) {
    const records::CompanyRecord company = OutputCompany();
    const std::string rule(82, '-');
    const std::vector<std::string> expected = {
        "Acme Supply Co" + S(28) + "INVOICE",
        "400 Industrial Way",
        "Springfield, IL 62704",
        "(217) 555-0142",
        rule,
        "Ames Hardware" + S(25) + "Ship To:",
        "12 Market Street" + S(22) + "Ames Warehouse",
        "Springfield, IL 62704" + S(17) + "88 Dock Road",
        S(38),
        S(38),
        rule,
        "Date: 12/06/2026",
        "Number: 1001",
        "Account Number: A1",
        "Payment Terms: Net 30 Days",
        "Reference: PO 4471",
        rule,
        "Product Code Quantity   Description" + S(21) + " Unit Price  T     Extended",
        "---------- ---------- -------------------------------- ----------- - ------------",
        "P1" + S(8) + " " + S(7) + "2.5 Widget, large" + S(19) + " " + S(4) + "1,250.5 T " + S(4) +
            "3,126.25",
        "B22" + S(7) + " " + S(8) + "12 Brass bolts" + S(21) + " " + S(5) + "0.1275   " + S(8) +
            "1.53",
        S(10) + " " + S(10) + " Thank you for your order" + S(8) + " " + S(11) + "   " + S(12),
        rule,
        "Total: " + S(4) + "3,127.78",
        "Sales Tax: " + S(6) + "257.92",
        "Grand Total: " + S(4) + "3,385.70",
        "Paid Amount: " + S(8) + "0.00",
        "Balance Due: " + S(4) + "3,385.70",
        rule,
        "Deliver to the side door.",
        rule,
        "Thank you for your business!",
        "",
        "Account Status:",
        S(3) + "Current 150.00",
        S(5) + "31-60 0.00",
        S(5) + "61-90 0.00",
        S(2) + "Over 90: 0.00",
    };
    EXPECT_EQ(InvoiceMailLines(DocumentOf(ProductInvoice(company), company), company), expected);
}

TEST(InvoiceMailText, MemoCreditReprintedWithoutSeparatorsOrFooters) {
    records::CompanyRecord company = OutputCompany();
    company.setEmailLines(false);
    company.setTaxHeading("");
    company.setSalesMessageOnForms(false);
    company.setCustomerAgingOnForms(false);
    records::CustomerRecord customer = OutputCustomer();
    customer.setBilling1("");
    customer.setNotesOnInvoices(false);
    auto invoice =
        testsupport::SampleMemoInvoice(company, customer, "1002", {2026, 12, 6}, "-450.00",
                                       "Credit", {"Shelving layout.", "", "Two visits."});
    invoice.header.setPrinted("Y");
    invoice.header.setDatePaid("2026/12/07");
    const std::vector<std::string> expected = {
        "C R E D I T",
        "",
        "** DUPLICATE INVOICE **",
        "",
        "Acme Supply Co" + S(28) + "INVOICE",
        "400 Industrial Way",
        "Springfield, IL 62704",
        "(217) 555-0142",
        " ",
        "Ames Hardware",
        S(38) + "Ames Warehouse",
        "Springfield, IL 62704" + S(17) + "88 Dock Road",
        S(38),
        S(38),
        " ",
        "Date: 12/06/2026",
        "Number: 1002",
        "Account Number: A1",
        "Payment Terms: Net 30 Days",
        "Reference: ",
        " ",
        "Description",
        "",
        "Shelving layout.",
        "",
        "Two visits.",
        " ",
        "Total: " + S(5) + "-450.00",
        "Grand Total: " + S(5) + "-450.00",
        "Paid Date: 12/07/2026",
        "Paid Amount: " + S(8) + "0.00",
        "Balance Due: " + S(5) + "-450.00",
    };
    EXPECT_EQ(InvoiceMailLines(DocumentOf(invoice, company, customer), company), expected);
}

TEST(InvoiceMailText, AWiderValueWidensItsLineAndIsNeverCut) {
    const records::CompanyRecord company = OutputCompany();
    const auto invoice =
        testsupport::SampleProductInvoice(company, OutputCustomer(), "1003", {2026, 12, 6},
                                          {{"P9", "1", "Press", "1234567.12", false}});
    const std::vector<std::string> lines = InvoiceMailLines(DocumentOf(invoice, company), company);
    const std::string row =
        "P9" + S(8) + " " + S(9) + "1 Press" + S(27) + " 1,234,567.12   " + "1,234,567.12";
    EXPECT_NE(std::ranges::find(lines, row), lines.end());
    EXPECT_NE(std::ranges::find(lines, "Total: 1,234,567.12"), lines.end());
}

TEST(InvoiceMailText, SubjectStaysOnOneLineAndMailNeedsAnAddressOrTheCompanysConsent) {
    records::CompanyRecord company = OutputCompany();
    InvoiceDocument document = DocumentOf(ProductInvoice(company), company);
    EXPECT_EQ(InvoiceMailSubject(document, company), "INVOICE - 1001");
    company.setInvoiceCaption("BILL\r\nBcc: x@y");
    EXPECT_EQ(InvoiceMailSubject(document, company), "BILL  Bcc: x@y - 1001");

    struct Case {
        const char* email;
        bool sendToCompany;
        bool wanted;
    } cases[] = {{"", false, false}, {"", true, true}, {"ap@ames.example", false, true}};
    for (const Case& c : cases) {
        document.customerEmail = c.email;
        company.setEmailWithoutAddress(c.sendToCompany);
        EXPECT_EQ(WantsInvoiceMail(document, company), c.wanted) << c.email << c.sendToCompany;
    }
}

}  // namespace
}  // namespace invoicing::testing
