#pragma once
// The records of the program's version 1 turned into this system's records. Version 1 kept the
// same storage engine and layouts that are prefixes or near relatives of today's; each function
// takes one version-1 record's bytes (of its file's own record length; a shorter record reads as
// zeros beyond its end) and gives a fresh, zero-filled record with the version-1 fields copied.
// A text field's length byte larger than its field is read up to the field's size, never past.
//
// Version-1 layouts (offsets from the record start, text fields 1 length byte + n):
//   company   today's CompanyRecord from 0 through the audit-trail flag at 2156
//   customer  today's CustomerRecord from 0 to 541; notes 1+200 at 542; notes on invoices 1+1
//             at 743; notes on statements 1+1 at 745; 1+10 at 747; 1+1 at 758; short name 1+10
//             at 760; mail list code 1+15 at 771; 1+25 at 787; credit hold 1+1 at 813
//   invoice   today's InvoiceRecord from 0 to 329 (through the generated count)
//   line      today's InvoiceLineRecord
//   product   today's ProductRecord's fields at 4, 15, 59, 60, 82, 233, 244, and 1+10 at 48,
//             1+1 at 255 and 257

#include <span>

#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceRecord.h"
#include "records/ProductRecord.h"

namespace maintenance {

// The end of the version-1 company record: the audit-trail flag at 2156 and its byte.
constexpr int kVersionOneCompanyEnd = 2158;
constexpr int kVersionOneCustomerEnd = 815;
constexpr int kVersionOneInvoiceEnd = 330;
constexpr int kVersionOneProductEnd = 259;

// With the values this system adds: receivables "999.99" and the last aging "01/01/1998" (so the
// aging recomputes every balance), "ktt8.bmp", no logo, output to the printer, "Ship To:", lines
// on e-mailed invoices, no large invoice numbers, aging days 30/60/90 and their captions.
records::CompanyRecord CompanyFromVersionOne(std::span<const std::byte> v1);
records::CustomerRecord CustomerFromVersionOne(std::span<const std::byte> v1);
records::InvoiceRecord InvoiceFromVersionOne(std::span<const std::byte> v1);
records::InvoiceLineRecord LineFromVersionOne(std::span<const std::byte> v1);
records::ProductRecord ProductFromVersionOne(std::span<const std::byte> v1);

}  // namespace maintenance
