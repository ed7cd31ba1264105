// add-customer, edit-customer, delete-customer: the Customer Manager's commands on the run's
// company, through the same flow and checks. The fields given stand for what a user types into
// the customer edit dialog; the reply's message of a refused line is the window's own message.

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "customers/CustomerManagerFlow.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

using records::CustomerRecord;

// The stored size of a customer field, by its getter's name.
int FieldSize(const char* getter) {
    const auto& fields = CustomerRecord::Fields();
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const base::FieldInfo& f) {
        return std::strcmp(f.name, getter) == 0;
    });
    return it->size;
}

struct TextField {
    const char* field;
    const char* getter;
    void (CustomerRecord::*set)(std::string_view);
};
struct FlagField {
    const char* field;
    void (CustomerRecord::*set)(bool);
};
struct LinesField {
    const char* field;
    std::vector<std::pair<const char*, void (CustomerRecord::*)(std::string_view)>> lines;
};

const TextField kTexts[] = {
    {"name", "name", &CustomerRecord::setName},
    {"short_name", "shortName", &CustomerRecord::setShortName},
    {"type", "customerType", &CustomerRecord::setCustomerType},
    {"tax_exempt", "taxExempt", &CustomerRecord::setTaxExempt},
    {"credit_limit", "creditLimit", &CustomerRecord::setCreditLimit},
    {"terms", "terms", &CustomerRecord::setTerms},
    {"phone1", "phone1", &CustomerRecord::setPhone1},
    {"phone2", "phone2", &CustomerRecord::setPhone2},
    {"notes", "notes", &CustomerRecord::setNotes},
    {"mail_code", "mailListCode", &CustomerRecord::setMailListCode},
    {"email", "email", &CustomerRecord::setEmail},
};

const FlagField kFlags[] = {
    {"notes_on_invoices", &CustomerRecord::setNotesOnInvoices},
    {"notes_on_statements", &CustomerRecord::setNotesOnStatements},
    {"credit_hold", &CustomerRecord::setCreditHold},
};

const LinesField kLines[] = {
    {"address",
     {{"billing1", &CustomerRecord::setBilling1},
      {"billing2", &CustomerRecord::setBilling2},
      {"billing3", &CustomerRecord::setBilling3},
      {"billing4", &CustomerRecord::setBilling4}}},
    {"ship",
     {{"shipping1", &CustomerRecord::setShipping1},
      {"shipping2", &CustomerRecord::setShipping2},
      {"shipping3", &CustomerRecord::setShipping3},
      {"shipping4", &CustomerRecord::setShipping4}}},
};

// What the line types into the dialog, read once before any file is touched.
using Typing = std::vector<std::function<void(CustomerRecord&)>>;

void ReadNumber(PostRequest& request, const char* field, Typing& typing) {
    if (auto number = request.Text(field, FieldSize("number")))
        typing.push_back([number = *number](CustomerRecord& c) { c.setNumber(number); });
}

Typing ReadTyping(PostRequest& request) {
    Typing typing;
    for (const TextField& f : kTexts) {
        if (auto text = request.Text(f.field, FieldSize(f.getter)))
            typing.push_back([set = f.set, text = *text](CustomerRecord& c) { (c.*set)(text); });
    }
    for (const FlagField& f : kFlags) {
        if (auto on = request.Flag(f.field))
            typing.push_back([set = f.set, on = *on](CustomerRecord& c) { (c.*set)(on); });
    }
    for (const LinesField& f : kLines) {
        const int count = static_cast<int>(f.lines.size());
        // Lines not given are emptied, as a cleared line in the dialog would be.
        if (auto texts = request.Texts(f.field, count, FieldSize(f.lines.front().first))) {
            texts->resize(f.lines.size());
            for (int i = 0; i < count; ++i) {
                typing.push_back([set = f.lines[i].second, text = (*texts)[i]](CustomerRecord& c) {
                    (c.*set)(text);
                });
            }
        }
    }
    return typing;
}

// The dialog of a line: types the values, then presses OK; a refused OK cancels it.
customers::CustomerEditor TypingDialog(const Typing& typing, CustomerRecord& saved) {
    return [&typing, &saved](company::EditPurpose, CustomerRecord& record,
                             const customers::CustomerCheck& check) {
        for (const auto& type : typing) type(record);
        if (check(record)) return false;
        saved = record;
        return true;
    };
}

// The company's customer manager for one line: the company record of the run and the flow on
// its files.
class CustomerManager {
public:
    explicit CustomerManager(PostSession& session)
        : session_(session),
          companies_(session.engine, session.prompts),
          flow_(session.engine, companies_, session.prompts, state_, session.clock) {}
    ~CustomerManager() {
        if (opened_) flow_.Close();
    }

