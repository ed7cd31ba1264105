// set-company: the settings of the run's company, checked as the Company Options dialog checks
// them on "&Save" and written back to the company file.

#include <algorithm>
#include <cstring>

#include "base/Decimal.h"
#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/CompanyOptionsCheck.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

using records::CompanyRecord;

// The stored size of a company field, by its getter's name.
int FieldSize(const char* getter) {
    const auto& fields = CompanyRecord::Fields();
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const base::FieldInfo& f) {
        return std::strcmp(f.name, getter) == 0;
    });
    return it->size;
}

struct TextSetting {
    const char* field;
    const char* getter;
    void (CompanyRecord::*set)(std::string_view);
};
struct FlagSetting {
    const char* field;
    void (CompanyRecord::*set)(bool);
};
struct ListSetting {
    const char* field;
    std::vector<std::pair<const char*, void (CompanyRecord::*)(std::string_view)>> items;
};

const TextSetting kTexts[] = {
    {"name", "name", &CompanyRecord::setName},
    {"date_format", "dateFormat", &CompanyRecord::setDateFormat},
    {"next_invoice", "nextInvoiceNumber", &CompanyRecord::setNextInvoiceNumber},
    {"tax_rate", "taxRate", &CompanyRecord::setTaxRate},
    {"tax_heading", "taxHeading", &CompanyRecord::setTaxHeading},
    {"default_terms", "defaultTerms", &CompanyRecord::setDefaultTerms},
    {"default_quantity", "defaultQuantity", &CompanyRecord::setDefaultQuantity},
    {"email", "email", &CompanyRecord::setEmail},
    {"mail_server", "smtpServer", &CompanyRecord::setSmtpServer},
    {"file_copies", "numberOfCopies", &CompanyRecord::setNumberOfCopies},
};

const FlagSetting kFlags[] = {
    {"dated_numbers", &CompanyRecord::setYearMonthPrefix},
    {"charge_tax", &CompanyRecord::setCalculateTaxes},
    {"send_to_company", &CompanyRecord::setEmailWithoutAddress},
    {"default_output_email", &CompanyRecord::setDefaultOutputEmail},
    {"email_lines", &CompanyRecord::setEmailLines},
    {"print_new_invoices", &CompanyRecord::setPrintNewInvoices},
    {"print_packing_slip", &CompanyRecord::setPrintPackingSlip},
    {"print_file_copy", &CompanyRecord::setPrintFileCopy},
    {"batch_labels", &CompanyRecord::setLabelQueueOnBatchPrint},
};

const ListSetting kLists[] = {
    {"address",
     {{"address1", &CompanyRecord::setAddress1},
      {"address2", &CompanyRecord::setAddress2},
      {"address3", &CompanyRecord::setAddress3},
      {"address4", &CompanyRecord::setAddress4},
      {"address5", &CompanyRecord::setAddress5}}},
    {"aging_days",
     {{"agingDays1", &CompanyRecord::setAgingDays1},
      {"agingDays2", &CompanyRecord::setAgingDays2},
      {"agingDays3", &CompanyRecord::setAgingDays3}}},
    {"aging_captions",
     {{"agingCaption1", &CompanyRecord::setAgingCaption1},
      {"agingCaption2", &CompanyRecord::setAgingCaption2},
      {"agingCaption3", &CompanyRecord::setAgingCaption3}}},
};

void ReadSettings(PostRequest& request, CompanyRecord& record) {
    for (const TextSetting& s : kTexts) {
        if (auto text = request.Text(s.field, FieldSize(s.getter))) (record.*s.set)(*text);
    }
    for (const FlagSetting& s : kFlags) {
        if (auto on = request.Flag(s.field)) (record.*s.set)(*on);
    }
    for (const ListSetting& s : kLists) {
        const int count = static_cast<int>(s.items.size());
        const int size = FieldSize(s.items.front().first);
        // Lines not given are emptied, as a cleared line in the dialog would be.
        if (auto texts = request.Texts(s.field, count, size)) {
            texts->resize(s.items.size());
            for (int i = 0; i < count; ++i) (record.*s.items[i].second)((*texts)[i]);
        }
    }
}

// The values the dialog's masks and lists make impossible to type: refused here in words.
void CheckTypedValues(PostRequest& request, const CompanyRecord& record) {
    const std::string format = record.dateFormat();
    if (format != "M" && format != "D" && format != "Y")
        request.Refuse("\"date_format\" must be \"M\", \"D\" or \"Y\"");
    const std::string next = base::Trim(record.nextInvoiceNumber());
    if (next.empty() ||
        !std::all_of(next.begin(), next.end(), [](char c) { return c >= '0' && c <= '9'; }))
        request.Refuse("\"next_invoice\" must be a whole number");
    if (!base::Decimal::Parse(base::Trim(record.taxRate())))
        request.Refuse("\"tax_rate\" must be a number");
    if (!base::Decimal::Parse(base::Trim(record.defaultQuantity())))
        request.Refuse("\"default_quantity\" must be a number");
}

PostReply SetCompany(PostRequest& request, PostSession& session) {
    company::CompanyFile file(session.engine, session.prompts);
    if (!file.Open()) return PostReply::Refused("Unable to open company database");
    const auto stored = file.Find(session.companyCode);
    if (!stored) {
        (void)file.Close();
        return PostReply::Refused("No company " + session.companyCode + " in the company file");
    }
    const auto& [recordNumber, original] = *stored;
    CompanyRecord edited = original;
    ReadSettings(request, edited);
    if (!request.failure()) CheckTypedValues(request, edited);
    if (request.failure()) {
        (void)file.Close();
        return PostReply::Refused(*request.failure());
    }

    const company::CompanyOptionsVerdict verdict = company::CheckCompanyOptions(
        {edited.email(), edited.name(), edited.number(), edited.agingDays1(), edited.agingDays2(),
         edited.agingDays3()},
        false, [](const std::string&) { return false; });
    for (const company::CompanyOptionsFailure& failure : verdict.failures)
        session.prompts.Inform(failure.caption, failure.text);
    if (!verdict.passed()) {
        (void)file.Close();
        return PostReply::Refused(verdict.failures.front().text);
    }
    edited.setAgingDays1(verdict.fields.aging1);
    edited.setAgingDays2(verdict.fields.aging2);
    edited.setAgingDays3(verdict.fields.aging3);
    company::NormaliseCompanyOptions(edited);

    const engine::UpdateOutcome outcome = file.Modify(recordNumber, edited, original);
    const bool closed = file.Close();
    if ((outcome != engine::UpdateOutcome::Written &&
         outcome != engine::UpdateOutcome::Unchanged) ||
        !closed)
        return PostReply::Refused("Modify operation failed");
    PostReply reply;
    reply.results["number"] = session.companyCode;
    return reply;
}

}  // namespace

std::vector<PostOperation> CompanyOperations() {
    std::vector<std::string_view> fields;
    for (const TextSetting& s : kTexts) fields.push_back(s.field);
    for (const FlagSetting& s : kFlags) fields.push_back(s.field);
    for (const ListSetting& s : kLists) fields.push_back(s.field);
    return {{"set-company", fields, &SetCompany}};
}

}  // namespace tool
