// The e-mailed statement line by line, its subject and where it goes.
#include <gtest/gtest.h>

#include "statements/StatementFixture.h"
#include "statements/StatementMailText.h"

namespace statements::testing {
namespace {

std::string S(int blanks) {
    return std::string(blanks, ' ');
}

base::Decimal D(std::string_view text) {
    return *base::Decimal::Parse(text);
}

records::CompanyRecord MailCompany() {
    records::CompanyRecord company = testsupport::SampleCompany("1");
    SetStatementOptions(company);
    company.setSalesMessage3("Ask about our spring prices.");
    return company;
}

Statement AmesStatement() {
    Statement s;
    s.customer.number = "A1";
    s.customer.name = "Ames Hardware";
    s.customer.address = {"12 Market Street", "Springfield, IL 62704", "", ""};
    s.customer.email = "accounts@ames.example";
    s.customer.aging = {D("1250.00"), D("-50.00"), D("0"), D("0")};
    s.rows = {{"2026/10/01", "1001", "PO 4471", D("1250"), D("0"), D("1250"), "I"},
              {"2026/12/01", "DP1", "Deposit on Account", D("0"), D("50"), D("-50"), "D"}};
    s.total = D("1250");
    s.paid = D("50");
    s.balanceDue = D("1200");
    return s;
}

const std::string kHeadings = "Date" + S(6) + " Invoice#  Reference/Comment" + S(3) +
                              " Total Amount Paid Amount Balance Due C";
const std::string kRule =
    "---------- --------- -------------------- ------------ ----------- ----------- -";

TEST(StatementMailText, LinesSalesMessageAndAccountStatus) {
    const std::string rule(82, '-');
    const std::vector<std::string> expected = {
        "Acme Supply Co" + S(26) + "Statement",
        "400 Industrial Way",
        "Springfield, IL 62704",
        "(217) 555-0142",
        rule,
        "Ames Hardware",
        "12 Market Street",
        "Springfield, IL 62704",
        rule,
        "Statement Date: 12/06/2026",
        "Account Number: A1",
        "Please pay within 30 days.",
        rule,
        kHeadings,
        kRule,
        "2026/10/01 1001      PO 4471" + S(13) + " " + S(4) + "1,250.00 " + S(7) + "0.00 " + S(3) +
            "1,250.00 I",
        "2026/12/01 DP1       Deposit on Account   " + S(8) + "0.00 " + S(6) + "50.00 " + S(5) +
            "-50.00 D",
        S(10) + " " + S(9) + " *** Account Totals:  " + S(4) + "1,250.00 " + S(6) + "50.00 " +
            S(3) + "1,200.00  ",
        rule,
        "Thank you for your business!",
        "Ask about our spring prices.",
        "",
        "Account Status:",
        "Current: 1,250.00",
        "  31-60: -50.00",
        "  61-90: 0.00",
        "Over 90: 0.00",
    };
    EXPECT_EQ(StatementMailLines(AmesStatement(), MailCompany(), "12/06/2026"), expected);
}

// Without lines the separator is one blank; the customer's note, wrapped, takes the place of the
// sales message; no account status without "Customer Aging".
TEST(StatementMailText, CustomerNoteInsteadOfSalesMessageWithoutLinesOrAging) {
    records::CompanyRecord company = MailCompany();
    company.setEmailLines(false);
    company.setCustomerAgingOnForms(false);
    Statement s = AmesStatement();
    s.customer.noteOnStatements = true;
    s.customer.note = std::string(50, 'a') + " " + std::string(40, 'b') + " ccc";
    const std::vector<std::string> lines = StatementMailLines(s, company, "12/06/2026");
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[4], " ");
    EXPECT_EQ(lines[8], " ");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{" ", std::string(50, 'a'), std::string(40, 'b') + " ccc"}));
}

// An amount wider than its column widens the line; no digit is lost.
TEST(StatementMailText, WideAmountsAreShownWhole) {
    Statement s = AmesStatement();
    s.rows = {{"2026/10/01", "1001", "Press", D("1234567.89"), D("1234567.89"), D("0"), "I"}};
    s.total = s.paid = D("1234567.89");
    s.balanceDue = D("0");
    const std::vector<std::string> lines = StatementMailLines(s, MailCompany(), "12/06/2026");
    EXPECT_EQ(lines[15], "2026/10/01 1001      Press" + S(15) + " 1,234,567.89 1,234,567.89 " +
                             S(7) + "0.00 I");
}

// The message goes to the customer only at a usable address; anything else reaches the company
// under the bad-address subject, so no record text can add a recipient or a header.
TEST(StatementMailText, MessageGoesToAUsableAddressOnly) {
    struct Case {
        std::string email, recipient, subject;
    };
    const std::string bad = kBadAddressSubject;
    const std::vector<Case> cases = {
        {"accounts@ames.example", "accounts@ames.example", "Statement - Ames Hardware"},
        {"", "billing@acme.example", bad},
        {"x", "billing@acme.example", bad},
        {"a@b,x@evil.example", "billing@acme.example", bad},
        {"a@b.example\r\nBcc: x@evil.example", "billing@acme.example", bad},
        {"a@b.example\r\n", "billing@acme.example", bad},
    };
    for (const Case& c : cases) {
        Statement s = AmesStatement();
        s.customer.email = c.email;
        const auto message = StatementMessage(s, MailCompany(), "12/06/2026");
        EXPECT_EQ(message.recipient, c.recipient) << c.email;
        EXPECT_EQ(message.subject, c.subject) << c.email;
        EXPECT_EQ(message.sender, "billing@acme.example");
    }
}

TEST(StatementMailText, SubjectLosesControlCharacters) {
    Statement s = AmesStatement();
    s.customer.name = "Ames\nHardware";
    EXPECT_EQ(StatementMailSubject(s, MailCompany()), "Statement - Ames Hardware");
}

}  // namespace
}  // namespace statements::testing
