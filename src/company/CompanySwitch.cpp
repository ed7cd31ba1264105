#include "company/CompanySwitch.h"

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/LastCompany.h"
#include "company/PostingRecovery.h"

namespace company {

bool ReadCompanyFromFile(engine::Engine& engine, base::PromptService& prompts,
                         records::CompanyRecord& company) {
    CompanyFile file(engine, prompts);
    if (!file.Open()) return false;
    // Only a lookup: the file closes when it goes out of scope, with nothing to write back.
    auto found = file.Find(company.number());
    if (!found) return false;
    company = found->second;
    return true;
}

bool ComputerDateLooksWrong(const base::Clock& clock) {
    return clock.Today() < base::Date{1995, 1, 1};
}

bool IsSetUp(const records::CompanyRecord& company) {
    return base::Trim(company.name()).size() > 1;
}

void MarkNotSetUp(records::CompanyRecord& company) {
    company.setBackgroundBitmapOn(false);
    company.setName(kNotSetUpName);
}

bool SwitchToChosenCompany(engine::Engine& engine, base::PromptService& prompts,
                           ProgramState& state, const CompanyManagerResult& result,
                           const base::Clock& clock) {
    // Opening a company puts right what a posting cut short left behind.
    RecoverInterruptedPosting(engine, prompts);
    records::CompanyRecord next = state.selectedCompany;
    if (result.currentCompanySaved) {
        next.Clear();
        next.setNumber(state.currentCompany.number());
        ReadCompanyFromFile(engine, prompts, next);
    }
    if (!WriteLastCompany(engine.fileSystem(), next)) {
        prompts.Message(kSwitchNotSavedCaption, kSwitchNotSavedText, base::PromptIcon::Error,
                        base::PromptButtons::Ok);
        return false;
    }
    state.currentCompany = next;
    state.selectedCompany = next;
    state.ApplyDateFormat(clock);
    return true;
}

}  // namespace company
