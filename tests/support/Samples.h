#pragma once
// Sample records built as the program's windows build them, and writing them with all their keys.

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "engine/Engine.h"
#include "engine/FileDescription.h"
#include "engine/RecordFile.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceMemoRecord.h"
#include "records/InvoiceRecord.h"
#include "records/ProductRecord.h"

namespace testsupport {

// The starter form settings with a number, name and address, and no background picture (so a
// data folder needs no picture file).
records::CompanyRecord SampleCompany(std::string_view number = "1",
                                     std::string_view name = "Acme Supply Co");

// The company file of the working folder, reached through an engine of its own (the file must
// not be open elsewhere): adding companies (the file is created when missing), reading one back
// by number (nothing when it is not on file) and saving a changed one over its stored record.
void AddCompanies(const std::vector<records::CompanyRecord>& companies);
std::optional<records::CompanyRecord> StoredCompany(std::string_view number);
void UpdateStoredCompany(const records::CompanyRecord& company);

records::CustomerRecord SampleCustomer(std::string_view number, std::string_view name);

records::ProductRecord SampleProduct(std::string_view code, std::string_view description,
                                     std::string_view price, bool taxable = true);

struct SampleLine {
    std::string productCode, quantity, description, unitPrice;
    bool taxable = true;
};

struct SampleInvoice {
    records::InvoiceRecord header;
    std::vector<records::InvoiceLineRecord> lines;
    std::optional<records::InvoiceMemoRecord> memo;
};

// Unpaid invoices: line items (form "P") with amounts as the invoice window computes them, or one
// "Memo" line of the net amount with the memo text (form "M").
SampleInvoice SampleProductInvoice(const records::CompanyRecord& company,
                                   const records::CustomerRecord& customer, std::string_view number,
                                   const base::Date& date, const std::vector<SampleLine>& lines);

SampleInvoice SampleMemoInvoice(const records::CompanyRecord& company,
                                const records::CustomerRecord& customer, std::string_view number,
                                const base::Date& date, std::string_view net,
                                std::string_view description,
                                const std::vector<std::string>& memoText);

// Creates the file block when missing; fails the test on error.
void AddRecords(engine::Engine& engine, const engine::FileDescription& file,
                const std::vector<std::span<const std::byte>>& records);

template <typename Record>
void AddRecords(engine::Engine& engine, const engine::FileDescription& file,
                const std::vector<Record>& records) {
    std::vector<std::span<const std::byte>> bytes;
    for (const Record& record : records) bytes.push_back(record.bytes());
    AddRecords(engine, file, bytes);
}

// Every record of `file` in the order of key `keyNumber`, read through a file of its own.
template <typename Record>
std::vector<Record> StoredRecords(engine::Engine& engine, const engine::FileDescription& file,
                                  base::PromptService& prompts, int keyNumber = 1) {
    std::vector<Record> found;
    engine::RecordFile<Record> records(engine, file, prompts);
    EXPECT_TRUE(records.Open());
    EXPECT_EQ(records.ForEach(keyNumber, [&](const auto& entry) { found.push_back(entry.record); }),
              engine::ErrorClass::None);
    EXPECT_TRUE(records.Close());
    return found;
}

// Adds an invoice with its lines and memo to the company's I, D and M files.
void AddInvoice(engine::Engine& engine, std::string_view companyCode, const SampleInvoice& invoice);

}  // namespace testsupport
