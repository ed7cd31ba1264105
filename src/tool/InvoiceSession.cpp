#include "tool/InvoiceSession.h"

namespace tool {

InvoiceSession::InvoiceSession(PostSession& session)
    : session_(session), files_(session.engine, session.prompts, session.companyCode) {}

InvoiceSession::~InvoiceSession() {
    if (opened_) (void)files_.Close();
}

std::optional<std::string> InvoiceSession::Open() {
    if (auto refusal = EnterRunCompany(session_, state_)) return refusal;
    if (!files_.Open()) return files_.OpenFailureText();
    opened_ = true;
    return std::nullopt;
}

std::string InvoiceSession::LastShown(const std::string& otherwise) const {
    const auto& shown = session_.prompts.shown();
    return shown.empty() ? otherwise : shown.back().text;
}

}  // namespace tool
