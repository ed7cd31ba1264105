#include "invoicing/RepeatWizardFlow.h"

#include "base/Dates.h"
#include "base/Text.h"
#include "engine/Errors.h"

namespace invoicing {

RepeatWizardFlow::RepeatWizardFlow(engine::Engine& engine, base::PromptService& prompts,
                                   company::ProgramState& state, const base::Clock& clock)
    : engine_(engine), prompts_(prompts), state_(state), clock_(clock) {}

base::DateOrder RepeatWizardFlow::order() const {
    return base::EntryDateOrder(state_.currentCompany.dateFormat());
}

RepeatWizardView RepeatWizardFlow::Open() {
    const std::string today = base::FormatDate(clock_.Today(), order());
    listed_.clear();
    view_ = {{},
             "Last generated invoices were dated: " +
                 base::Trim(state_.currentCompany.lastRepeatBillingDate()),
             today,
             today,
             false};
    return view_;
}

bool RepeatWizardFlow::OpenFiles(InvoiceFiles& files) {
    if (files.Open()) return true;
    prompts_.Message(engine::kProgramCaption, files.OpenFailureText(), base::PromptIcon::Error,
                     base::PromptButtons::Ok);
    return false;
}

RepeatWizardView RepeatWizardFlow::Search(const std::string& through) {
    view_.searchDate = through;
    const auto date = base::ParseDate(through, order());
    if (!date) {
        prompts_.Warn(kRepeatBillingsCaption, "You must enter a valid date.");
        return view_;
    }
    InvoiceFiles files(engine_, prompts_, state_.currentCompany.code());
    if (!OpenFiles(files)) return view_;
    RepeatBilling billing(files, state_, clock_);
    const auto search = billing.Search(*date);
    (void)files.Close();
    if (!search) return view_;
    listed_ = search->masters;
    view_.lines.clear();
    for (const DueMaster& master : listed_) view_.lines.push_back(master.ListLine());
    view_.status = search->status;
    view_.invoiceDate = base::FormatDate(*date, order());
    view_.canCreate = !listed_.empty();
    return view_;
}

RepeatWizardView RepeatWizardFlow::Create(
    const std::string& invoiceDate, const std::string& comments,
    const std::function<void(size_t done, size_t of)>& progress) {
    view_.invoiceDate = invoiceDate;
    if (!view_.canCreate) return view_;
    const auto date = base::ParseDate(invoiceDate, order());
    if (!date) {
        prompts_.Warn(kRepeatBillingsCaption, "You must enter a valid date.");
        return view_;
    }
    InvoiceFiles files(engine_, prompts_, state_.currentCompany.code());
    if (!OpenFiles(files)) return view_;
    // One list is created once: a new search lists the masters still due.
    view_.canCreate = false;
    RepeatBilling billing(files, state_, clock_);
    const size_t count = listed_.size();
    (void)billing.Generate(listed_, {*date, comments, std::nullopt, [&](size_t done) {
                                         if (progress) progress(done, count);
                                     }});
    (void)files.Close();
    view_.status = "Complete.";
    return view_;
}

}  // namespace invoicing
