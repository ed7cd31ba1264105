#pragma once
// Sample records built the way the program's windows build them, and helpers that write records
// with all their keys into the files of the working folder.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "customers/CustomerRecord.h"
#include "engine/Engine.h"
#include "engine/FileDescription.h"
#include "invoicing/InvoiceLineRecord.h"
#include "invoicing/InvoiceMemoRecord.h"
#include "invoicing/InvoiceRecord.h"
#include "products/ProductRecord.h"
#include "shell/CompanyRecord.h"

namespace testsupport {

// A company set up as a user would: the starter form settings, its number, name and address.
shell::CompanyRecord SampleCompany(std::string_view number = "1",
                                   std::string_view name = "Acme Supply Co");

// Billing address copied to shipping, terms "Net 30 Days", short name the first ten letters
// upper-cased.
customers::CustomerRecord SampleCustomer(std::string_view number, std::string_view name);

products::ProductRecord SampleProduct(std::string_view code, std::string_view description,
                                      std::string_view price, bool taxable = true);

struct SampleLine {
    std::string productCode;
    std::string quantity;
    std::string description;
    std::string unitPrice;
    bool taxable = true;
};

struct SampleInvoice {
    invoicing::InvoiceRecord header;
    std::vector<invoicing::InvoiceLineRecord> lines;
    std::optional<invoicing::InvoiceMemoRecord> memo;
};

// An unpaid line-item invoice ("I", form "P"), amounts computed as the invoice window does.
SampleInvoice SampleProductInvoice(const shell::CompanyRecord& company,
                                   const customers::CustomerRecord& customer,
                                   std::string_view number, const base::Date& date,
                                   const std::vector<SampleLine>& lines);

// An unpaid memo invoice ("I", form "M"): one "Memo" line of the net amount, and the memo text.
SampleInvoice SampleMemoInvoice(const shell::CompanyRecord& company,
                                const customers::CustomerRecord& customer, std::string_view number,
                                const base::Date& date, std::string_view net,
                                std::string_view description,
                                const std::vector<std::string>& memoText);

// Adds records with all their keys, creating the file block when missing; fails the test on error.
void AddRecords(engine::Engine& engine, const engine::FileDescription& file,
                const std::vector<const uint8_t*>& records);

template <typename Record>
void AddRecords(engine::Engine& engine, const engine::FileDescription& file,
                const std::vector<Record>& records) {
    std::vector<const uint8_t*> bytes;
    for (const Record& record : records) bytes.push_back(record.data());
    AddRecords(engine, file, bytes);
}

// Adds an invoice with its lines and memo to the company's I, D and M files.
void AddInvoice(engine::Engine& engine, std::string_view companyCode, const SampleInvoice& invoice);

}  // namespace testsupport
