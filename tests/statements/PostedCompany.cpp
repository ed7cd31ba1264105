#include "statements/PostedCompany.h"

#include "base/Text.h"
#include "records/TransactionType.h"

namespace statements::testing {

PostedCompany::PostedCompany() {
    using Line = invoicing::DraftLine;
    Invoice("A1", "1001", "11/03/2026",
            {{"P1", "2", "Widget", "10.00", "Y"}, {"P2", "1.5", "Washer", "3.333", "N"}});
    invoicing::InvoiceDraft memo = Memo("1002", "100.00", "Consulting in November");
    memo.customer = "B2";
    memo.date = "11/20/2026";
    memo.memo.quantity = "3";
    EXPECT_TRUE(Add(memo));
    Invoice("A10", "1003", "12/01/2026", {Line{"P9", "1", "Free sample", "0.00", "N"}});
    Invoice("A1", "1004", "12/02/2026", {Line{"P1", "5", "Widget", "10.00", "Y"}}, "55.00");
    Invoice("B2", "1005", "12/03/2026", {Line{"P3", "4", "Gadget", "25.00", "Y"}}, "0.00", "WEST");
    Invoice("A10", "1006", "12/04/2026", {Line{"", "1", "Set-up", "20.00", "Y"}});
    Payment("A1", "12/05/2026", {{"1001", "27.00"}});
    Payment("B2", "12/05/2026", {{"1005", "40.00"}, {"", "30.00"}});
    Payment("A10", "12/04/2026", {{"", "20.00"}});
    Payment("A10", "12/05/2026", {{"1006", "22.00"}, {"DP", "-20.00"}});

    records::InvoiceRecord master;
    master.setInvoiceNumber("2001");
    master.setTypeCode(records::type::kRepeatMaster);
    master.setCustomerNumber("A1");
    master.setShortName("Ames");
    master.setDocumentDate("10/15/2026", {2026, 10, 15});
    master.setNextDueDate("01/15/2027");
    master.setGeneratedCount("3");
    master.setNet("15.00");
    master.setTotal("15.00");
    master.setBalanceDue("0.00");
    testsupport::AddRecords(engine, File(records::RecordKind::Invoice), std::vector{master});
    records::InvoiceLineRecord masterLine;
    masterLine.setKind(records::type::kRepeatMaster);
    masterLine.setInvoiceNumber("2001");
    masterLine.setInvoiceDate("2026/11/15");
    masterLine.setColumns({"1", "Monthly service", "15.00", "N", "15.00"});
    testsupport::AddRecords(engine, File(records::RecordKind::InvoiceLine),
                            std::vector{masterLine});
}

void PostedCompany::Invoice(const std::string& customer, const std::string& number,
                            const std::string& date, std::vector<invoicing::DraftLine> lines,
                            const std::string& paid, const std::string& keyCode) {
    invoicing::InvoiceDraft draft = Draft(number, std::move(lines), paid);
    draft.customer = customer;
    draft.date = date;
    draft.keyCode = keyCode;
    EXPECT_TRUE(Add(draft)) << number;
}

void PostedCompany::Payment(const std::string& customer, const std::string& date,
                            std::vector<Pay> pays) {
    const auto items = receivables::ReadOpenItems(engine, answering, "1", customer, "M");
    ASSERT_TRUE(items);
    std::vector<receivables::PaymentLine> lines;
    base::Decimal received;
    for (const Pay& pay : pays) {
        const base::Decimal amount = *base::Decimal::Parse(pay.amount);
        received += amount;
        if (pay.invoice.empty()) {
            lines.push_back({receivables::LineKind::Deposit, 0, receivables::kDepositNumber,
                             receivables::LineDateOf(date, "M"), amount});
            continue;
        }
        for (const receivables::PaymentLine& item : *items) {
            if (!item.invoiceNumber.starts_with(pay.invoice)) continue;
            receivables::PaymentLine line = item;
            if (amount != item.amount) line.kind = receivables::LineKind::Partial;
            line.amount = amount;
            lines.push_back(line);
        }
    }
    state.currentCompany = Company();
    EXPECT_TRUE(receivables::PostPayment(engine, answering, state, clock,
                                         {customer, date, received.Format("0.00"), "", lines}))
        << customer << " " << date;
}

records::CompanyRecord PostedCompany::Company() {
    return *testsupport::StoredCompany("1");
}

ReportResult PostedCompany::Run(ReportKind kind, base::Date from, base::Date to) {
    return RunReport(engine, prompts, {kind, {from, to}, clock.Now(), Company()});
}

Report PostedCompany::Must(ReportKind kind, base::Date from, base::Date to) {
    ReportResult result = Run(kind, from, to);
    EXPECT_TRUE(result.report) << (result.message ? result.message->text : "");
    return result.report ? *result.report : Report{};
}

std::vector<std::string> ColumnOf(const Report& report, int column) {
    std::vector<std::string> texts;
    for (const ReportRow& row : report.rows) texts.push_back(row.cells.at(column).text);
    return texts;
}

base::Decimal GrandTotal(const ReportGrid& grid, int column) {
    const int last = grid.rowCount() - 1;
    EXPECT_EQ(grid.Role(last), RowRole::Grand);
    return grid.Value(last, column).value_or(base::Decimal());
}

}  // namespace statements::testing
