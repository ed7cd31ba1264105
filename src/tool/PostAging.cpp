// age: the company-wide aging run on the run's today, as the "&Aging Chart" command starts it.

#include "base/Text.h"
#include "company/ProgramState.h"
#include "receivables/AgingRun.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

PostReply Age(PostRequest&, PostSession& session) {
    company::ProgramState state;
    if (auto refusal = EnterRunCompany(session, state)) return PostReply::Refused(*refusal);

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
