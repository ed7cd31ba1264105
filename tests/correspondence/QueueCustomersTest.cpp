#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "correspondence/QueueCustomers.h"
#include "support/CompanyOneFixture.h"

namespace correspondence {
namespace {

class QueueCustomersTest : public testsupport::CompanyOneFixture {
protected:
    QueueCustomersTest()
        : CompanyOneFixture([](records::CompanyRecord& company) {
              company.setAgingCaption1("Current");
              company.setAgingCaption2("");
              company.setAgingCaption3("Late");
          }) {}

    void AddCustomers(const std::vector<records::CustomerRecord>& customers) {
        testsupport::AddRecords(engine, File(records::RecordKind::Customer), customers);
    }

    static records::CustomerRecord Owing(std::string_view number, std::string_view name,
                                         std::string_view category2) {
        records::CustomerRecord customer = testsupport::SampleCustomer(number, name);
        customer.setAging2(category2);
        return customer;
    }

    static company::QueuedCustomer Item(std::string number) { return {number, "", "", ""}; }

    static std::vector<std::string> Numbers(const std::vector<company::QueuedCustomer>& items) {
        std::vector<std::string> numbers;
        for (const auto& item : items) numbers.push_back(item.number);
        return numbers;
    }
};

TEST_F(QueueCustomersTest, LoadAllQueuesEveryNamedCustomerInNameOrder) {
    AddCustomers({testsupport::SampleCustomer("C2", "Zephyr Ltd"),
                  testsupport::SampleCustomer("C1", "Acme"),
                  testsupport::SampleCustomer("C3", "")});
    const QueueLoad load = LoadAllCustomers(engine, prompts, "1");
    EXPECT_FALSE(load.failure);
    EXPECT_EQ(Numbers(load.items), (std::vector<std::string>{"C1", "C2"}));
}

TEST_F(QueueCustomersTest, AgingLoadQueuesThoseOwingInTheCategory) {
    AddCustomers({Owing("A1", "Able", "10.00"), Owing("B1", "Baker", "0.00"),
                  Owing("C1", "Cole", "-5.00"), Owing("D1", "Dane", "0.01")});
    EXPECT_EQ(Numbers(LoadOwing(engine, prompts, "1", 2).items),
              (std::vector<std::string>{"A1", "D1"}));
    EXPECT_TRUE(LoadOwing(engine, prompts, "1", 3).items.empty());
}

TEST_F(QueueCustomersTest, ACompanyWithoutCustomersLoadsNobody) {
    const QueueLoad load = LoadOwing(engine, prompts, "1", 1);
    EXPECT_FALSE(load.failure);
    EXPECT_TRUE(load.items.empty());
}

TEST_F(QueueCustomersTest, AgingCaptionsAndMessagesComeFromTheCompany) {
    records::CompanyRecord& company = state.currentCompany;
    EXPECT_EQ(AgingButtonCaption(company, 1), "Current");
    EXPECT_EQ(AgingButtonCaption(company, 2), "60");
    EXPECT_EQ(AgingButtonCaption(company, 3), "Late");
    EXPECT_EQ(AgingButtonCaption(company, 4), "Over 90");
    EXPECT_EQ(AgingTitle(company, 4), "Over Late");
    EXPECT_FALSE(AgingDaysProblem(company, 1));

    company.setAgingDays1("");
    company.setAgingDays3(" ");
    const std::string third =
        "Category 3 has a bad value in your aging days (Company Setup). Unable to process.";
    EXPECT_EQ(AgingDaysProblem(company, 1),
              "Category 1 has a bad value in your aging days (Company Setup). Unable to process.");
    EXPECT_FALSE(AgingDaysProblem(company, 2));
    EXPECT_EQ(AgingDaysProblem(company, 3), third);
    EXPECT_EQ(AgingDaysProblem(company, 4), third);
}

TEST_F(QueueCustomersTest, AQueuedCustomerDeletedSinceIsMissingNotTheNextOne) {
    AddCustomers(
        {testsupport::SampleCustomer("A1", "Able"), testsupport::SampleCustomer("C1", "Cole")});
    const QueuedRecords read =
        ReadQueuedCustomers(engine, prompts, "1", {Item("a1"), Item("B1"), Item("C1")});
    EXPECT_FALSE(read.failure);
    ASSERT_EQ(read.customers.size(), 3u);
    EXPECT_EQ(read.customers[0]->name(), "Able");
    EXPECT_FALSE(read.customers[1]);
    EXPECT_EQ(read.customers[2]->name(), "Cole");
    EXPECT_EQ(MissingCustomerText(" B1 "), "Customer B1 is no longer on file.");
}

}  // namespace
}  // namespace correspondence
