#include "maintenance/CsvColumns.h"

#include <algorithm>
#include <cstring>

#include "base/Text.h"

namespace maintenance {
namespace {

using records::CustomerRecord;
using records::ProductRecord;

template <typename R>
int FieldSize(const char* getter) {
    const auto& fields = R::Fields();
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const base::FieldInfo& f) {
        return std::strcmp(f.name, getter) == 0;
    });
    return it->size;
}

// A text column bound to the record's field `getter` through `set`.
template <typename R>
CsvColumn<R> Text(std::string_view name, const char* getter, void (R::*set)(std::string_view)) {
    const int size = FieldSize<R>(getter);
    return {name,
            [set, size, name](R& record, const std::string& text) -> std::optional<std::string> {
                const std::string trimmed = base::Trim(text);
                if (static_cast<int>(trimmed.size()) > size)
                    return std::string(name) + " is longer than " + std::to_string(size) +
                           " characters";
                (record.*set)(trimmed);
                return std::nullopt;
            }};
}

// A "Y" or "N" column (any case; empty is "N").
template <typename R>
CsvColumn<R> Flag(std::string_view name, void (R::*set)(bool)) {
    return {name, [set, name](R& record, const std::string& text) -> std::optional<std::string> {
                const std::string flag = base::Trim(text);
                if (flag != "Y" && flag != "y" && flag != "N" && flag != "n" && !flag.empty())
                    return std::string(name) + " must be Y or N";
                (record.*set)(flag == "Y" || flag == "y");
                return std::nullopt;
            }};
}

template <typename R>
CsvColumn<R> Ignored(std::string_view name) {
    return {name, {}};
}

}  // namespace

const std::vector<CsvColumn<CustomerRecord>>& CustomerColumns() {
    using C = CustomerRecord;
    static const std::vector<CsvColumn<C>> columns = {
        Text<C>("Number", "number", &C::setNumber),
        Text<C>("Name", "name", &C::setName),
        Text<C>("Short Name", "shortName", &C::setShortName),
        Text<C>("Type", "customerType", &C::setCustomerType),
        Ignored<C>("Balance"),
        Text<C>("Credit Limit", "creditLimit", &C::setCreditLimit),
        Text<C>("Terms", "terms", &C::setTerms),
        Text<C>("Tax Exempt", "taxExempt", &C::setTaxExempt),
        Text<C>("Phone1", "phone1", &C::setPhone1),
        Text<C>("Phone2", "phone2", &C::setPhone2),
        Text<C>("E-Mail", "email", &C::setEmail),
        Flag<C>("Credit Hold", &C::setCreditHold),
        Ignored<C>("Last Pmt"),
        Ignored<C>("Last Invoice"),
        Text<C>("Billing 1", "billing1", &C::setBilling1),
        Text<C>("Billing 2", "billing2", &C::setBilling2),
        Text<C>("Billing 3", "billing3", &C::setBilling3),
        Text<C>("Billing 4", "billing4", &C::setBilling4),
        Text<C>("Shipping 1", "shipping1", &C::setShipping1),
        Text<C>("Shipping 2", "shipping2", &C::setShipping2),
        Text<C>("Shipping 3", "shipping3", &C::setShipping3),
        Text<C>("Shipping 4", "shipping4", &C::setShipping4),
    };
    return columns;
}

const std::vector<CsvColumn<ProductRecord>>& ProductColumns() {
    using P = ProductRecord;
    static const std::vector<CsvColumn<P>> columns = {
        Text<P>("Code", "code", &P::setCode),
        Text<P>("Description", "description", &P::setDescription),
        Text<P>("Sales Price", "price", &P::setPrice),
        Flag<P>("Taxable", &P::setTaxable),
        Ignored<P>("Setup Date"),
        Ignored<P>("Last Changed"),
        Text<P>("Notes", "notes", &P::setNotes),
    };
    return columns;
}

}  // namespace maintenance
