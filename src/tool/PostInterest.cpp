// interest: the Interest Wizard's Scan and Generate in one line, from the company's stored
// settings changed by the fields given, and its report written to a PDF file when asked.

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "base/Dates.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "invoicing/InterestCharges.h"
#include "invoicing/InterestReport.h"
#include "tool/PostOperations.h"
#include "tool/ReportPdf.h"

namespace tool {
namespace {

constexpr int kAmountLength = 6;
constexpr int kDateLength = 10;
constexpr int kCommentsLength = 80;
constexpr int kTextLength = 35;

std::string Utf8(std::string_view text) {
    return base::Win1252ToUtf8(std::string(text));
}

PostReply Interest(PostRequest& request, PostSession& session) {
    const auto over = request.Text("over", 1);
    if (over && *over != "1" && *over != "2" && *over != "3")
        request.Refuse("\"over\" must be 1, 2 or 3");
    const auto rate = request.Text("rate", kAmountLength);
    const auto minimum = request.Text("minimum", kAmountLength);
    const auto flat = request.Text("flat", kAmountLength);
    const auto date = request.Text("date", kDateLength);
    const auto comments = request.Text("comments", kCommentsLength);
    const auto note = request.Text("statement_note", kTextLength);
    const auto terms = request.Text("terms", kTextLength);
    const auto markPrinted = request.Flag("mark_printed");
    const auto again = request.Flag("again");
    const auto report = request.Path("report");
    if (request.failure()) return PostReply::Refused(*request.failure());

    company::ProgramState state;
    if (auto refusal = EnterRunCompany(session, state)) return PostReply::Refused(*refusal);
    const base::DateOrder order = base::EntryDateOrder(state.currentCompany.dateFormat());
    invoicing::InterestSettings settings = invoicing::StoredInterestSettings(
        state.currentCompany, base::FormatDate(session.clock.Today(), order));
    if (over) settings.over = std::stoi(*over);
    if (rate) settings.rate = *rate;
    if (minimum) settings.minimum = *minimum;
    settings.flat = flat.has_value();
    if (flat) settings.flatRate = *flat;
    if (date) settings.date = *date;
    if (comments) settings.comments = *comments;
    if (note) settings.statementNote = *note;
    if (terms) settings.terms = *terms;
    if (markPrinted) settings.markPrinted = *markPrinted;

    const auto rates = invoicing::ReadInterestRates(settings);
    if (const auto* failure = std::get_if<invoicing::InterestFailure>(&rates)) {
        session.prompts.Inform(failure->caption, failure->text);
        return PostReply::Refused(Utf8(failure->text));
    }
    invoicing::InterestCharges charges(session.engine, session.prompts, state, session.clock);
    const auto scan = charges.Scan(std::get<invoicing::InterestRates>(rates), settings.over);
    const auto lastShown = [&session](const char* otherwise) {
        const auto& shown = session.prompts.shown();
        return Utf8(shown.empty() ? otherwise : shown.back().text);
    };
    if (!scan) return PostReply::Refused(lastShown("The customers could not be read"));
    invoicing::InterestRun run;
    if (!scan->rows.empty()) {
        invoicing::InvoiceFiles files(session.engine, session.prompts, session.companyCode);
        if (!files.Open()) return PostReply::Refused(files.OpenFailureText());
        run = charges.Generate(files, *scan, settings, again.value_or(false));
        (void)files.Close();
        if (run.refused)
            return PostReply::Refused(!run.refusal.empty()
                                          ? Utf8(run.refusal)
                                          : lastShown("No interest invoices were made"));
    }

    PostReply reply;
    auto& invoices = reply.results["invoices"] = nlohmann::ordered_json::array();
    for (const invoicing::InterestRow& row : run.rows) {
        if (row.invoice.empty()) continue;
        invoices.push_back({{"customer", Utf8(row.customer)},
                            {"number", Utf8(row.invoice)},
                            {"overdue", row.overdue.Format("0.00")},
                            {"charge", row.charge.Format("0.00")}});
    }
    reply.results["total"] = run.total.Format("0.00");
    reply.results["failed"] = static_cast<int>(run.rows.size()) - run.created;
    if (report && run.created > 0) {
        const invoicing::InterestReport printed{
            base::Trim(settings.date), settings,
            invoicing::OverCaption(state.currentCompany, settings.over), run.rows,
            session.clock.Now()};
        int rows = 0;
        const std::string path = (session.startFolder / *report).string();
        // The invoices stand whatever becomes of their report.
        const auto failure = WriteReportPdf(path, [&](base::Canvas& canvas) {
            return invoicing::DrawInterestReport(canvas, printed, rows);
        });
        reply.results["report"] = failure ? *failure : invoicing::InterestReportStatus(rows);
    }
    return reply;
}

}  // namespace

std::vector<PostOperation> InterestOperations() {
    return {{"interest",
             {"over", "rate", "minimum", "flat", "date", "comments", "statement_note", "terms",
              "mark_printed", "again", "report"},
             &Interest}};
}

}  // namespace tool
