#include "invoicing/InvoiceMailText.h"

#include <algorithm>

#include "base/Text.h"

namespace invoicing {
namespace {

constexpr int kAddressColumn = 38;
constexpr char kTableRule[] =
    "---------- ---------- -------------------------------- ----------- - ------------";

// Right-aligned in `width` blanks; a wider value keeps every character.
std::string Right(std::string_view text, int width) {
    const std::string trimmed = base::Trim(text);
    const int fill = width - static_cast<int>(trimmed.size());
    return fill > 0 ? std::string(fill, ' ') + trimmed : trimmed;
}

std::string Amount(base::Decimal amount) {
    return Right(ShownAmount(amount), 12);
}

class MailBody {
public:
    MailBody(const InvoiceDocument& d, const records::CompanyRecord& c)
        : d_(d), c_(c), separator_(c.emailLines() ? std::string(82, '-') : " ") {}

    std::vector<std::string> Lines() {
        Heading();
        Addresses();
        Information();
        if (d_.IsMemo())
            Memo();
        else
            Table();
        Totals();
        Footer();
        return std::move(lines_);
    }

private:
    void Add(std::string line) { lines_.push_back(std::move(line)); }

    void Heading() {
        if (d_.IsCredit()) {
            Add("C R E D I T");
            Add("");
        }
        if (d_.printed && c_.printDuplicateInvoice()) {
            Add("** DUPLICATE INVOICE **");
            Add("");
        }
        Add(c_.name() + base::PadLeft(c_.invoiceCaption(), 35));
        for (const std::string& line :
             {c_.address1(), c_.address2(), c_.address3(), c_.address4(), c_.address5()})
            if (!base::Trim(line).empty()) Add(line);
        Add(separator_);
    }

    void Addresses() {
        if (base::Trim(d_.billTo[1]).empty())
            Add(d_.billTo[0]);
        else
            Add(base::PadRight(d_.billTo[0], kAddressColumn) + base::Trim(c_.shippingCaption()));
        for (int k = 1; k < 5; ++k)
            Add(base::PadRight(d_.billTo[k], kAddressColumn) + d_.shipTo[k - 1]);
        Add(separator_);
    }

    void Information() {
        Add("Date: " + d_.date);
        Add("Number: " + d_.number);
        Add("Account Number: " + d_.accountNumber);
        Add("Payment Terms: " + d_.terms);
        Add("Reference: " + d_.reference);
        Add(separator_);
    }

    void Memo() {
        Add(c_.memoHeader());
        Add("");
        const auto last = std::find_if(d_.memo.rbegin(), d_.memo.rend(),
                                       [](const std::string& l) { return !base::Trim(l).empty(); });
        std::for_each(d_.memo.begin(), last.base(), [this](const std::string& l) { Add(l); });
    }

    void Table() {
        Add(base::PadRight(c_.productCodeHeader(), 10) + " " +
            base::PadRight(c_.quantityHeader(), 10) + " " +
            base::PadRight(c_.descriptionHeader(), 32) + " " +
            base::PadRight(c_.unitCostHeader(), 11) + " T " + Right("Extended", 12));
        Add(kTableRule);
        for (const DocumentLine& line : d_.lines)
            Add(base::PadRight(line.productCode, 10) + " " + Right(line.quantity, 10) + " " +
                base::PadRight(line.description, 32) + " " + Right(line.unitPrice, 11) + " " +
                base::PadRight(line.taxMark, 1) + " " + Right(line.extension, 12));
    }

    void Totals() {
        Add(separator_);
        Add("Total: " + Amount(d_.net));
        const std::string taxCaption = base::Trim(c_.taxHeading());
        if (!taxCaption.empty() || !d_.tax.IsZero())
            Add((taxCaption.empty() ? "Tax:" : taxCaption) + " " + Amount(d_.tax));
        Add("Grand Total: " + Amount(d_.total));
        if (d_.paidDate.size() > 7) Add("Paid Date: " + d_.paidDate);
        Add("Paid Amount: " + Amount(d_.paid));
        Add("Balance Due: " + Amount(d_.balanceDue));
    }

    void Footer() {
        if (d_.printNotes && !d_.customerNote.empty()) {
            Add(separator_);
            Add(d_.customerNote);
        }
        if (c_.salesMessageOnForms()) {
            Add(separator_);
            for (const std::string& line :
                 {c_.salesMessage1(), c_.salesMessage2(), c_.salesMessage3(), c_.salesMessage4()})
                if (!base::Trim(line).empty()) Add(line);
        }
        if (c_.customerAgingOnForms()) {
            Add("");
            Add("Account Status:");
            const std::string captions[] = {c_.agingCaption1(), c_.agingCaption2(),
                                            c_.agingCaption3(),
                                            "Over " + base::Trim(c_.agingDays3()) + ":"};
            for (int k = 0; k < 4; ++k)
                Add(Right(captions[k], 10) + " " + ShownAmount(d_.aging[k]));
        }
    }

    const InvoiceDocument& d_;
    const records::CompanyRecord& c_;
    const std::string separator_;
    std::vector<std::string> lines_;
};

}  // namespace

bool WantsInvoiceMail(const InvoiceDocument& document, const records::CompanyRecord& company) {
    return company.emailWithoutAddress() || !document.customerEmail.empty();
}

std::vector<std::string> InvoiceMailLines(const InvoiceDocument& document,
                                          const records::CompanyRecord& company) {
    return MailBody(document, company).Lines();
}

std::string InvoiceMailSubject(const InvoiceDocument& document,
                               const records::CompanyRecord& company) {
    std::string subject = base::Trim(company.invoiceCaption()) + " - " + document.number;
    std::ranges::replace_if(
        subject, [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }, ' ');
    return subject;
}

}  // namespace invoicing
