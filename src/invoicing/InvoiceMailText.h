#pragma once
// The plain-text e-mail of an invoice: its lines and its subject, in record text (Windows-1252).
// Columns are filled with blanks; a value wider than its column widens its line and is never cut.

#include <string>
#include <vector>

#include "invoicing/InvoiceDocument.h"
#include "records/CompanyRecord.h"

namespace invoicing {

// The subject of a message whose customer address is missing or unusable; it goes to the
// company's own address instead.
inline constexpr char kBadAddressSubject[] = "BAD CUSTOMER E-MAIL ADDRESS";

// False when the customer has no address and the company does not want such invoices sent to
// itself: then no message is made.
bool WantsInvoiceMail(const InvoiceDocument& document, const records::CompanyRecord& company);

std::vector<std::string> InvoiceMailLines(const InvoiceDocument& document,
                                          const records::CompanyRecord& company);

// The invoice caption, " - " and the number, on one line (control characters become blanks).
std::string InvoiceMailSubject(const InvoiceDocument& document,
                               const records::CompanyRecord& company);

}  // namespace invoicing
