#pragma once
// The rules of the product dialog as plain logic: the checks of "&Ok" in their order and the
// values written on OK.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "records/ProductRecord.h"

namespace products {

struct ProductFailure {
    std::string caption;
    std::string text;
    std::string control;  // objectName: PNum, PDesc, PSell
};

// The product whose key 1 is the first at or after the one built from `code`, or nothing when
// the search finds none.
using ProductLookup = std::function<std::optional<records::ProductRecord>(const std::string& code)>;

// Who is being edited: nothing while adding, else the stored code of the product.
using EditedCode = std::optional<std::string>;

// A code as products compare codes: trimmed and upper-cased.
std::string SameCodeForm(std::string_view code);

// The checks of "&Ok" in their order; the first failure ends them. Codes are compared trimmed and
// upper-cased ("abc" and "ABC" are one product). A price must be a number (commas allowed); an
// empty price is "0.00".
std::optional<ProductFailure> CheckProduct(const records::ProductRecord& product,
                                           const EditedCode& edited, const ProductLookup& lookup);

// What OK writes besides the typed texts: the price without commas ("0.00" when empty), and the
// setup date (a new product) or the last changed date (an edited one) as `todayText`.
void NormaliseProduct(records::ProductRecord& product, bool adding, std::string_view todayText);

}  // namespace products
