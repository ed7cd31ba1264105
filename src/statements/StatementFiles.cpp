#include "statements/StatementFiles.h"

#include "base/Text.h"
#include "records/RecordTypes.h"

namespace statements {

std::string NotOnFileText(std::string_view number) {
    return "Customer " + base::Trim(number) + " is not on file.";
}

StatementFiles::StatementFiles(engine::Engine& engine, base::PromptService& prompts,
                               receivables::CustomerFile& customers, std::string_view companyCode)
    : engine_(engine),
      prompts_(prompts),
      customers_(customers),
      invoices_(engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(companyCode),
                prompts) {}

StatementFiles::~StatementFiles() {
    if (opened_) (void)invoices_.Close();
}

bool StatementFiles::Open() {
    opened_ = invoices_.Open();
    return opened_;
}

std::optional<Statement> StatementFiles::Load(std::string_view number, bool unpaidOnly,
                                              std::string& failure) {
    const auto customer = receivables::FindCustomerIn(customers_, number);
    if (!customer) {
        failure = NotOnFileText(number);
        return std::nullopt;
    }
    return Load(customer->record, unpaidOnly, failure);
}

std::optional<Statement> StatementFiles::Load(const records::CustomerRecord& customer,
                                              bool unpaidOnly, std::string& failure) {
    std::optional<Statement> statement = BuildStatement(invoices_, customer, unpaidOnly);
    if (!statement)
        failure = "The records of customer " + base::Trim(customer.number()) +
                  " could not be read (error " + std::to_string(engine_.error()) +
                  "). Rebuild the data files.";
    return statement;
}

}  // namespace statements
