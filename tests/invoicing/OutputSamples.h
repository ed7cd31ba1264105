#pragma once
// The company, customer and invoices the invoice output tests print and mail: a two-line product
// invoice with a comment line, and a memo invoice.

#include <string>
#include <vector>

#include "invoicing/InvoiceDocument.h"
#include "support/Samples.h"

namespace invoicing::testing {

inline records::CompanyRecord OutputCompany() {
    records::CompanyRecord c = testsupport::SampleCompany("1", "Acme Supply Co");
    c.setAddress1("400 Industrial Way");
    c.setAddress2("Springfield, IL 62704");
    c.setAddress3("");
    c.setAddress4("");
    c.setAddress5("(217) 555-0142");
    c.setShippingCaption("Ship To:");
    c.setEmailLines(true);
    c.setPrintDuplicateInvoice(true);
    c.setSalesMessageOnForms(true);
    c.setSalesMessage1("Thank you for your business!");
    c.setSalesMessage2("");
    c.setSalesMessage3("");
    c.setSalesMessage4("");
    c.setCustomerAgingOnForms(true);
    c.setAgingCaption1("Current");
    c.setAgingCaption2("31-60");
    c.setAgingCaption3("61-90");
    c.setAgingDays3("90");
    c.setDateFormat("M");
    return c;
}

inline records::CustomerRecord OutputCustomer() {
    records::CustomerRecord c = testsupport::SampleCustomer("A1", "Ames Hardware");
    c.setShipping1("Ames Warehouse");
    c.setShipping2("88 Dock Road");
    c.setNotes("Deliver to the side door.");
    c.setNotesOnInvoices(true);
    c.setAging1("150.00");
    c.setEmail("ap@ames.example");
    return c;
}

inline testsupport::SampleInvoice ProductInvoice(const records::CompanyRecord& company) {
    testsupport::SampleInvoice invoice =
        testsupport::SampleProductInvoice(company, OutputCustomer(), "1001", {2026, 12, 6},
                                          {{"P1", "2.5", "Widget, large", "1,250.5", true},
                                           {"B22", "12", "Brass bolts", "0.1275", false},
                                           {"", "", "Thank you for your order", "", false}});
    invoice.header.setNotes("PO 4471");
    invoice.header.setTax("257.92");
    invoice.header.setTotal("3385.70");
    invoice.header.setBalanceDue("3385.70");
    return invoice;
}

inline InvoiceDocument DocumentOf(const testsupport::SampleInvoice& invoice,
                                  const records::CompanyRecord& company,
                                  const records::CustomerRecord& customer = OutputCustomer()) {
    return AssembleDocument(invoice.header, invoice.lines, invoice.memo, customer, company);
}

}  // namespace invoicing::testing
