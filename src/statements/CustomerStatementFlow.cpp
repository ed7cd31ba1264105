#include "statements/CustomerStatementFlow.h"

#include "base/Text.h"
#include "base/Windows1252.h"
#include "statements/StatementFiles.h"

namespace statements {
namespace {

constexpr char kCaption[] = "Customer Statement";
constexpr size_t kCaptionNameLength = 45;

}  // namespace

std::string StatementWindowCaption(company::PrintedOutput mode) {
    return mode == company::PrintedOutput::EMail ? std::string(kCaption) + " - (E-Mail Mode)"
                                                 : kCaption;
}

std::string OutputButtonText(company::PrintedOutput mode) {
    return mode == company::PrintedOutput::EMail ? "&E-Mail" : "&Print";
}

CustomerStatementFlow::CustomerStatementFlow(engine::Engine& engine, base::PromptService& prompts,
                                             company::ProgramState& state,
                                             receivables::CustomerFile& customers)
    : engine_(engine), prompts_(prompts), state_(state), customers_(customers) {}

std::optional<Statement> CustomerStatementFlow::Build(const records::CustomerRecord& customer,
                                                      bool unpaidOnly) {
    StatementFiles files(engine_, prompts_, customers_, state_.currentCompany.code());
    if (!files.Open()) return std::nullopt;
    std::string failure;
    std::optional<Statement> statement = files.Load(customer, unpaidOnly, failure);
    if (!statement) prompts_.Warn(kCaption, base::Win1252ToUtf8(failure));
    return statement;
}

bool CustomerStatementFlow::Start(const records::CustomerRecord& customer) {
    statement_.reset();
    customer_ = customer;
    std::optional<Statement> built = Build(customer, false);
    if (!built) return false;
    if (!built->HasActivity()) {
        prompts_.Inform(
            base::Win1252ToUtf8("\nCustomer: " + base::CutTo(customer.name(), kCaptionNameLength)),
            kNoActivityText);
        return false;
    }
    statement_ = std::move(built);
    return true;
}

bool CustomerStatementFlow::SetUnpaidOnly(bool unpaidOnly) {
    std::optional<Statement> built = Build(customer_, unpaidOnly);
    if (!built) return false;
    statement_ = std::move(built);
    return true;
}

std::string CustomerStatementFlow::Output(OutputContext& output) {
    if (!statement_) return {};
    return OutputCommand(output, *statement_, prompts_);
}

}  // namespace statements
