#pragma once
// Company 1 (receivables total 1.00) with its customers and open items on real files.

#include <string>
#include <string_view>
#include <vector>

#include "company/LastCompany.h"
#include "records/TransactionType.h"
#include "support/CompanyOneFixture.h"

namespace receivables::testing {

inline base::Decimal D(const char* text) {
    return *base::Decimal::Parse(text);
}

class ReceivablesFixture : public testsupport::CompanyOneFixture {
protected:
    ReceivablesFixture()
        : CompanyOneFixture([](records::CompanyRecord& company) {
              company.setAgingCaption1("Current");
              company.setReceivablesTotal("1.00");
          }) {}

    void AddCustomers(const std::vector<records::CustomerRecord>& customers) {
        testsupport::AddRecords(engine, File(records::RecordKind::Customer), customers);
    }

    // An open item of `customer`, `daysOld` days before today, with `balance` due.
    static records::InvoiceRecord Item(std::string_view customer, long daysOld,
                                       std::string_view balance,
                                       std::string_view type = records::type::kRegularInvoice) {
        static int number = 1000;
        const base::Date date = base::AddDays(kToday, -daysOld);
        records::InvoiceRecord item;
        item.setInvoiceNumber(std::to_string(++number));
        item.setTypeCode(type);
        item.setCustomerNumber(customer);
        item.setDocumentDate(base::FormatDate(date, base::DateOrder::MonthFirst), date);
        item.setTotal(balance);
        item.setBalanceDue(balance);
        return item;
    }

    void AddItems(const std::vector<records::InvoiceRecord>& items) {
        testsupport::AddRecords(engine, File(records::RecordKind::Invoice), items);
    }

    records::CompanyRecord LastCompany() {
        records::CompanyRecord last;
        EXPECT_TRUE(company::ReadLastCompany(files, last));
        return last;
    }
};

}  // namespace receivables::testing
