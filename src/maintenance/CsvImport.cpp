#include "maintenance/CsvImport.h"

#include <map>
#include <optional>

#include "base/CsvReader.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "customers/CustomerEdit.h"
#include "engine/Errors.h"
#include "engine/RecordFile.h"
#include "maintenance/CsvColumns.h"
#include "products/ProductEdit.h"
#include "products/ProductFile.h"
#include "receivables/Posting.h"
#include "records/RecordTypes.h"

namespace maintenance {
namespace {

using records::CustomerRecord;
using records::ProductRecord;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int follow = byte < 0x80         ? 0
                           : (byte >> 5) == 6  ? 1
                           : (byte >> 4) == 14 ? 2
                           : (byte >> 3) == 30 ? 3
                                               : -1;
        if (follow < 0 || i + follow >= text.size() + (follow == 0 ? 1 : 0)) return false;
        for (int k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += follow + 1;
    }
    return true;
}

std::string Folded(std::string_view text) {
    return base::Win1252Upper(base::Trim(text));
}

// The records of one kind already known: those on file and the rows accepted so far.
template <typename R>
struct Known {
    std::map<std::string, R> byKey;   // number or code, folded
    std::map<std::string, R> byName;  // customers only: name, folded
};

void Remember(Known<CustomerRecord>& known, const CustomerRecord& c) {
    known.byKey.emplace(customers::SameNumberForm(c.number()), c);
    known.byName.emplace(customers::SameNumberForm(c.name()), c);
}
void Remember(Known<ProductRecord>& known, const ProductRecord& p) {
    known.byKey.emplace(products::SameCodeForm(p.code()), p);
}

template <typename R>
std::optional<R> Lookup(const std::map<std::string, R>& map, const std::string& folded) {
    const auto it = map.find(folded);
    if (it == map.end()) return std::nullopt;
    return it->second;
}

// The dialog's checks of one row; the reason when refused. An accepted row is normalised as OK
// writes it.
std::optional<std::string> Check(CustomerRecord& c, Known<CustomerRecord>& known,
                                 const company::ProgramState&) {
    const customers::CustomerLookup lookup{
        [&](const std::string& number) {
            return Lookup(known.byKey, customers::SameNumberForm(number));
        },
        [&](const std::string& name) {
            return Lookup(known.byName, customers::SameNumberForm(name));
        }};
    if (auto failure = customers::CheckCustomer(c, std::nullopt, lookup)) return failure->text;
    customers::NormaliseCustomer(c, true);
    return std::nullopt;
}
std::optional<std::string> Check(ProductRecord& p, Known<ProductRecord>& known,
                                 const company::ProgramState& state) {
    const auto lookup = [&](const std::string& code) {
        return Lookup(known.byKey, products::SameCodeForm(code));
    };
    if (auto failure = products::CheckProduct(p, std::nullopt, lookup)) return failure->text;
    products::NormaliseProduct(p, true, state.todayText);
    return std::nullopt;
}

CustomerRecord Blank(const company::ProgramState& state, const CustomerRecord*) {
    return customers::NewCustomer(state.currentCompany);
}
ProductRecord Blank(const company::ProgramState&, const ProductRecord*) {
    return ProductRecord{};
}

const std::vector<CsvColumn<CustomerRecord>>& Columns(const CustomerRecord*) {
    return CustomerColumns();
}
const std::vector<CsvColumn<ProductRecord>>& Columns(const ProductRecord*) {
    return ProductColumns();
}

// The rows of the file turned into records and checked.
template <typename R>
class RowCheck {
public:
    RowCheck(const company::ProgramState& state, std::string_view text) : state_(state) {
        if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
        utf8_ = IsUtf8(text);
        csv_ = base::ReadCsv(text);
    }

    // Maps the header; the reason when the file cannot be read as a whole.
    std::string ReadHeader() {
        if (!csv_.error.empty())
            return "Line " + std::to_string(csv_.errorLine) + ": " + csv_.error + ".";
        if (csv_.rows.empty()) return "The file holds no header row.";
        const auto& columns = Columns(static_cast<const R*>(nullptr));
        for (const std::string& name : csv_.rows.front().fields) {
            const auto it = std::find_if(columns.begin(), columns.end(), [&](const auto& column) {
                return base::Win1252Upper(column.name) == Folded(name);
            });
            if (it == columns.end()) return "The column \"" + base::Trim(name) + "\" is not known.";
            if (std::find(mapped_.begin(), mapped_.end(), &*it) != mapped_.end())
                return "The column \"" + base::Trim(name) + "\" is named twice.";
            mapped_.push_back(&*it);
        }
        for (const auto& required : {columns[0].name, columns[1].name})
            if (std::none_of(mapped_.begin(), mapped_.end(),
                             [&](const auto* column) { return column->name == required; }))
                return "The column \"" + std::string(required) + "\" is missing.";
        return "";
    }

