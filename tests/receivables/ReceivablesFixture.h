#pragma once
// A data folder with company 1 (aging limits 30/60/90) current, its customers and open items on
// real files, and the clock at 6 December 2026, 10:30.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "company/LastCompany.h"
#include "company/ProgramState.h"
#include "engine/FaultInjectingFileSystem.h"
#include "engine/RecordFile.h"
#include "records/RecordTypes.h"
#include "records/TransactionType.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace receivables::testing {

inline base::Decimal D(const char* text) {
    return *base::Decimal::Parse(text);
}

class ReceivablesFixture : public ::testing::Test {
protected:
    static constexpr base::Date kToday{2026, 12, 6};

    ReceivablesFixture() {
        records::CompanyRecord company = testsupport::SampleCompany("1");
        company.setAgingDays1("30");
        company.setAgingDays2("60");
        company.setAgingDays3("90");
        company.setAgingCaption1("Current");
        company.setReceivablesTotal("1.00");
        testsupport::AddCompanies({company});
        state.currentCompany = *testsupport::StoredCompany("1");
        state.ApplyDateFormat(clock);
        engine.InitEngine(0, 30);
    }

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

    static engine::FileDescription File(records::RecordKind kind) {
        return records::RecordTypeOf(kind).Describe("1");
    }

    // The stored customers by number, read back through a file of their own.
    std::vector<records::CustomerRecord> StoredCustomers() {
        std::vector<records::CustomerRecord> customers;
        engine::RecordFile<records::CustomerRecord> file(
            engine, File(records::RecordKind::Customer), prompts);
        EXPECT_TRUE(file.Open());
        EXPECT_EQ(file.ForEach(2, [&](const auto& entry) { customers.push_back(entry.record); }),
                  engine::ErrorClass::None);
        EXPECT_TRUE(file.Close());
        return customers;
    }

    records::CompanyRecord LastCompany() {
        records::CompanyRecord last;
        EXPECT_TRUE(company::ReadLastCompany(files, last));
        return last;
    }

    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    engine::FaultInjectingFileSystem files{engine::PosixFileSystem()};
    engine::Engine engine{files};
    testsupport::ScriptedPrompts prompts;
    base::FixedClock clock{{kToday, 10, 30, 0}};
    company::ProgramState state;
};

}  // namespace receivables::testing
