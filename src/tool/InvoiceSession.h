#pragma once
// The run's company for one line of `post` that works on invoices: its company record read into a
// program state (today's text in the company's date format) and its invoice files open, closed
// again when the line is done.

#include <optional>
#include <string>

#include "company/ProgramState.h"
#include "invoicing/InvoiceFiles.h"
#include "tool/PostOperations.h"

namespace tool {

class InvoiceSession {
public:
    explicit InvoiceSession(PostSession& session);
    ~InvoiceSession();
    InvoiceSession(const InvoiceSession&) = delete;
    InvoiceSession& operator=(const InvoiceSession&) = delete;

    // Nothing, or why the line is refused.
    std::optional<std::string> Open();

    const records::CompanyRecord& company() const { return state_.currentCompany; }
    invoicing::InvoiceFiles& files() { return files_; }
    company::ProgramState& state() { return state_; }

    // The message a window would have left on the screen last, or `otherwise` when none was
    // shown: why the command stopped.
    std::string LastShown(const std::string& otherwise) const;

protected:
    PostSession& session_;
    company::ProgramState state_;
    invoicing::InvoiceFiles files_;

private:
    bool opened_ = false;
};

}  // namespace tool
