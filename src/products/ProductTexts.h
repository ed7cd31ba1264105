#pragma once
// The texts the Product Manager shows and prints: its browser's header and rows, and the product
// list as a report and as comma-separated values. Record text (Windows-1252) goes in and comes out
// unchanged.

#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "records/ProductRecord.h"

namespace products {

// "Code", "Description", "Sales Price", "Setup Date" over their columns.
std::string ProductBrowserHeader();
// Code in 10, the trimmed description in 32, the price ",0.00" right-aligned in 12, the setup
// date in 10, one blank between them.
std::string ProductBrowserRow(const records::ProductRecord& product);

// The product list report, lines ended by CR LF and cut to 85 characters, products in the given
// order; products with an empty description are left out.
std::string ProductListReport(std::string_view companyName,
                              const std::vector<records::ProductRecord>& products,
                              const base::DateTime& now);

// The same products as comma-separated values for a spreadsheet: a header record, then one record
// per product with a description, every field trimmed and the price as stored.
std::string ProductListCsv(const std::vector<records::ProductRecord>& products);

}  // namespace products
