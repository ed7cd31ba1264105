#pragma once
// The plain-text e-mail of a statement, line by line, and the message that carries it: to the
// customer, or to the company's own address under "BAD CUSTOMER E-MAIL ADDRESS" when the
// customer's address is missing or unusable. Columns are filled with blanks; a value wider than
// its column widens its line and is never cut.

#include <string>
#include <vector>

#include "mail/MailMessage.h"
#include "records/CompanyRecord.h"
#include "statements/Statement.h"

namespace statements {

inline constexpr char kBadAddressSubject[] = "BAD CUSTOMER E-MAIL ADDRESS";

// `today` is the statement date as the company writes dates.
std::vector<std::string> StatementMailLines(const Statement& statement,
                                            const records::CompanyRecord& company,
                                            const std::string& today);

// The company's statement caption, " - " and the customer's name (control characters become
// blanks).
std::string StatementMailSubject(const Statement& statement, const records::CompanyRecord& company);

mail::MailMessage StatementMessage(const Statement& statement,
                                             const records::CompanyRecord& company,
                                             const std::string& today);

// `text` broken at blanks into lines of at most `width` characters (a longer word stands alone).
std::vector<std::string> WrappedText(const std::string& text, size_t width);

}  // namespace statements
