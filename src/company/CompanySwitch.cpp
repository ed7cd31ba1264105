#include "company/CompanySwitch.h"

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/LastCompany.h"

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

bool LoadStartupCompany(engine::Engine& engine, base::PromptService& prompts, ProgramState& state) {
    if (!ReadLastCompany(state.currentCompany)) return false;
    ReadCompanyFromFile(engine, prompts, state.currentCompany);
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

bool AcceptCompanyManagerChoice(engine::Engine& engine, base::PromptService& prompts,
                                ProgramState& state, const std::string& rememberedNumber,
                                const base::Clock& clock) {
    if (state.companyChanged) {
        // Without clearing, every later visit to the Company Manager would snap back to this
        // company and no other company could ever be made current.
        state.companyChanged = false;
        state.currentCompany.Clear();
        state.currentCompany.setNumber(rememberedNumber);
        ReadCompanyFromFile(engine, prompts, state.currentCompany);
        state.selectedCompany = state.currentCompany;
    }
    state.currentCompany = state.selectedCompany;
    const bool saved = WriteLastCompany(state.currentCompany);
    state.ApplyDateFormat(clock);
    return saved;
}

}  // namespace company
