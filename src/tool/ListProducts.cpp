// list products: the product list report by description, or its products as CSV.

#include "base/Windows1252.h"
#include "engine/Errors.h"
#include "products/ProductFile.h"
#include "products/ProductTexts.h"
#include "tool/ConsolePrompts.h"
#include "tool/ListCommand.h"

namespace tool {

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
    return {true, base::Win1252ToUtf8(run.csv ? products::ProductListCsv(products)
                                              : products::ProductListReport(run.company.name(),
                                                                            products, run.now))};
}

}  // namespace tool
