#pragma once
// What statements are read from: the customer file, which the Customer Manager holds open while
// it is shown (and the tool opens for its run), and the company's invoice file, opened here for
// as long as this object lives.

#include <optional>
#include <string>
#include <string_view>

#include "base/PromptService.h"
#include "engine/Engine.h"
#include "receivables/PostingWrites.h"
#include "statements/Statement.h"

namespace statements {

// "Customer A9 is not on file."
std::string NotOnFileText(std::string_view number);

class StatementFiles {
public:
    StatementFiles(engine::Engine& engine, base::PromptService& prompts,
                   receivables::CustomerFile& customers, std::string_view companyCode);
    ~StatementFiles();
    StatementFiles(const StatementFiles&) = delete;
    StatementFiles& operator=(const StatementFiles&) = delete;

    // Opens the invoice file; false when it cannot be opened (the engine's message was shown).
    bool Open();

    receivables::CustomerFile& customers() { return customers_; }
    base::PromptService& prompts() { return prompts_; }

    // The statement of customer `number`, found by customer key 2 with the key compared; nothing,
    // with why in `failure`, when the customer is not on file or its records cannot be read.
    std::optional<Statement> Load(std::string_view number, bool unpaidOnly, std::string& failure);
    // The same for a customer already read.
    std::optional<Statement> Load(const records::CustomerRecord& customer, bool unpaidOnly,
                                  std::string& failure);

private:
    engine::Engine& engine_;
    base::PromptService& prompts_;
    receivables::CustomerFile& customers_;
    InvoiceFile invoices_;
    bool opened_ = false;
};

}  // namespace statements
