#include "invoicing/InvoiceViewTexts.h"

#include <algorithm>

#include "base/Text.h"
#include "records/TransactionType.h"

namespace invoicing {
namespace {

std::string TypeCaption(const InvoiceDocument& d) {
    if (d.typeCode == records::type::kRepeatMaster) return "** REPEAT BILLING MASTER SETUP **";
    if (d.typeCode == records::type::kDeposit || d.typeCode == records::type::kDepositTaken)
        return "DEPOSIT ON ACCOUNT OF " + ShownAmount(d.paid) +
               ". (A zero amount indicates deposit has been offset).";
    if (d.typeCode == records::type::kRepeatGenerated) return "** GENERATED BILLING **";
    return d.IsMemo() ? "Memo Invoice" : "Product Code Invoice";
}

// Trailing blank lines of a memo would only make the box scroll.
std::vector<std::string> MemoShown(const std::vector<std::string>& memo) {
    const auto last = std::find_if(memo.rbegin(), memo.rend(),
                                   [](const std::string& l) { return !base::Trim(l).empty(); });
    return {memo.begin(), last.base()};
}

std::string LineNumber(size_t index) {
    const std::string number = std::to_string(index + 1);
    return number.size() < 2 ? "0" + number : number;
}

}  // namespace

InvoiceViewTexts ViewTextsOf(const InvoiceDocument& document,
                             const records::CompanyRecord& company) {
    const std::string taxHeading = base::Trim(company.taxHeading());
    const std::string taxCaption = taxHeading.empty() ? "Tax:" : taxHeading;
    InvoiceViewTexts texts;
    texts.caption = "View Invoice# " + base::Trim(document.number);
    texts.typeCaption = TypeCaption(document);
    texts.showsMemo = document.IsMemo();
    if (texts.showsMemo) texts.memo = MemoShown(document.memo);
    texts.headers = {"#",
                     base::Trim(company.productCodeHeader()),
                     base::Trim(company.quantityHeader()),
                     base::Trim(company.descriptionHeader()),
                     base::Trim(company.unitCostHeader()),
                     taxCaption,
                     base::Trim(company.extensionHeader())};
    for (size_t i = 0; i < document.lines.size(); ++i) {
        const DocumentLine& l = document.lines[i];
        texts.rows.push_back({LineNumber(i), l.productCode, l.quantity, l.description, l.unitPrice,
                              l.taxMark, l.extension});
    }
    texts.totals = {{{"Net Amount:", ShownAmount(document.net)},
                     {taxCaption, ShownAmount(document.tax)},
                     {"Total:", ShownAmount(document.total)},
                     {"Paid Amount: ", ShownAmount(document.paid)},
                     {"Balance Due:", ShownAmount(document.balanceDue)}}};
    return texts;
}

}  // namespace invoicing
