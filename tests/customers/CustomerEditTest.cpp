#include "customers/CustomerEdit.h"

#include <gtest/gtest.h>

#include <map>

#include "base/Windows1252.h"
#include "customers/CustomerTexts.h"

namespace customers {
namespace {

using records::CustomerRecord;

CustomerRecord Customer(const std::string& number, const std::string& name) {
    CustomerRecord c;
    c.setNumber(number);
    c.setName(name);
    return c;
}

// A customer file as the checks see it: the first record at or after a key, like SearchKey.
struct FakeFile {
    std::map<std::string, CustomerRecord> byKey2, byKey1;
    void Add(const CustomerRecord& c) {
        byKey2[c.key(2)] = c;
        byKey1[c.key(1)] = c;
    }
    CustomerLookup Lookup() {
        const auto first = [](const std::map<std::string, CustomerRecord>& index,
                              const std::string& key) -> std::optional<CustomerRecord> {
            const auto it = index.lower_bound(key);
            if (it == index.end()) return std::nullopt;
            return it->second;
        };
        return {[=, this](const std::string& n) { return first(byKey2, Customer(n, "").key(2)); },
                [=, this](const std::string& n) { return first(byKey1, Customer("", n).key(1)); }};
    }
};

TEST(CustomerEdit, ChecksRunInOrderAndTheFirstFailureNamesItsControl) {
    FakeFile file;
    file.Add(Customer("100", "Acme Supply"));
    file.Add(Customer("a12", "Zenith Tools"));
    struct Case {
        CustomerRecord customer;
        EditedNumber edited;
        std::string control;  // empty: passes
    };
    CustomerRecord badMail = Customer("7", "Nova");
    badMail.setEmail("nova.example.com");
    CustomerRecord badLimit = Customer("7", "Nova");
    badLimit.setCreditLimit("12x");
    CustomerRecord goodLimit = Customer("7", "Nova");
    goodLimit.setCreditLimit("1,500.00");
    const std::vector<Case> cases = {
        {Customer("7", "   "), std::nullopt, "CName"},
        {badMail, std::nullopt, "EMadd"},
        {Customer("  ", "Nova"), std::nullopt, "CNo"},
        // Adding: any stored customer with the number, whatever its case, is a duplicate.
        {Customer("100", "Nova"), std::nullopt, "CNo"},
        {Customer("A12 ", "Nova"), std::nullopt, "CNo"},
        // Adding a number "0" is no longer waved through by the old sentinel.
        {Customer("0", "Nova"), std::nullopt, ""},
        // Editing keeps its own number and name, stored as "a12".
        {Customer("A12", "Zenith Tools"), EditedNumber("a12"), ""},
        {Customer("100", "Zenith Tools"), EditedNumber("a12"), "CNo"},
        {Customer("7", "ACME SUPPLY"), std::nullopt, "CName"},
        // Renumbering a customer keeps its own name.
        {Customer("7", "Acme Supply"), EditedNumber("100"), ""},
        {badLimit, std::nullopt, "CLimit"},
        {goodLimit, std::nullopt, ""},
        // A search past the last key finds nothing: no duplicate.
        {Customer("ZZZ", "Zzz Last"), std::nullopt, ""},
    };
    for (Case c : cases) {
        const auto failure = CheckCustomer(c.customer, c.edited, file.Lookup());
        EXPECT_EQ(failure ? failure->control : "", c.control)
            << c.customer.number() << " / " << c.customer.name();
    }
    CustomerRecord unnamed = Customer("7", "");
    EXPECT_EQ(CheckCustomer(unnamed, {}, FakeFile().Lookup())->caption, "Customer Name");
}

TEST(CustomerEdit, ShortNamesNextNumbersAndNormalisedValues) {
    for (const auto& [name, shortName] : std::vector<std::pair<std::string, std::string>>{
             {"Acme", "Acme"},
             {"J Smith", "JSmith"},
             {"Widget Distributors", "WDistribut"},
             {"  Wholesale Distributors Inc", "WDistribut"},
             {"Supercalifragilistic", "Supercalif"}}) {
        EXPECT_EQ(ProposeShortName(name), shortName);
    }
    for (const auto& [entered, next] : std::vector<std::pair<std::string, std::string>>{
             {"1005", "1006"}, {"A-17", "1"}, {" 12", "13"}, {"99999999", "42"}}) {
        EXPECT_EQ(NextCustomerNumber(entered, "42"), next) << entered;
    }

    CustomerRecord c = Customer("7", "Nova Labs");
    c.setTaxExempt("y");
    c.setCreditLimit(" 1,500.00 ");
    CheckCustomer(c, std::nullopt, FakeFile().Lookup());
    EXPECT_EQ(c.shortName(), "NLabs");
    NormaliseCustomer(c, true);
    EXPECT_EQ(c.taxExempt(), "Y");
    EXPECT_EQ(c.creditLimit(), "1500.00");
    EXPECT_EQ(c.balance(), "0.00");
    EXPECT_EQ(c.aging4(), "0.00");
    c.setCreditLimit("");
    c.setBalance("12.50");
    NormaliseCustomer(c, false);
    EXPECT_EQ(c.creditLimit(), "0.00");
    EXPECT_EQ(c.balance(), "12.50");
}

TEST(CustomerTexts, RowsAndTheListReportKeepTheirColumns) {
    CustomerRecord c = Customer("  17", "Acme Supply");
    c.setBalance("1234.5");
    c.setLastPaymentDate("03/01/2026");
    c.setLastInvoiceNumber("1001");
    c.setPhone1("555-0100");
    c.setBilling1("1 Main St");
    c.setShipping1("Dock 4");
    const std::string row = CustomerBrowserRow(c);
    EXPECT_EQ(row.size(), 128u);
    EXPECT_EQ(row.substr(0, 85),
              "Acme Supply                         17           1,234.50 03/01/2026 1001      "
              "555-01");
    EXPECT_EQ(CustomerBrowserHeader().substr(36, 31), "Number        Balance Last Pmt.");

    const std::string plain = CustomerListReport("Acme", {c, Customer(" ", "No Number")}, false,
                                                 {{2026, 3, 9}, 14, 7, 0});
    const std::string withAddresses =
        CustomerListReport("Acme", {c}, true, {{2026, 3, 9}, 14, 7, 0});
    EXPECT_EQ(plain.find("Customer List for Acme\r\nDate: Monday, March 9, 2026, 02:07 PM\r\n"),
              0u);
    EXPECT_NE(plain.find("Credit Limit: 0.00            "), std::string::npos);
    EXPECT_EQ(plain.find("No Number"), std::string::npos);
    EXPECT_EQ(plain.find("Billing Address:"), std::string::npos);
    EXPECT_NE(withAddresses.find("1 Main St                               Dock 4\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace customers
