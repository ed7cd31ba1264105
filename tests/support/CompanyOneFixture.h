#pragma once
// A data folder with company 1 current (aging limits 30/60/90, then what the test's fixture
// sets) on real files that can be made to fail, and the clock at 6 December 2026, 10:30.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "company/ProgramState.h"
#include "records/RecordTypes.h"
#include "support/DataFolder.h"
#include "support/Samples.h"

namespace testsupport {

class CompanyOneFixture : public ::testing::Test, protected DataFolder {
protected:
    static constexpr base::Date kToday{2026, 12, 6};

    explicit CompanyOneFixture(const std::function<void(records::CompanyRecord&)>& settings) {
        records::CompanyRecord company = SampleCompany("1");
        company.setAgingDays1("30");
        company.setAgingDays2("60");
        company.setAgingDays3("90");
        settings(company);
        AddCompanies({company});
        state.currentCompany = *StoredCompany("1");
        state.ApplyDateFormat(clock);
        engine.InitEngine(0, 30);
    }

    static engine::FileDescription File(records::RecordKind kind) {
        return records::RecordTypeOf(kind).Describe("1");
    }

    template <typename R>
    std::vector<R> Stored(records::RecordKind kind, int keyNumber = 1) {
        return StoredRecords<R>(engine, File(kind), prompts, keyNumber);
    }
    // By number.
    std::vector<records::CustomerRecord> StoredCustomers() {
        return Stored<records::CustomerRecord>(records::RecordKind::Customer, 2);
    }
    // Balance and the four aging amounts of the customer at `index` by number.
    std::vector<std::string> Owed(int index) {
        const records::CustomerRecord c = StoredCustomers()[index];
        return {c.balance(), c.aging1(), c.aging2(), c.aging3(), c.aging4()};
    }

    base::FixedClock clock{{kToday, 10, 30, 0}};
    company::ProgramState state;
};

}  // namespace testsupport