    // Nothing, or why the line is refused.
    std::optional<std::string> Open() {
        if (auto refusal = EnterRunCompany(session_, state_)) return refusal;
        if (!flow_.Open()) return LastMessage();
        opened_ = true;
        return std::nullopt;
    }

    std::optional<int32_t> RecordOf(const std::string& number) {
        const auto row = flow_.RowOfNumber(number);
        if (!row) return std::nullopt;
        return row->recordNumber;
    }

    customers::CustomerManagerFlow& flow() { return flow_; }

    // The message a window would have left on the screen last: why the command stopped.
    std::string LastMessage() const {
        const auto& shown = session_.prompts.shown();
        return shown.empty() ? "The customer was not changed" : shown.back().text;
    }

private:
    PostSession& session_;
    company::CompanyFile companies_;
    company::ProgramState state_;
    customers::CustomerManagerFlow flow_;
    bool opened_ = false;
};

PostReply Refusal(PostRequest& request) {
    return PostReply::Refused(*request.failure());
}

// The customer a line names by "number"; nothing, with the refusal recorded, when it names none.
std::optional<int32_t> NamedCustomer(PostRequest& request, CustomerManager& manager) {
    const std::optional<std::string> number = request.Text("number", FieldSize("number"));
    if (!number) {
        request.Refuse("\"number\" names no customer");
        return std::nullopt;
    }
    const auto recordNumber = manager.RecordOf(*number);
    if (!recordNumber) request.Refuse("No customer " + base::Trim(*number) + " on file");
    return recordNumber;
}

PostReply AddCustomer(PostRequest& request, PostSession& session) {
    Typing typing;
    ReadNumber(request, "number", typing);
    for (auto& type : ReadTyping(request)) typing.push_back(std::move(type));
    if (request.failure()) return Refusal(request);
    CustomerManager manager(session);
    if (auto refusal = manager.Open()) return PostReply::Refused(*refusal);
    CustomerRecord saved;
    if (!manager.flow().Add(TypingDialog(typing, saved)).saved)
        return PostReply::Refused(manager.LastMessage());
    PostReply reply;
    reply.results["number"] = base::Trim(saved.number());
    return reply;
}

PostReply EditCustomer(PostRequest& request, PostSession& session) {
    Typing typing = ReadTyping(request);
    ReadNumber(request, "new_number", typing);
    if (request.failure()) return Refusal(request);
    CustomerManager manager(session);
    if (auto refusal = manager.Open()) return PostReply::Refused(*refusal);
    const std::optional<int32_t> recordNumber = NamedCustomer(request, manager);
    if (!recordNumber) return Refusal(request);
    CustomerRecord saved;
    const company::ManagerUpdate update =
        manager.flow().Edit(*recordNumber, TypingDialog(typing, saved));
    if (!update.saved) return PostReply::Refused(manager.LastMessage());
    PostReply reply;
    reply.results["number"] = base::Trim(saved.number());
    if (const auto old = request.Text("number", FieldSize("number"));
        customers::SameNumberForm(*old) != customers::SameNumberForm(saved.number()))
        reply.results["renumbered"] = update.renumbered;
    return reply;
}

PostReply DeleteCustomer(PostRequest& request, PostSession& session) {
    CustomerManager manager(session);
    if (auto refusal = manager.Open()) return PostReply::Refused(*refusal);
    const std::optional<int32_t> recordNumber = NamedCustomer(request, manager);
    if (!recordNumber) return Refusal(request);
    if (!manager.flow().Delete(*recordNumber).saved)
        return PostReply::Refused(manager.LastMessage());
    PostReply reply;
    reply.results["number"] = base::Trim(*request.Text("number", FieldSize("number")));
    return reply;
}

std::vector<std::string_view> CustomerFields() {
    std::vector<std::string_view> fields{"number"};
    for (const TextField& f : kTexts) fields.push_back(f.field);
    for (const FlagField& f : kFlags) fields.push_back(f.field);
    for (const LinesField& f : kLines) fields.push_back(f.field);
    return fields;
}

}  // namespace

std::vector<PostOperation> CustomerOperations() {
    std::vector<std::string_view> editFields = CustomerFields();
    editFields.push_back("new_number");
    return {{"add-customer", CustomerFields(), &AddCustomer},
            {"edit-customer", editFields, &EditCustomer},
            {"delete-customer", {"number"}, &DeleteCustomer}};
}

}  // namespace tool
