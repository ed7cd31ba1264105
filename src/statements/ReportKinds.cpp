#include "statements/ReportKinds.h"

namespace statements {

const std::vector<ReportKindInfo>& ReportKinds() {
    using K = ReportKind;
    static const std::vector<ReportKindInfo> kinds = {
        {K::InvoiceRegister,
         "Invoice Register",
         "invoice-register",
         "Lists all invoices created in the selected period. Shows Net,Tax and Total. Use this "
         "report to see what customers you have billed.",
         true,
         {4, 5, 6},
         3},
        {K::PaymentRegister,
         "Payment Register",
         "payment-register",
         "Lists all payments received in the selected period. Shows Total, Paid and Balance.  Use "
         "this report to see the payments you have processed.",
         true,
         {4, 5, 6},
         3},
        {K::Receivables,
         "Accounts Receivable",
         "receivables",
         "Shows all open items which make up your Accounts Receivable Balance. This report also "
         "shows how old your unpaid invoices are (Aging Analysis).",
         false,
         {6},
         5},
        {K::Sales,
         "Sales Report",
         "sales",
         "Shows all products you have sold in the selected period.",
         true,
         {7, 8},
         5},
        {K::KeyCode,
         "Key Code Inquiry",
         "key-code",
         "Lists all invoices created in the selected period. Shows Net,Tax and Total. This report "
         "includes your Key Code for sub-totaling instead of Customer Number.",
         true,
         {4, 5, 6},
         3},
        {K::Tax,
         "Tax Report",
         "tax",
         "Lists all invoices PAID in the selected period.  Unlike the Payment Register, this "
         "report shows the Tax and Key Code columns. Use to view taxes collected or collections "
         "by Key Code.",
         true,
         {5, 6},
         4},
        {K::RepeatList,
         "Repeat Billing List",
         "repeat-list",
         "Lists all master repeat billings (Type R) that you have currently on file. This report "
         "is helpful for reviewing accounts you have on a repeat billing cycle.",
         false,
         {6},
         5},
    };
    return kinds;
}

const ReportKindInfo& InfoOf(ReportKind kind) {
    for (const ReportKindInfo& info : ReportKinds())
        if (info.kind == kind) return info;
    return ReportKinds().front();
}

std::optional<ReportKind> ReportKindNamed(std::string_view commandName) {
    for (const ReportKindInfo& info : ReportKinds())
        if (info.commandName == commandName) return info.kind;
    return std::nullopt;
}

}  // namespace statements
