#include "statements/Report.h"

namespace statements {

ReportCell AmountCell(base::Decimal value, CellKind kind) {
    return {value.Format(kind == CellKind::Quantity ? ",0.000" : ",0.00"), value};
}

ReportCell CountCell(long long count, std::string_view suffix) {
    return {std::to_string(count) + std::string(suffix), base::Decimal::FromInteger(count)};
}

ReportCell TextCell(std::string text) {
    return {std::move(text), std::nullopt};
}

}  // namespace statements
