#include "invoicing/InterestWizardFlow.h"

#include <variant>

#include "base/Dates.h"
#include "company/PaymentTerms.h"
#include "engine/Errors.h"

namespace invoicing {

InterestWizardFlow::InterestWizardFlow(engine::Engine& engine, base::PromptService& prompts,
                                       company::ProgramState& state, const base::Clock& clock)
    : engine_(engine), prompts_(prompts), state_(state), clock_(clock) {}

std::string InterestWizardFlow::OverCaption(int over) const {
    return invoicing::OverCaption(state_.currentCompany, over);
}

base::DateOrder InterestWizardFlow::order() const {
    return base::EntryDateOrder(state_.currentCompany.dateFormat());
}

InterestWizardView InterestWizardFlow::Open() {
    const records::CompanyRecord& company = state_.currentCompany;
    scan_ = {};
    rows_.clear();
    canGenerate_ = false;
    return {StoredInterestSettings(company, base::FormatDate(clock_.Today(), order())),
            {OverCaption(1), OverCaption(2), OverCaption(3)},
            LastInterestRunText(company),
            company::LoadPaymentTerms(engine_.fileSystem()),
            "Enter above options then select scan button..."};
}

InterestWizardVerdict InterestWizardFlow::Scan(const InterestSettings& settings) {
    canGenerate_ = false;
    scan_ = {};
    rows_.clear();
    const auto rates = ReadInterestRates(settings);
    if (const auto* failure = std::get_if<InterestFailure>(&rates)) {
        prompts_.Message(failure->caption, failure->text, base::PromptIcon::Information,
                         base::PromptButtons::Ok);
        return {"Enter above options then select scan button...", failure->field, false, false};
    }
    InterestCharges charges(engine_, prompts_, state_, clock_);
    const auto scan = charges.Scan(std::get<InterestRates>(rates), settings.over);
    if (!scan) return {"No records found.", std::nullopt, false, false};
    scan_ = *scan;
    rows_ = scan_.rows;
    if (rows_.empty()) return {"No records found.", std::nullopt, false, false};
    canGenerate_ = true;
    return {
        std::to_string(rows_.size()) + " found. Complete data below then select generate button...",
        std::nullopt, true, false};
}

InterestWizardVerdict InterestWizardFlow::Generate(const InterestSettings& settings) {
    if (!canGenerate_) return {"", std::nullopt, false, false};
    InvoiceFiles files(engine_, prompts_, state_.currentCompany.code());
    if (!files.Open()) {
        prompts_.Message(engine::kProgramCaption, files.OpenFailureText(), base::PromptIcon::Error,
                         base::PromptButtons::Ok);
        return {"", std::nullopt, true, false};
    }
    InterestCharges charges(engine_, prompts_, state_, clock_);
    const InterestRun run = charges.Generate(files, scan_, settings, std::nullopt);
    (void)files.Close();
    if (run.refused) {
        const bool badDate = !base::ParseDate(settings.date, order());
        return {"", badDate ? std::optional(InterestField::Date) : std::nullopt, true, false};
    }
    canGenerate_ = false;
    rows_ = run.rows;
    generated_ = settings;
    created_ = run.created;
    return {std::to_string(run.created) + " invoices were created.", std::nullopt, false, true};
}

std::string InterestWizardFlow::OfferReport(
    const std::function<std::optional<int>(const InterestReport&)>& print) {
    if (!prompts_.AskYesNo("Operation Complete",
                           std::to_string(created_) +
                               " invoices were created. Would you like to send a report to the "
                               "printer?"))
        return "Ready.";
    const std::optional<int> printed =
        print({generated_.date, generated_, OverCaption(generated_.over), rows_, clock_.Now()});
    if (!printed) return "Ready.";
    return InterestReportStatus(*printed) + " Interest Report sent to print queue.";
}

}  // namespace invoicing
