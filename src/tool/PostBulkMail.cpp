// bulk-mail: the "Send E-Mail Message" window's "&E-Mail" on a queue given as customer numbers
// or as a queue list file, through the same checks, mail check and run.

#include <fstream>
#include <sstream>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/PrintQueue.h"
#include "company/ProgramState.h"
#include "correspondence/BulkMail.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

constexpr int kMostQueued = 1'000'000;
constexpr int kNumberLength = 8;
constexpr int kSubjectLength = 998;  // the longest line a mail header may be
constexpr int kAddressLength = 50;
constexpr int kBodyLength = 1'000'000;

// The queue the line names; nothing after recording why it cannot be read.
std::optional<std::vector<company::QueuedCustomer>> ReadQueue(PostRequest& request,
                                                              const PostSession& session) {
    if (request.IsList("queue")) {
        const auto numbers = request.Texts("queue", kMostQueued, kNumberLength);
        if (!numbers) return std::nullopt;
        std::vector<company::QueuedCustomer> items;
        for (const std::string& number : *numbers) items.push_back({number, {}, {}, {}});
        return items;
    }
    const std::optional<std::string> path = request.Path("queue");
    if (!path) {
        if (!request.failure())
            request.Refuse("\"queue\" names no customers: a list of numbers or a list file");
        return std::nullopt;
    }
    std::ifstream file(session.startFolder / *path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file) {
        request.Refuse("Unable to read the list file " + *path);
        return std::nullopt;
    }
    return company::ReadQueueList(text.str());
}

PostReply BulkMail(PostRequest& request, PostSession& session) {
    company::ProgramState state;
    if (auto refusal = EnterRunCompany(session, state)) return PostReply::Refused(*refusal);
    correspondence::BulkMailForm form;
    form.subject = request.Text("subject", kSubjectLength).value_or("");
    form.returnAddress =
        request.Text("from", kAddressLength).value_or(base::Trim(state.currentCompany.email()));
    form.body = request.Text("body", kBodyLength).value_or("");
    const auto items = ReadQueue(request, session);
    if (request.failure()) return PostReply::Refused(*request.failure());
    for (const company::QueuedCustomer& item : *items) state.printQueue.Add(item);

    mail::MailConnection mail(session.prompts, session.clock);
    correspondence::BulkMailRun run{session.prompts, session.engine, mail, state.currentCompany,
                                    state.printQueue};
    const auto result = correspondence::SendEmailMessage(run, form);
    if (!result) {
        const auto& shown = session.prompts.shown();
        return PostReply::Refused(shown.empty() ? "Nothing was sent"
                                                : base::Win1252ToUtf8(shown.back().text));
    }
    PostReply reply;
    reply.results["sent"] = result->sent;
    reply.results["empty"] = result->empty;
    reply.results["failed"] = result->failures.size();
    reply.results["stopped"] = result->stopped;
    auto& failures = reply.results["failures"] = nlohmann::ordered_json::array();
    for (const correspondence::BulkMailFailure& failure : result->failures)
        failures.push_back({{"customer", base::Win1252ToUtf8(failure.customer)},
                            {"reason", base::Win1252ToUtf8(failure.reason)}});
    return reply;
}

}  // namespace

std::vector<PostOperation> CorrespondenceOperations() {
    return {{"bulk-mail", {"subject", "from", "body", "queue"}, &BulkMail}};
}

}  // namespace tool
