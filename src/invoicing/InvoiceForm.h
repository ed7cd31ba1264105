#pragma once
// The printed invoice, packing slip and file copy, drawn on a canvas in the company's layout,
// fonts and colours: heading, address blocks, information block, memo text or product table
// (continued over as many pages as it needs), totals, footer and account status.

#include <string>

#include "base/Canvas.h"
#include "invoicing/InvoiceDocument.h"
#include "records/CompanyRecord.h"

namespace invoicing {

// "Invoice - 1001", "Packing Slip - 1001", "File Copy - 1001".
std::string PrintJobTitle(const InvoiceDocument& document, DocumentKind kind);

// False when the canvas could not start a page; nothing was printed then.
bool PrintInvoiceForm(base::Canvas& canvas, const InvoiceDocument& document,
                      const records::CompanyRecord& company, DocumentKind kind);

}  // namespace invoicing
