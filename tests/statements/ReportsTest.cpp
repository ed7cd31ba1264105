// Every report over the posted company: which records each selects, in which order, and totals
// that agree with sums taken here straight from the stored records.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/Text.h"
#include "records/TransactionType.h"
#include "statements/PostedCompany.h"

namespace statements::testing {
namespace {

using records::InvoiceRecord;

using ReportsTest = PostedCompany;

bool InRange(const std::string& date) {
    return date >= "2026/11/01" && date <= "2026/12/31";
}

std::string TypeOf(const InvoiceRecord& r) {
    return base::Trim(r.typeCode());
}

struct Sums {
    std::vector<std::string> numbers;
    std::vector<base::Decimal> sums;
};

// The records `selected` picks, their numbers sorted and the sums of `amounts`.
Sums Select(const std::vector<InvoiceRecord>& records,
            const std::function<bool(const InvoiceRecord&)>& selected,
            const std::vector<std::function<base::Decimal(const InvoiceRecord&)>>& amounts) {
    Sums found{{}, std::vector<base::Decimal>(amounts.size())};
    for (const InvoiceRecord& r : records) {
        if (!selected(r)) continue;
        found.numbers.push_back(base::Trim(r.invoiceNumber()));
        for (size_t i = 0; i < amounts.size(); ++i) found.sums[i] += amounts[i](r);
    }
    std::sort(found.numbers.begin(), found.numbers.end());
    return found;
}

Sums FromReport(const Report& report, int numberColumn, const std::vector<int>& summed) {
    Sums found{ColumnOf(report, numberColumn), {}};
    std::sort(found.numbers.begin(), found.numbers.end());
    const ReportGrid grid(report, 0, true);
    for (int column : summed) found.sums.push_back(GrandTotal(grid, column));
    return found;
}

const auto kNet = [](const InvoiceRecord& r) { return r.netAmount(); };
const auto kTax = [](const InvoiceRecord& r) { return r.taxAmount(); };
const auto kTotal = [](const InvoiceRecord& r) { return r.totalAmount(); };
const auto kPaid = [](const InvoiceRecord& r) { return r.paidAmount(); };
const auto kDue = [](const InvoiceRecord& r) { return r.balanceDueAmount(); };

bool Invoiced(const InvoiceRecord& r) {
    return TypeOf(r) != "R" && InRange(base::Trim(r.sortDate()));
}

bool PaidInRange(const InvoiceRecord& r) {
    const std::string paidOn = base::Trim(r.datePaid());
    const bool paid = paidOn.size() > 1 && InRange(paidOn);
    const bool partly = InRange(base::Trim(r.sortDate())) && !r.paidAmount().IsZero() &&
                        !r.balanceDueAmount().IsZero() && TypeOf(r) != "D";
    return paid || partly;
}

TEST_F(ReportsTest, InvoiceRegisterListsInvoicesWithATotalAndZeroTotalRegularInvoices) {
    const Report report = Must(ReportKind::InvoiceRegister);
    EXPECT_EQ(ColumnOf(report, 1),
              (std::vector<std::string>{"1001", "1002", "1003", "1004", "1005", "1006"}));
    EXPECT_EQ(ColumnOf(report, 7), (std::vector<std::string>{"I", "I", "I", "I", "Z", "I"}));
    EXPECT_EQ(report.rows[2].cells[6].text, "0.00");
    EXPECT_EQ(FromReport(report, 1, {4, 5, 6}).sums,
              Select(Invoices(),
                     [](const InvoiceRecord& r) {
                         return Invoiced(r) && (!r.totalAmount().IsZero() || TypeOf(r) == "I");
                     },
                     {kNet, kTax, kTotal})
                  .sums);
    EXPECT_EQ(report.title, "Invoice Register");
    EXPECT_EQ(report.selection, "Selected records from 11/01/2026 to 12/31/2026");
    EXPECT_EQ(report.dateLine, "Date: Sunday, December 6, 2026, 10:30 AM");
    EXPECT_TRUE(report.notes.empty());
}

TEST_F(ReportsTest, KeyCodeInquiryLeavesOutZeroTotalsAndStartsWithTheKeyCode) {
    const Report report = Must(ReportKind::KeyCode);
    EXPECT_EQ(ColumnOf(report, 1),
              (std::vector<std::string>{"1001", "1002", "1004", "1005", "1006"}));
    EXPECT_EQ(report.rows[3].cells[0].text, "WEST");
    const Sums expected = Select(
        Invoices(), [](const InvoiceRecord& r) { return Invoiced(r) && !r.totalAmount().IsZero(); },
        {kNet, kTax, kTotal});
    EXPECT_EQ(FromReport(report, 1, {4, 5, 6}).numbers, expected.numbers);
    EXPECT_EQ(FromReport(report, 1, {4, 5, 6}).sums, expected.sums);
}

TEST_F(ReportsTest, PaymentAndTaxReportsListWhatWasPaidInTheRange) {
    const Sums expected = Select(Invoices(), PaidInRange, {kTotal, kPaid, kDue, kTax});
    const Report payments = Must(ReportKind::PaymentRegister);
    const Sums listed = FromReport(payments, 1, {4, 5, 6});
    EXPECT_EQ(listed.numbers, expected.numbers);
    EXPECT_EQ(listed.sums,
              (std::vector<base::Decimal>{expected.sums[0], expected.sums[1], expected.sums[2]}));
    // The payment in full of 1001, the partial payment of 1005, the deposits and the one applied.
    for (const char* type : {"X", "D", "T"})
        EXPECT_NE(std::find(ColumnOf(payments, 7).begin(), ColumnOf(payments, 7).end(), type),
                  ColumnOf(payments, 7).end())
            << type;
    const Report taxes = Must(ReportKind::Tax);
    EXPECT_EQ(FromReport(taxes, 1, {5, 6}).numbers, expected.numbers);
    EXPECT_EQ(FromReport(taxes, 1, {5, 6}).sums,
              (std::vector<base::Decimal>{expected.sums[1], expected.sums[3]}));
}

TEST_F(ReportsTest, SalesReportComputesLineAmountsAsTheInvoiceDid) {
    const Report report = Must(ReportKind::Sales);
    EXPECT_EQ(ColumnOf(report, 1),
              (std::vector<std::string>{"Widget", "Washer", "Consulting", "Free sample", "Widget",
                                        "Gadget", "Set-up"}));
    // 1.5 × 3.333 is 4.9995, which the invoice rounded to 5.00; a memo line is its net.
    EXPECT_EQ(report.rows[1].cells[8].text, "5.00");
    EXPECT_EQ(report.rows[1].cells[6].text, "3.333");
    EXPECT_EQ(report.rows[2].cells[7].text, "3.000");
    EXPECT_EQ(report.rows[2].cells[8].text, "100.00");
    EXPECT_EQ(report.rows[6].cells[2].text, "*None*");
    const ReportGrid grid(report, 0, true);
    EXPECT_EQ(grid.Text(grid.rowCount() - 1, 7), "17.500");
    EXPECT_EQ(GrandTotal(grid, 8),
              Select(Invoices(), Invoiced, {kNet}).sums[0]);  // the lines make up the nets
}

TEST_F(ReportsTest, ReceivablesListOpenItemsAndDepositsAgedToTheRunsDay) {
    const Report report = Must(ReportKind::Receivables);
    EXPECT_EQ(ColumnOf(report, 2), (std::vector<std::string>{"1002", "1005", "DP8"}));
    EXPECT_EQ(ColumnOf(report, 5), (std::vector<std::string>{"16 Days", "3 Days", "1 Days"}));
    EXPECT_EQ(report.rows[2].cells[6].text, "-30.00");
    EXPECT_EQ(report.rows[0].cells[1].text, base::Trim(Company().agingCaption1()));
    EXPECT_EQ(report.selection, "All unpaid records selected.");
    EXPECT_EQ(report.notes, (std::vector<std::string>{"Aged as of 12/06/2026."}));
    // The grand total is what the company is owed.
    EXPECT_EQ(GrandTotal(ReportGrid(report, 0, true), 6), Company().receivablesTotalAmount());
    EXPECT_EQ(GrandTotal(ReportGrid(report, 0, true), 6),
              Select(Invoices(),
                     [](const InvoiceRecord& r) {
                         return TypeOf(r) != "R" && base::Trim(r.paidFlag()) != "P";
                     },
                     {kDue})
                  .sums[0]);

    clock.Set({{2027, 1, 10}, 9, 0, 0});
    const Report later = Must(ReportKind::Receivables);
    EXPECT_EQ(ColumnOf(later, 5), (std::vector<std::string>{"51 Days", "38 Days", "36 Days"}));
    EXPECT_EQ(later.rows[0].cells[1].text, base::Trim(Company().agingCaption2()));
    EXPECT_EQ(later.notes, (std::vector<std::string>{"Aged as of 01/10/2027."}));
}

TEST_F(ReportsTest, RepeatListShowsTheMastersOnly) {
    const Report report = Must(ReportKind::RepeatList);
    ASSERT_EQ(report.rows.size(), 1u);
    std::vector<std::string> cells;
    for (const ReportCell& cell : report.rows[0].cells) cells.push_back(cell.text);
    EXPECT_EQ(cells, (std::vector<std::string>{"2027/01/15", "2001", "Ames", "A1", "3",
                                               "2026/10/15", "15.00", "R"}));
    EXPECT_EQ(report.title, "Master Repeat Billing List");
}

TEST_F(ReportsTest, EveryOrderableColumnKeepsTheRowsAndTheGrandTotal) {
    for (const ReportKindInfo& info : ReportKinds()) {
        const Report report = Must(info.kind);
        const ReportGrid plain(report, 0, false);
        for (int column = 0; column <= info.highestSortColumn; ++column) {
            for (bool subtotals : {true, false}) {
                const ReportGrid grid(report, column, subtotals);
                EXPECT_EQ(grid.ItemCount(), static_cast<int>(report.rows.size()));
                for (int summed : info.summedColumns)
                    EXPECT_EQ(GrandTotal(grid, summed), GrandTotal(plain, summed))
                        << info.name << " " << column;
                // A group total after each run of equal first cells, and only with sub-totals.
                int groups = 0, totals = 0;
                for (int row = 1; row < grid.rowCount(); ++row) {
                    if (grid.Role(row) == RowRole::Group) ++totals;
                    if (grid.Role(row) == RowRole::Item &&
                        (row == 1 || grid.Text(row, 0) != grid.Text(row - 1, 0)))
                        ++groups;
                }
                EXPECT_EQ(totals, subtotals ? groups : 0) << info.name << " " << column;
            }
        }
    }
}

TEST_F(ReportsTest, OneDayRangeAndEmptyRangesSayNoMatch) {
    EXPECT_EQ(ColumnOf(Must(ReportKind::InvoiceRegister, {2026, 12, 2}, {2026, 12, 2}), 1),
              (std::vector<std::string>{"1004"}));
    struct Case {
        ReportKind kind;
        ReportMessage message;
    };
    for (const Case& c : {Case{ReportKind::InvoiceRegister, {"Invoice Register", kNoMatchText}},
                          Case{ReportKind::PaymentRegister, {"Payment Register", kNoMatchText}},
                          Case{ReportKind::Sales, {"Sales Report", kNoMatchText}},
                          Case{ReportKind::Tax, {"Tax Report", kNoMatchText}}}) {
        const ReportResult result = Run(c.kind, {2025, 1, 1}, {2025, 12, 31});
        EXPECT_FALSE(result.report);
        EXPECT_EQ(result.message, c.message);
    }
}

TEST_F(ReportsTest, RecordsWithAnUnreadableDateAreLeftOutAndNamed) {
    InvoiceRecord blank = Invoices().front();
    blank.setInvoiceNumber("1098");
    blank.setSortDate("");
    InvoiceRecord garbled = blank;
    garbled.setInvoiceNumber("1099");
    garbled.setSortDate("ZZ/12/2026");
    InvoiceRecord impossible = blank;
    impossible.setInvoiceNumber("1097");
    impossible.setSortDate("2026/11/31");
    testsupport::AddRecords(engine, File(records::RecordKind::Invoice),
                            std::vector{blank, garbled, impossible});
    const Report report = Must(ReportKind::InvoiceRegister);
    EXPECT_EQ(report.rows.size(), 6u);
    EXPECT_EQ(report.notes, (std::vector<std::string>{
                                "3 record(s) with an unreadable date were left out: 1098, 1097, "
                                "1099"}));
}

TEST_F(ReportsTest, NothingOwedAndNoMastersAreSaid) {
    records::CompanyRecord company = Company();
    company.setReceivablesTotal("0.00");
    testsupport::UpdateStoredCompany(company);
    EXPECT_EQ(Run(ReportKind::Receivables).message,
              (ReportMessage{"Account Receivable Report",
                             "Your Accounts Receivable balance is zero for this company. There "
                             "are no outstanding items."}));
    EXPECT_TRUE(Delete("2001"));
    EXPECT_EQ(Run(ReportKind::RepeatList).message,
              (ReportMessage{"Repeat Billings", "No repeat billing master invoices were found."}));
}

// A user who gives up: a retry is aborted, a rebuild offered on a damaged file declined.
class Declining : public base::UnattendedPromptService {
public:
    base::PromptAnswer Message(std::string_view, std::string_view text, base::PromptIcon,
                               base::PromptButtons buttons) override {
        if (buttons == base::PromptButtons::Ok) return base::PromptAnswer::Ok;
        return text.ends_with("Abort?") ? base::PromptAnswer::Yes : base::PromptAnswer::No;
    }
};

TEST_F(ReportsTest, AReadFailureAnywhereGivesTheMessageNeverAShortReport) {
    Declining declining;
    const records::CompanyRecord company = Company();
    for (ReportKind kind : {ReportKind::PaymentRegister, ReportKind::Sales}) {
        const std::vector<std::string> whole = ColumnOf(Must(kind), 3);
        int failed = 0, complete = 0;
        for (int nth = 1; nth <= 80; ++nth) {
            files.FailRead(nth, engine::FaultInjectingFileSystem::Repeat::FromThenOn);
            const ReportResult result = RunReport(
                engine, declining, {kind, {{2026, 11, 1}, {2026, 12, 31}}, clock.Now(), company});
            files.Clear();
            if (result.report) {
                EXPECT_EQ(ColumnOf(*result.report, 3), whole) << nth;
                ++complete;
                continue;
            }
            ++failed;
            ASSERT_TRUE(result.message) << nth;
            EXPECT_EQ(result.message->caption, InfoOf(kind).name);
            EXPECT_TRUE(result.message->text.starts_with("The invoice files could not be read"))
                << result.message->text;
        }
        EXPECT_GT(failed, 0) << InfoOf(kind).name;
        EXPECT_GT(complete, 0) << InfoOf(kind).name;
    }
}

}  // namespace
}  // namespace statements::testing
