// payment: the Payment Wizard on the run's company. The line names the customer, the payment
// date, the amount received, the statement note and the moves a user makes, in order; they run
// through the window's own rules and posting, so a move the window refuses refuses the line with
// its message and nothing is written.

#include <functional>
#include <optional>
#include <vector>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/ProgramState.h"
#include "receivables/PaymentPosting.h"
#include "receivables/PaymentSheet.h"
#include "receivables/PostingWrites.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

using receivables::PaymentNotice;
using receivables::PaymentSheet;

// The lengths of the window's controls.
constexpr int kCustomerLength = 8;
constexpr int kDateLength = 10;
constexpr int kAmountLength = 10;
constexpr int kNoteLength = 25;
constexpr int kNumberLength = 9;
constexpr int kMaxItems = 500;

using Move = std::function<std::optional<std::string>(PaymentSheet&, const std::string& date)>;

std::optional<std::string> Shown(const std::optional<PaymentNotice>& notice) {
    if (!notice) return std::nullopt;
    return notice->text;
}

// The left line of invoice `number`; nothing when the customer has no such open item.
std::optional<int> RowOf(const PaymentSheet& sheet, const std::string& number) {
    const std::string wanted = base::Win1252Upper(base::Trim(number));
    for (size_t row = 0; row < sheet.left().size(); ++row)
        if (sheet.left()[row].kind != receivables::LineKind::Deposit &&
            base::Win1252Upper(sheet.left()[row].invoiceNumber) == wanted)
            return static_cast<int>(row);
    return std::nullopt;
}

// What the window left on the screen last: why the posting stopped.
std::string LastShown(const PostSession& session) {
    const auto& shown = session.prompts.shown();
    return shown.empty() ? "The payment was not posted" : shown.back().text;
}

Move ReadMove(PostRequest& item) {
    const auto invoice = item.Text("invoice", kNumberLength);
    const auto partial = item.Text("partial", kAmountLength);
    const auto deposit = item.Text("deposit", kAmountLength);
    if (deposit && !invoice && !partial)
        return [amount = *deposit](PaymentSheet& sheet, const std::string& date) {
            return Shown(sheet.AddDeposit(amount, date));
        };
    if (!invoice || deposit) {
        item.Refuse("an item names either \"invoice\" (with \"partial\") or \"deposit\"");
        return {};
    }
    return [number = *invoice, partial](PaymentSheet& sheet,
                                        const std::string&) -> std::optional<std::string> {
        const auto row = RowOf(sheet, number);
        if (!row) return "Invoice " + base::Trim(number) + " is not an open item of the customer";
        if (partial) return Shown(sheet.PayPartly(*row, *partial));
        return Shown(sheet.MoveRight({*row}));
    };
}

PostReply Payment(PostRequest& request, PostSession& session) {
    const auto customer = request.Text("customer", kCustomerLength);
    if (!customer) request.Refuse("\"customer\" names no customer");
    std::vector<Move> moves;
    request.Objects("items", kMaxItems, {"invoice", "partial", "deposit"},
                    [&moves](PostRequest& item) { moves.push_back(ReadMove(item)); });
    if (request.failure()) return PostReply::Refused(*request.failure());

    company::ProgramState state;
    if (auto refusal = EnterRunCompany(session, state)) return PostReply::Refused(*refusal);
    const records::CompanyRecord& company = state.currentCompany;
    const auto found =
        receivables::FindCustomer(session.engine, session.prompts, company.code(), *customer);
    if (!found) return PostReply::Refused("Customer " + base::Trim(*customer) + " is not on file.");
    const auto items = receivables::ReadOpenItems(session.engine, session.prompts, company.code(),
                                                  found->record.number(), company.dateFormat());
    if (!items) return PostReply::Refused(LastShown(session));

    // The window's payment date starts as today.
    const std::string date =
        request.Text("date", kDateLength)
            .value_or(base::FormatDate(session.clock.Today(),
                                       base::EntryDateOrder(company.dateFormat())));
    const std::string amount = request.Text("amount", kAmountLength).value_or("0.00");
    const std::string note = request.Text("note", kNoteLength).value_or("");
    if (request.failure()) return PostReply::Refused(*request.failure());

    PaymentSheet sheet(*items, found->record.balanceAmount());
    const std::string lineDate = receivables::LineDateOf(date, company.dateFormat());
    for (const Move& move : moves)
        if (const auto refusal = move(sheet, lineDate)) return PostReply::Refused(*refusal);
    // The amount is typed last, so an amount equal to the balance moves what is left.
    if (const auto refusal = sheet.SetAmountReceived(amount))
        return PostReply::Refused(refusal->text);
    const auto posted =
        receivables::PostPayment(session.engine, session.prompts, state, session.clock,
                                 {found->record.number(), date, amount, note, sheet.right()});
    if (!posted) return PostReply::Refused(LastShown(session));

    PostReply reply;
    reply.results["records"] = nlohmann::ordered_json::array();
    for (const auto& written : posted->records) {
        const records::InvoiceRecord& r = written.record;
        reply.results["records"].push_back(
            {{"record", written.recordNumber},
             {"added", written.added},
             {"number", base::Win1252ToUtf8(base::Trim(r.invoiceNumber()))},
             {"type", r.typeCode()},
             {"paid", r.paid()},
             {"balance_due", r.balanceDue()},
             {"paid_flag", r.paidFlag()}});
    }
    reply.results["balance"] = posted->balance.Format("0.00");
    return reply;
}

}  // namespace

std::vector<PostOperation> PaymentOperations() {
    return {{"payment", {"customer", "date", "amount", "note", "items"}, &Payment}};
}

}  // namespace tool
