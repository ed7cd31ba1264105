// delete-paid: the main window's "Delete Paid Invoices" on the run's company. The calendar's
// answer is the line's "before" (in the company's date format), the password prompt's the line's
// "password"; the two questions are answered as every question of `post` is.

#include <optional>

#include "base/Dates.h"
#include "base/Windows1252.h"
#include "maintenance/DeletePaidFlow.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

constexpr int kDateLength = 10;
constexpr int kPasswordLength = 20;

// The run's prompts, with the calendar answering one day.
class CalendarAnswer : public base::PromptService {
public:
    CalendarAnswer(base::PromptService& inner, base::Date day) : inner_(inner), day_(day) {}

    base::PromptAnswer Message(std::string_view caption, std::string_view text,
                               base::PromptIcon icon, base::PromptButtons buttons) override {
        return inner_.Message(caption, text, icon, buttons);
    }
    std::optional<std::string> OpenFileName(std::string_view caption, std::string_view directory,
                                            std::string_view filter) override {
        return inner_.OpenFileName(caption, directory, filter);
    }
    std::optional<std::string> SaveFileName(std::string_view caption, std::string_view proposed,
                                            std::string_view filter) override {
        return inner_.SaveFileName(caption, proposed, filter);
    }
    std::optional<base::FontChoice> ChooseFont(const base::FontChoice& initial,
                                               bool fixedPitchOnly) override {
        return inner_.ChooseFont(initial, fixedPitchOnly);
    }
    std::optional<uint32_t> ChooseColor(uint32_t initial) override {
        return inner_.ChooseColor(initial);
    }
    std::optional<base::Date> PickDate(std::string_view, base::Date) override { return day_; }
    bool PrintDialog(std::string_view title) override { return inner_.PrintDialog(title); }
    bool PrinterSetup() override { return inner_.PrinterSetup(); }

private:
    base::PromptService& inner_;
    base::Date day_;
};

nlohmann::ordered_json Numbers(const std::vector<std::string>& numbers) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const std::string& number : numbers) list.push_back(base::Win1252ToUtf8(number));
    return list;
}

PostReply DeletePaid(PostRequest& request, PostSession& session) {
    const std::optional<std::string> before = request.Text("before", kDateLength);
    const std::optional<std::string> password = request.Text("password", kPasswordLength);
    if (request.failure()) return PostReply::Refused(*request.failure());
    company::ProgramState state;
    if (auto refusal = EnterRunCompany(session, state)) return PostReply::Refused(*refusal);
    const auto day =
        before ? base::ParseDate(*before, base::EntryDateOrder(state.currentCompany.dateFormat()))
               : std::nullopt;
    if (!day) return PostReply::Refused("\"before\" is not a date in the company's format");
    CalendarAnswer prompts(session.prompts, *day);
    maintenance::DeletePaidFlow flow(session.engine, prompts, state, session.clock);
    const auto result = flow.Run([&password](const std::string&, bool) { return password; }, {});
    if (!result) {
        const auto& shown = session.prompts.shown();
        return PostReply::Refused(shown.empty() ? "Cancelled" : shown.back().text);
    }
    PostReply reply;
    reply.results["deleted"] = result->removal.records;
    reply.results["numbers"] = Numbers(result->removal.numbers);
    reply.results["kept_owing"] = Numbers(result->removal.owing);
    reply.results["failed"] = Numbers(result->removal.failed);
    reply.results["status"] = result->status;
    return reply;
}

}  // namespace

std::vector<PostOperation> MaintenanceOperations() {
    return {{"delete-paid", {"before", "password"}, &DeletePaid}};
}

}  // namespace tool