    // Every row after the header, checked against `known` and the rows above it.
    std::vector<R> CheckRows(Known<R>& known, std::vector<RefusedRow>& refused) {
        std::vector<R> accepted;
        for (size_t i = 1; i < csv_.rows.size(); ++i) {
            const base::CsvRow& row = csv_.rows[i];
            R record = Blank(state_, static_cast<const R*>(nullptr));
            std::optional<std::string> reason = Fill(row, record);
            if (!reason) reason = Check(record, known, state_);
            if (reason) {
                refused.push_back({row.line, *reason});
                continue;
            }
            Remember(known, record);
            accepted.push_back(record);
        }
        return accepted;
    }

    int rows() const { return csv_.rows.empty() ? 0 : static_cast<int>(csv_.rows.size()) - 1; }

private:
    std::optional<std::string> Fill(const base::CsvRow& row, R& record) const {
        if (row.fields.size() != mapped_.size())
            return "the row has " + std::to_string(row.fields.size()) + " fields, the header " +
                   std::to_string(mapped_.size());
        for (size_t i = 0; i < mapped_.size(); ++i) {
            if (!mapped_[i]->set) continue;
            const std::optional<std::string> text =
                utf8_ ? base::Utf8ToWin1252(row.fields[i]) : row.fields[i];
            if (!text)
                return std::string(mapped_[i]->name) + " holds a character that cannot be stored";
            if (auto reason = mapped_[i]->set(record, *text)) return reason;
        }
        return std::nullopt;
    }

    const company::ProgramState& state_;
    bool utf8_ = false;
    base::CsvText csv_;
    std::vector<const CsvColumn<R>*> mapped_;
};

template <typename R>
bool ReadKnown(engine::RecordFile<R>& file, Known<R>& known) {
    return file.ForEachRecord([&](int32_t, const R& record) { Remember(known, record); });
}

engine::FileDescription Description(const CustomerRecord*, const std::string& code) {
    return records::RecordTypeOf(records::RecordKind::Customer).Describe(code);
}
engine::FileDescription Description(const ProductRecord*, const std::string& code) {
    return records::RecordTypeOf(records::RecordKind::Product).Describe(code);
}

template <typename R>
CsvImportOutcome Run(engine::Engine& engine, base::PromptService& prompts,
                     company::ProgramState& state, const base::Clock& clock, std::string_view text,
                     bool dryRun) {
    CsvImportOutcome outcome;
    RowCheck<R> rows(state, text);
    outcome.failure = rows.ReadHeader();
    outcome.rows = rows.rows();
    if (!outcome.failure.empty()) return outcome;
    Known<R> known;
    const std::string code = state.currentCompany.code();
    const R* kind = nullptr;
    if (dryRun) {
        engine::RecordFile<R> file(engine, Description(kind, code), prompts);
        if (file.OpenReadOnly()) {
            const bool read = ReadKnown(file, known);
            (void)file.Close();  // read only
            if (!read) outcome.failure = "The records on file could not be read.";
        } else if (engine.error() != engine::err::kFileNotFound) {
            outcome.failure = "The records on file could not be read.";
        }
        if (outcome.failure.empty()) rows.CheckRows(known, outcome.refused);
        return outcome;
    }
    // The product file outlives the posting that closes it.
    std::optional<engine::RecordFile<R>> own;
    receivables::Posting posting(engine, prompts, state, clock);
    engine::RecordFile<R>* file = nullptr;
    if constexpr (std::is_same_v<R, CustomerRecord>) {
        file = &posting.customers();
    } else {
        own.emplace(engine, Description(kind, code), prompts);
        file = &*own;
    }
    std::vector<engine::BlockFile*> others;
    if (own) others.push_back(&own->block());
    if (!posting.Begin("importing " + std::to_string(outcome.rows) + " rows", others)) {
        outcome.failure = "The files could not be opened.";
        return outcome;
    }
    if (!ReadKnown(*file, known)) {
        outcome.failure = "The records on file could not be read.";
        return outcome;
    }
    const std::vector<R> accepted = rows.CheckRows(known, outcome.refused);
    if (!outcome.refused.empty()) return outcome;
    for (const R& record : accepted)
        if (!receivables::AddRecord(posting.log(), "Add operation failed", *file, record)) {
            outcome.failure = "The records could not be added; nothing was imported.";
            return outcome;
        }
    if constexpr (std::is_same_v<R, CustomerRecord>) {
        if (!accepted.empty() && !posting.ChangeCompany([&](records::CompanyRecord& company) {
                company.setNextCustomerNumber(customers::NextCustomerNumber(
                    accepted.back().number(), company.nextCustomerNumber()));
                return true;
            })) {
            outcome.failure = "The company record could not be written; nothing was imported.";
            return outcome;
        }
    }
    if (!posting.Commit()) {
        outcome.failure = "The records could not be written; nothing was imported.";
        return outcome;
    }
    outcome.imported = static_cast<int>(accepted.size());
    return outcome;
}

}  // namespace

CsvImportOutcome ImportCsv(engine::Engine& engine, base::PromptService& prompts,
                           company::ProgramState& state, const base::Clock& clock,
                           CsvImportKind kind, std::string_view text, bool dryRun) {
    return kind == CsvImportKind::Customers
               ? Run<CustomerRecord>(engine, prompts, state, clock, text, dryRun)
               : Run<ProductRecord>(engine, prompts, state, clock, text, dryRun);
}

}  // namespace maintenance
