#include "tool/PostOperations.h"

#include "company/CompanyFile.h"

namespace tool {

const std::vector<PostOperation>& PostOperations() {
    static const std::vector<PostOperation> operations = [] {
        std::vector<PostOperation> all;
        for (auto group : {&CompanyOperations, &CustomerOperations, &ProductOperations,
                           &AgingOperations, &InvoiceOperations, &PaymentOperations,
                           &DispatchOperations, &RepeatOperations, &InterestOperations,
                           &StatementOperations, &MaintenanceOperations,
                           &CorrespondenceOperations}) {
            for (PostOperation& op : group()) all.push_back(std::move(op));
        }
        return all;
    }();
    return operations;
}

std::optional<std::string> EnterRunCompany(PostSession& session, company::ProgramState& state) {
    company::CompanyFile companies(session.engine, session.prompts);
    if (!companies.Open()) return "Unable to open company database";
    const auto company = companies.Find(session.companyCode);
    const bool closed = companies.Close();
    if (!company) return "No company " + session.companyCode + " in the company file";
    if (!closed) return "Unable to open company database";
    state.currentCompany = company->second;
    state.ApplyDateFormat(session.clock);
    return std::nullopt;
}

}  // namespace tool
