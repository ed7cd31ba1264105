// age: the company-wide aging run on the run's today, as the "&Aging Chart" command starts it.

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/ProgramState.h"
#include "receivables/AgingRun.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

PostReply Age(PostRequest&, PostSession& session) {
    company::ProgramState state;
    {
        company::CompanyFile file(session.engine, session.prompts);
        if (!file.Open()) return PostReply::Refused("Unable to open company database");
        const auto stored = file.Find(session.companyCode);
        if (!file.Close() || !stored)
            return PostReply::Refused("No company " + session.companyCode + " in the company file");
        state.currentCompany = stored->second;
    }
    state.ApplyDateFormat(session.clock);

    // Asked for by a person, so a zero receivables total is aged too.
    const receivables::AgingRunResult result =
        receivables::CalculateAging(session.engine, session.prompts, state, session.clock, true);
    if (!result.ran) return PostReply::Refused(receivables::kBadAgingDaysText);
    if (!result.completed)
        return PostReply::Refused("The aging stopped before every customer was aged");
    PostReply reply;
    auto& categories = reply.results["categories"] = nlohmann::ordered_json::array();
    for (const base::Decimal& amount : result.sums.categories)
        categories.push_back(amount.Format("0.00"));
    reply.results["total"] = result.total.Format("0.00");
    return reply;
}

}  // namespace

std::vector<PostOperation> AgingOperations() {
    return {{"age", {}, &Age}};
}

}  // namespace tool
