#include <gtest/gtest.h>

#include "customers/CustomerTexts.h"

namespace customers {
namespace {

records::CustomerRecord Customer(const std::string& number, const std::string& name,
                                 const std::string& balance) {
    records::CustomerRecord c;
    c.setNumber(number);
    c.setName(name);
    c.setBalance(balance);
    c.setCreditLimit("1500");
    c.setCreditHold(true);
    c.setBilling1("1 Main St");
    c.setShipping4("Dock 4");
    return c;
}

TEST(CustomerListCsv, QuotesWhatNeedsItAndKeepsAmountsThatAreNoNumber) {
    const std::vector<records::CustomerRecord> customers = {
        Customer(" 17", "Smith, \"Jo\" & Co", "1234.5"), Customer("  ", "No Number", "0"),
        Customer("18", "Damaged", "12x")};
    const std::string plain = CustomerListCsv(customers, false);
    EXPECT_EQ(plain,
              "Number,Name,Short Name,Type,Balance,Credit Limit,Terms,Tax Exempt,Phone1,Phone2,"
              "E-Mail,Credit Hold,Last Pmt,Last Invoice\r\n"
              "17,\"Smith, \"\"Jo\"\" & Co\",,,1234.50,1500.00,,,,,,Y,,\r\n"
              "18,Damaged,,,12x,1500.00,,,,,,Y,,\r\n");
    const std::string withAddresses = CustomerListCsv(customers, true);
    EXPECT_NE(withAddresses.find(",Billing 1,Billing 2,Billing 3,Billing 4,Shipping 1,"),
              std::string::npos);
    EXPECT_NE(withAddresses.find(",Y,,,1 Main St,,,,,,,Dock 4\r\n"), std::string::npos);
}

}  // namespace
}  // namespace customers
