#include "receivables/ReceivableBalances.h"

#include <string>

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "receivables/Aging.h"
#include "receivables/PostingWrites.h"

namespace receivables {

bool UpdateCurrentCompany(engine::Engine& engine, base::PromptService& prompts,
                          company::ProgramState& state,
                          const std::function<bool(records::CompanyRecord&)>& update) {
    company::CompanyFile file(engine, prompts);
    if (!file.Open()) return false;
    const auto stored = file.Find(state.currentCompany.number());
    bool ok = false;
    if (stored) {
        records::CompanyRecord edited = stored->second;
        ok = update(edited) && Written(file.Modify(stored->first, edited, stored->second));
    }
    ok = file.Close() && ok;
    if (!ok) {
        prompts.Message(kAgingCaption,
                        "The receivables of company " + base::Trim(state.currentCompany.number()) +
                            " could not be written to the company file.",
                        base::PromptIcon::Error, base::PromptButtons::Ok);
        return false;
    }
    return update(state.currentCompany);
}

}  // namespace receivables
