// list products: the product list report by description, or its products as CSV.

#include "base/Csv.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "engine/Errors.h"
#include "products/ProductFile.h"
#include "products/ProductTexts.h"
#include "tool/ConsolePrompts.h"
#include "tool/ListCommand.h"

namespace tool {
namespace {

std::string Utf8(std::string_view text) {
    return base::Win1252ToUtf8(base::Trim(text));
}

// The report's products, one row each with every field a spreadsheet needs.
std::string ProductsCsv(const std::vector<records::ProductRecord>& products) {
    std::string csv = base::CsvRecord(
        {"Code", "Description", "Sales Price", "Taxable", "Setup Date", "Last Changed", "Notes"});
    for (const records::ProductRecord& p : products) {
        if (base::Trim(p.description()).empty()) continue;
        csv += base::CsvRecord({Utf8(p.code()), Utf8(p.description()), Utf8(p.price()),
                                p.taxable() ? "Y" : "N", Utf8(p.setupDate()),
                                Utf8(p.lastChangedDate()), Utf8(p.notes())});
    }
    return csv;
}

}  // namespace

ListOutput ListProducts(ListRun& run) {
    ConsolePrompts prompts;
    products::ProductFile file(run.engine, run.company.code(), prompts);
    std::vector<records::ProductRecord> products;
    // A company without a product file yet has no products to list.
    if (file.file().OpenReadOnly()) {
        const engine::ErrorClass outcome = file.InKeyOrder(2, products);
        const int32_t error = run.engine.error();
        (void)file.Close();  // read only: nothing to write back
        if (outcome != engine::ErrorClass::None)
            return {false, "the product list stopped short: " + engine::ErrorText(outcome, error)};
    } else if (run.engine.error() != engine::err::kFileNotFound) {
        return {false, "company " + run.company.code() + " has no readable product file (" +
                           engine::ErrorText(run.engine.errorClass(), run.engine.error()) + ")"};
    }
    if (run.csv) return {true, ProductsCsv(products)};
    return {true, base::Win1252ToUtf8(
                      products::ProductListReport(run.company.name(), products, run.now))};
}

}  // namespace tool
