#pragma once
// The printed statement: the company heading with the statement caption, the page number,
// statement date and account number, the customer's name and address, the table with its column
// headings and the account totals, continued on further pages as needed, and the customer's
// account status at the end.

#include <string>

#include "base/Canvas.h"
#include "records/CompanyRecord.h"
#include "statements/Statement.h"

namespace statements {

// The print job's title: "Statement - Ames Hardware".
std::string StatementJobTitle(const Statement& statement);

// One print job; false when no page could be started. `today` is the statement date.
bool PrintStatementForm(base::Canvas& canvas, const Statement& statement,
                        const records::CompanyRecord& company, const std::string& today);

}  // namespace statements
