#pragma once
// The statement window's commands as plain logic: the statement of the customer selected in the
// Customer Manager, rebuilt when "&Show Unpaid Records Only" changes, and its output to the
// printer or by e-mail. The window shows the table and the texts handed back.

#include <optional>
#include <string>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "receivables/PostingWrites.h"
#include "statements/Statement.h"
#include "statements/StatementOutput.h"

namespace statements {

inline constexpr char kNoActivityText[] = "There is no activity for this customer.";

// "Customer Statement", or "Customer Statement - (E-Mail Mode)"; the output button "&Print" or
// "&E-Mail".
std::string StatementWindowCaption(company::PrintedOutput mode);
std::string OutputButtonText(company::PrintedOutput mode);

class CustomerStatementFlow {
public:
    // `customers` is the open customer file (the Customer Manager's).
    CustomerStatementFlow(engine::Engine& engine, base::PromptService& prompts,
                          company::ProgramState& state, receivables::CustomerFile& customers);

    // The statement of `customer` with all activity. False when there is nothing to show: no
    // activity ("There is no activity for this customer."), or the invoice file could not be
    // opened or read (its message was shown).
    bool Start(const records::CustomerRecord& customer);
    // "&Show Unpaid Records Only": the statement built again; false when it could not be read.
    bool SetUnpaidOnly(bool unpaidOnly);

    const Statement& statement() const { return *statement_; }

    // "&Print" / "&E-Mail" through `output`; the window's status line, empty when nothing went out.
    std::string Output(OutputContext& output);

private:
    std::optional<Statement> Build(const records::CustomerRecord& customer, bool unpaidOnly);

    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    receivables::CustomerFile& customers_;
    records::CustomerRecord customer_;
    std::optional<Statement> statement_;
};

}  // namespace statements
