#include "receivables/PaymentWindowFlow.h"

#include <utility>

#include "base/Dates.h"
#include "base/Text.h"

namespace receivables {
namespace {

constexpr size_t kCaptionLength = 52;
constexpr char kStartingAmount[] = "0.00";

}  // namespace

PaymentWindowFlow::PaymentWindowFlow(PaymentServices services, AmountDialog amountDialog)
    : services_(services), amountDialog_(std::move(amountDialog)) {}

PaymentForm PaymentWindowFlow::Start() {
    customer_.reset();
    sheet_ = PaymentSheet();
    return Form();
}

PaymentForm PaymentWindowFlow::Form() const {
    const records::CompanyRecord& company = services_.state.currentCompany;
    const std::string caption =
        std::string(kPaymentWizardCaption) + " - " + base::Trim(company.name());
    const base::DateOrder order = base::EntryDateOrder(company.dateFormat());
    return {caption.substr(0, kCaptionLength), company.dateFormat() == "Y",
            base::FormatDate(services_.clock.Today(), order), kStartingAmount};
}

CustomerChoice PaymentWindowFlow::SelectCustomer(std::optional<records::CustomerRecord> picked) {
    if (!picked || base::Trim(picked->name()).empty()) return CustomerChoice::Unchanged;
    const records::CompanyRecord& company = services_.state.currentCompany;
    customer_ = std::move(picked);
    const auto items = ReadOpenItems(services_.engine, services_.prompts, company.code(),
                                     customer_->number(), company.dateFormat());
    // Without its items the customer cannot be paid; the reason has been shown.
    if (!items) {
        customer_.reset();
        sheet_ = PaymentSheet({}, base::Decimal(), kStartingAmount);
        return CustomerChoice::Refused;
    }
    const base::Decimal balance = customer_->balanceAmount();
    sheet_ = PaymentSheet(*items, balance, kStartingAmount);
    if (balance <= base::Decimal())
        services_.prompts.Message("Please Note", kNoBalanceDueText, base::PromptIcon::Information,
                                  base::PromptButtons::Ok);
    return CustomerChoice::Chosen;
}

std::optional<std::string> PaymentWindowFlow::ChooseDate(const std::string& typed) {
    const base::DateOrder order = base::EntryDateOrder(services_.state.currentCompany.dateFormat());
    const auto shown = typed.size() == 10 ? base::ParseDate(typed, order) : std::nullopt;
    const auto chosen =
        services_.prompts.PickDate("Date Selection", shown.value_or(services_.clock.Today()));
    if (!chosen) return std::nullopt;
    return base::FormatDate(*chosen, order);
}

AmountVerdict PaymentWindowFlow::ChangeAmount(const std::string& typed) {
    const size_t leftBefore = sheet_.left().size();
    const auto refusal = sheet_.SetAmountReceived(typed);
    const bool leftChanged = sheet_.left().size() != leftBefore;
    return {Shown(refusal, base::PromptIcon::Warning), leftChanged};
}

bool PaymentWindowFlow::Include(const std::vector<int>& rows) {
    return !Shown(sheet_.MoveRight(rows), base::PromptIcon::Information);
}

bool PaymentWindowFlow::IncludeAll() {
    return !Shown(sheet_.MoveAllRight(), base::PromptIcon::Information);
}

bool PaymentWindowFlow::Exclude(const std::vector<int>& rows) {
    return !Shown(sheet_.MoveLeft(rows), base::PromptIcon::Information);
}

bool PaymentWindowFlow::ExcludeAll() {
    return !Shown(sheet_.MoveAllLeft(), base::PromptIcon::Information);
}

bool PaymentWindowFlow::PartialPayment(int row) {
    if (!sheet_.MayPayPartly(row)) return false;
    const PaymentLine& item = sheet_.left()[static_cast<size_t>(row)];
    return amountDialog_(
        "Partial Payment", "Invoice: " + item.invoiceNumber + "   Date: " + item.date,
        [this, row](const std::string& amount) { return sheet_.PayPartly(row, amount); });
}

bool PaymentWindowFlow::DepositOnAccount(const std::string& date) {
    const std::string lineDate = LineDateOf(date, services_.state.currentCompany.dateFormat());
    return amountDialog_("Deposit on Account", "Invoice: DEPOSIT     Date: " + date,
                         [this, &lineDate](const std::string& amount) {
                             return sheet_.AddDeposit(amount, lineDate);
                         });
}

PostVerdict PaymentWindowFlow::Post(const std::string& date, const std::string& note) {
    if (!customer_) return {};
    auto posted =
        PostPayment(services_.engine, services_.prompts, services_.state, services_.clock,
                    {customer_->number(), date, sheet_.amountReceived(), note, sheet_.right()});
    if (posted) return {std::move(posted), false};
    // Nothing was written; what was typed and moved stays for the user to put right.
    return {
        std::nullopt,
        !base::ParseDate(date, base::EntryDateOrder(services_.state.currentCompany.dateFormat()))};
}

bool PaymentWindowFlow::Shown(const std::optional<PaymentNotice>& refusal, base::PromptIcon icon) {
    if (!refusal) return false;
    services_.prompts.Message(refusal->caption, refusal->text, icon, base::PromptButtons::Ok);
    return true;
}

}  // namespace receivables
