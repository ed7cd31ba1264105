#pragma once
// Company 1 (month-first dates, the statement options below) with customers A1 "Ames Hardware",
// A10 "Ames Ten" and B2 "Brook Ltd", and invoice-file records written as the postings leave them.
// The customer file is held open as the Customer Manager holds it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"
#include "statements/StatementFiles.h"
#include "support/CompanyOneFixture.h"

namespace statements::testing {

// Acme Supply Co with its address, e-mail, the "Statement" caption and note, lines on e-mails, the
// sales message "Thank you for your business!" and the account status on forms.
inline void SetStatementOptions(records::CompanyRecord& company) {
    company.setName("Acme Supply Co");
    company.setAddress1("400 Industrial Way");
    company.setAddress2("Springfield, IL 62704");
    company.setAddress3("");
    company.setAddress4("");
    company.setAddress5("(217) 555-0142");
    company.setEmail("billing@acme.example");
    company.setStatementCaption("Statement");
    company.setStatementNote("Please pay within 30 days.");
    company.setEmailLines(true);
    company.setSalesMessageOnForms(true);
    for (auto set :
         {&records::CompanyRecord::setSalesMessage2, &records::CompanyRecord::setSalesMessage3,
          &records::CompanyRecord::setSalesMessage4})
        (company.*set)("");
    company.setSalesMessage1("Thank you for your business!");
    company.setCustomerAgingOnForms(true);
}

class StatementFixture : public testsupport::CompanyOneFixture {
protected:
    StatementFixture()
        : CompanyOneFixture([](records::CompanyRecord& company) {
              company.setDateFormat("M");
              SetStatementOptions(company);
          }) {
        AddCustomers({testsupport::SampleCustomer("A1", "Ames Hardware"),
                      testsupport::SampleCustomer("A10", "Ames Ten"),
                      testsupport::SampleCustomer("B2", "Brook Ltd")});
        testsupport::AddRecords(engine, File(records::RecordKind::Invoice),
                                std::vector<records::InvoiceRecord>{});
    }
    ~StatementFixture() override { CloseCustomers(); }

    void AddCustomers(const std::vector<records::CustomerRecord>& added) {
        CloseCustomers();
        testsupport::AddRecords(engine, File(records::RecordKind::Customer), added);
    }

    // The customer file as the Customer Manager holds it.
    receivables::CustomerFile& Customers() {
        if (!customersOpen_) {
            EXPECT_TRUE(customers_.Open());
            customersOpen_ = true;
        }
        return customers_;
    }
    void CloseCustomers() {
        if (customersOpen_) {
            EXPECT_TRUE(customers_.Close());
        }
        customersOpen_ = false;
    }

    records::CustomerRecord Customer(const std::string& number) {
        auto found = receivables::FindCustomerIn(Customers(), number);
        EXPECT_TRUE(found) << number;
        return found ? found->record : records::CustomerRecord{};
    }

    // A record of the invoice file: sort date "2026/mm/dd", amounts as stored.
    static records::InvoiceRecord Item(std::string customer, std::string number, std::string type,
                                       std::string sortDate, std::string total, std::string paid,
                                       std::string balanceDue, std::string note = "") {
        records::InvoiceRecord r;
        r.setInvoiceNumber(number);
        r.setTypeCode(type);
        r.setCustomerNumber(customer);
        r.setCompanyCode("1");
        r.setSortDate(sortDate);
        r.setDate(sortDate.substr(5, 2) + "/" + sortDate.substr(8, 2) + "/" +
                  sortDate.substr(0, 4));
        r.setYear(sortDate.substr(0, 4));
        r.setMonth(sortDate.substr(5, 2));
        r.setDay(sortDate.substr(8, 2));
        r.setStatementNote(note);
        r.setTotal(total);
        r.setNet(total);
        r.setTax("0.00");
        r.setPaid(paid);
        r.setBalanceDue(balanceDue);
        if (base::Decimal::ParseOrZero(balanceDue).IsZero()) r.setPaidFlag("P");
        return r;
    }

    void AddItems(const std::vector<records::InvoiceRecord>& items) {
        testsupport::AddRecords(engine, File(records::RecordKind::Invoice), items);
    }

    // The statement of `number` read as the window reads it.
    std::optional<Statement> Load(const std::string& number, bool unpaidOnly) {
        StatementFiles files(engine, prompts, Customers(), "1");
        EXPECT_TRUE(files.Open());
        std::string failure;
        auto statement = files.Load(number, unpaidOnly, failure);
        EXPECT_TRUE(statement) << failure;
        return statement;
    }

private:
    receivables::CustomerFile customers_{engine, File(records::RecordKind::Customer), prompts};
    bool customersOpen_ = false;
};

}  // namespace statements::testing
