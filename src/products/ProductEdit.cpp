#include "products/ProductEdit.h"

#include "base/Decimal.h"
#include "base/Text.h"
#include "base/Windows1252.h"

namespace products {
namespace {

std::string TypedPrice(const records::ProductRecord& product) {
    return base::RemoveCommas(base::Trim(product.price()));
}

}  // namespace

std::string SameCodeForm(std::string_view code) {
    return base::Win1252Upper(base::Trim(code));
}

std::optional<ProductFailure> CheckProduct(const records::ProductRecord& product,
                                           const EditedCode& edited, const ProductLookup& lookup) {
    const std::string code = SameCodeForm(product.code());
    if (code.empty())
        return ProductFailure{"Product Code", "You need to enter a product code.", "PNum"};
    if (base::Trim(product.description()).empty()) {
        return ProductFailure{"Product Description",
                              "You need to enter a product description or name.", "PDesc"};
    }
    const auto found = lookup(product.code());
    if (found && SameCodeForm(found->code()) == code &&
        (!edited || SameCodeForm(*edited) != code)) {
        return ProductFailure{"Product Code",
                              "This Product Code already exists for: " +
                                  base::Trim(found->description()) + ". Use a different code.",
                              "PNum"};
    }
    const std::string price = TypedPrice(product);
    if (!price.empty() && !base::Decimal::Parse(price))
        return ProductFailure{"Sales Price", "The SALES PRICE amount has an invalid value.",
                              "PSell"};
    return std::nullopt;
}

void NormaliseProduct(records::ProductRecord& product, bool adding, std::string_view todayText) {
    const std::string price = TypedPrice(product);
    product.setPrice(price.empty() ? "0.00" : price);
    if (adding) {
        product.setSetupDate(todayText);
    } else {
        product.setLastChangedDate(todayText);
    }
}

}  // namespace products
