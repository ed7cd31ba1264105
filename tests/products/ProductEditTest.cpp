#include "products/ProductEdit.h"

#include <gtest/gtest.h>

#include "products/ProductTexts.h"

namespace products {
namespace {

using records::ProductRecord;

ProductRecord Product(const std::string& code, const std::string& description,
                      const std::string& price = "") {
    ProductRecord p;
    p.setCode(code);
    p.setDescription(description);
    p.setPrice(price);
    return p;
}

TEST(ProductEdit, ChecksRunInOrderAndCodesDifferingInCaseCollide) {
    const ProductLookup lookup = [](const std::string& code) -> std::optional<ProductRecord> {
        if (Product(code, "").key(1) <= Product("abc", "").key(1)) return Product("abc", "Anvil");
        return std::nullopt;
    };
    struct Case {
        ProductRecord product;
        EditedCode edited;
        std::string text;  // empty: passes
    };
    const std::vector<Case> cases = {
        {Product(" ", "Anvil"), {}, "You need to enter a product code."},
        {Product("X1", " "), {}, "You need to enter a product description or name."},
        {Product("ABC", "Another"),
         {},
         "This Product Code already exists for: Anvil. Use a different code."},
        {Product("ABC", "Anvil"), EditedCode("abc"), ""},
        {Product("ABC", "Anvil"), EditedCode("X1"),
         "This Product Code already exists for: Anvil. Use a different code."},
        {Product("AB", "Anvil"), {}, ""},  // the first key after it is another product
        {Product("X1", "Anvil", "1,234.50"), {}, ""},
        {Product("X1", "Anvil", "twelve"), {}, "The SALES PRICE amount has an invalid value."},
    };
    for (const Case& c : cases) {
        const auto failure = CheckProduct(c.product, c.edited, lookup);
        EXPECT_EQ(failure ? failure->text : "", c.text) << c.product.code();
    }

    ProductRecord p = Product("X1", "Anvil", " 1,234.50");
    NormaliseProduct(p, true, "12/06/2026");
    EXPECT_EQ(p.price(), "1234.50");
    EXPECT_EQ(p.setupDate(), "12/06/2026");
    p.setPrice("");
    NormaliseProduct(p, false, "12/07/2026");
    EXPECT_EQ(p.price(), "0.00");
    EXPECT_EQ(p.setupDate(), "12/06/2026");
    EXPECT_EQ(p.lastChangedDate(), "12/07/2026");
}

TEST(ProductTexts, RowsAndTheListLeaveOutProductsWithoutDescription) {
    ProductRecord p = Product("W-1", "  Widget", "1234.5");
    p.setSetupDate("12/06/2026");
    p.setTaxable(true);
    EXPECT_EQ(ProductBrowserRow(p),
              "W-1        Widget                               1,234.50 12/06/2026");
    EXPECT_EQ(ProductBrowserHeader(),
              "Code       Description                       Sales Price Setup Date");
    const std::string list =
        ProductListReport("Acme", {p, Product("Z", " ")}, {{2026, 12, 6}, 9, 0, 0});
    EXPECT_NE(list.find("Code: W-1           Price: 1,234.50    \r\n"), std::string::npos);
    EXPECT_NE(list.find("   Taxed: Y\r\n"), std::string::npos);
    EXPECT_EQ(list.find("Code: Z"), std::string::npos);
}

}  // namespace
}  // namespace products
