// repeat-setup, repeat-generate: the Invoice Manager's "&Repeat Billing Setup" on one invoice and
// the Repeat Billing Wizard's Search and Create in one line, through the same guards, checks and
// postings as the windows.

#include <optional>
#include <string>
#include <variant>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "invoicing/RepeatBilling.h"
#include "invoicing/RepeatSchedule.h"
#include "records/TransactionType.h"
#include "tool/InvoiceSession.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

constexpr int kNumberLength = 9;
constexpr int kEveryLength = 3;
constexpr int kDateLength = 10;
constexpr int kCommentsLength = 60;
constexpr char kDefaultComments[] = "Monthly Service";

std::string Utf8(std::string_view text) {
    return base::Win1252ToUtf8(std::string(text));
}

// The record of `number` that repeat billing works on: its invoice or master, else the first
// record of the number (which the guards then refuse).
std::optional<invoicing::StoredInvoice> SetupRecord(invoicing::InvoiceFiles& files,
                                                    const std::string& number) {
    const auto records = files.RecordsOf(number);
    if (!records || records->empty()) return std::nullopt;
    for (const auto& entry : *records) {
        const std::string type = base::Trim(entry.record.typeCode());
        if (type == records::type::kRegularInvoice || type == records::type::kRepeatMaster)
            return entry;
    }
    return records->front();
}

PostReply RepeatSetup(PostRequest& request, PostSession& session) {
    const auto number = request.Text("number", kNumberLength);
    if (!number) request.Refuse("\"number\" names no invoice");
    const auto every = request.Text("every", kEveryLength);
    const auto unit = request.Text("unit", 1);
    if (unit && *unit != "M" && *unit != "D") request.Refuse("\"unit\" must be \"M\" or \"D\"");
    const auto nextDue = request.Text("next_due", kDateLength);
    if (request.failure()) return PostReply::Refused(*request.failure());

    InvoiceSession run(session);
    if (auto refusal = run.Open()) return PostReply::Refused(*refusal);
    const auto stored = SetupRecord(run.files(), *number);
    if (!stored) return PostReply::Refused("No invoice " + base::Trim(*number) + " on file");
    const auto view = invoicing::OpenRepeatSetup(stored->record, run.company(), session.prompts);
    if (!view) return PostReply::Refused(Utf8(run.LastShown("Repeat billing was not set up")));

    invoicing::RepeatScheduleEntry entry = view->schedule;
    entry.generate = true;
    if (every) entry.every = *every;
    if (unit)
        entry.unit = *unit == "M" ? invoicing::RepeatUnit::Months : invoicing::RepeatUnit::Days;
    if (nextDue) entry.nextDue = *nextDue;
    const auto checked =
        invoicing::CheckRepeatSchedule(entry, base::EntryDateOrder(run.company().dateFormat()));
    if (const auto* failure = std::get_if<invoicing::RepeatScheduleFailure>(&checked)) {
        session.prompts.Warn(failure->caption, failure->text);
        return PostReply::Refused(failure->text);
    }
    invoicing::RepeatBilling billing(run.files(), run.state(), session.clock);
    const auto master = billing.Setup(*stored, std::get<invoicing::RepeatSchedule>(checked));
    if (!master) return PostReply::Refused(Utf8(run.LastShown("Repeat billing was not set up")));

    const records::InvoiceRecord& r = master->record;
    PostReply reply;
    reply.results["number"] = Utf8(base::Trim(r.invoiceNumber()));
    reply.results["type"] = Utf8(base::Trim(r.typeCode()));
    reply.results["every"] = Utf8(base::Trim(r.repeatInterval()));
    reply.results["unit"] = Utf8(base::Trim(r.repeatUnit()));
    reply.results["next_due"] = base::FormatDate(*invoicing::StoredDueDate(r),
                                                 base::EntryDateOrder(run.company().dateFormat()));
    reply.results["count"] = invoicing::GeneratedCount(r);
    reply.results["converted"] = !view->master;
    return reply;
}

PostReply RepeatGenerate(PostRequest& request, PostSession& session) {
    const auto through = request.Text("through", kDateLength);
    const auto invoiceDate = request.Text("invoice_date", kDateLength);
    const auto comments = request.Text("comments", kCommentsLength);
    const auto again = request.Flag("again");
    if (request.failure()) return PostReply::Refused(*request.failure());

    InvoiceSession run(session);
    if (auto refusal = run.Open()) return PostReply::Refused(*refusal);
    const base::DateOrder order = base::EntryDateOrder(run.company().dateFormat());
    const auto date = [&](const std::optional<std::string>& typed,
                          const base::Date& otherwise) -> std::optional<base::Date> {
        return typed ? base::ParseDate(*typed, order) : otherwise;
    };
    const auto searched = date(through, session.clock.Today());
    if (!searched) return PostReply::Refused("\"through\" is not a date: " + *through);
    // The wizard copies the search date into the invoice date.
    const auto dated = date(invoiceDate, *searched);
    if (!dated) return PostReply::Refused("\"invoice_date\" is not a date: " + *invoiceDate);

    invoicing::RepeatBilling billing(run.files(), run.state(), session.clock);
    const auto search = billing.Search(*searched);
    if (!search) return PostReply::Refused(Utf8(run.LastShown("The masters could not be read")));
    const invoicing::RepeatRunResult result = billing.Generate(
        search->masters, {*dated, comments.value_or(kDefaultComments), again.value_or(false), {}});

    PostReply reply;
    reply.results["generated"] = nlohmann::ordered_json::array();
    for (const std::string& number : result.generated)
        reply.results["generated"].push_back(Utf8(number));
    reply.results["monthly"] = result.monthly;
    reply.results["daily"] = result.daily;
    reply.results["total"] = result.total.Format("0.00");
    reply.results["skipped"] = result.skipped;
    reply.results["failed"] = result.failed;
    return reply;
}

}  // namespace

std::vector<PostOperation> RepeatOperations() {
    return {{"repeat-setup", {"number", "every", "unit", "next_due"}, &RepeatSetup},
            {"repeat-generate", {"through", "invoice_date", "comments", "again"}, &RepeatGenerate}};
}

}  // namespace tool
