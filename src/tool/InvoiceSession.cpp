#include "tool/InvoiceSession.h"

#include "company/CompanyFile.h"

namespace tool {

InvoiceSession::InvoiceSession(PostSession& session)
    : session_(session), files_(session.engine, session.prompts, session.companyCode) {}

InvoiceSession::~InvoiceSession() {
    if (opened_) (void)files_.Close();
}

std::optional<std::string> InvoiceSession::Open() {
    company::CompanyFile companies(session_.engine, session_.prompts);
    if (!companies.Open()) return "Unable to open company database";
    const auto company = companies.Find(session_.companyCode);
    const bool closed = companies.Close();
    if (!company) return "No company " + session_.companyCode + " in the company file";
    if (!closed) return "Unable to open company database";
    state_.currentCompany = company->second;
    state_.ApplyDateFormat(session_.clock);
    if (!files_.Open()) return files_.OpenFailureText();
    opened_ = true;
    return std::nullopt;
}

std::string InvoiceSession::LastShown(const std::string& otherwise) const {
    const auto& shown = session_.prompts.shown();
    return shown.empty() ? otherwise : shown.back().text;
}

}  // namespace tool
