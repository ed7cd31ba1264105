#include "invoicing/QuickViewValues.h"

#include "base/Dates.h"
#include "base/Text.h"
#include "invoicing/InvoiceList.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

// A stored e-mail date shorter than this is taken for none.
constexpr size_t kShortestEMailDate = 3;

std::string Shown(base::Decimal amount) {
    return amount.Format(",0.00");
}

// The next due date is stored month first; a day-first company reads it day first.
std::string NextDue(const records::InvoiceRecord& invoice, const records::CompanyRecord& company) {
    const std::string stored = base::Trim(invoice.nextDueDate());
    if (base::EntryDateOrder(company.dateFormat()) != base::DateOrder::DayFirst) return stored;
    const auto date = base::ParseDate(stored, base::DateOrder::MonthFirst);
    return date ? base::FormatDate(*date, base::DateOrder::DayFirst) : stored;
}

QuickViewCustomer CustomerPanel(const records::CustomerRecord& c) {
    return {c.name(),
            base::Trim(c.number()),
            Shown(c.balanceAmount()),
            c.phone1(),
            c.lastPaymentDate(),
            c.lastInvoiceNumber(),
            {Shown(c.aging1Amount()), Shown(c.aging2Amount()), Shown(c.aging3Amount()),
             Shown(c.aging4Amount())}};
}

}  // namespace

QuickViewValues QuickViewOf(const records::InvoiceRecord& invoice,
                            const std::optional<records::CustomerRecord>& customer,
                            const records::CompanyRecord& company) {
    QuickViewValues values;
    const std::string type = base::Trim(invoice.typeCode());
    values.repeat = type == records::type::kRepeatMaster;
    values.type = records::TransactionTypeText(type, base::Trim(invoice.generatedCount()));
    values.number = base::Trim(invoice.invoiceNumber()) + "   " +
                    records::DocumentKindText(type, base::Trim(invoice.form()));
    values.date = invoice.date();
    if (values.repeat) values.date += "\n - Next Due: " + NextDue(invoice, company);
    values.total = Shown(invoice.totalAmount());
    values.paid = Shown(ShownPaid(invoice));
    values.balance = Shown(invoice.balanceDueAmount());
    if (base::Trim(invoice.printed()) == "Y") {
        const std::string emailed = base::Trim(invoice.emailedDate());
        values.printed =
            emailed.size() >= kShortestEMailDate ? "E-Mailed: " + emailed : "*Printed*";
    }
    if (customer) values.customer = CustomerPanel(*customer);
    return values;
}

}  // namespace invoicing
