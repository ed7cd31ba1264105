#include "widgets/FindSearch.h"

#include <algorithm>
#include <optional>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceRecord.h"
#include "records/ProductRecord.h"

namespace widgets {

namespace {

constexpr size_t kSearchLength = 10;

// The texts of one record (Windows-1252): its columns, and its searched fields in the order they
// are tried.
struct RecordTexts {
    std::vector<std::string> columns;
    std::vector<std::string> searched;
};

RecordTexts CustomerTexts(std::span<const std::byte> bytes) {
    records::CustomerRecord r;
    r.Assign(bytes);
    return {
        {r.name(), r.number(), r.phone1(), r.billing1(), r.billing2(), r.billing3(), r.billing4()},
        {r.number(), r.name(), r.phone1(), r.billing1(), r.billing2(), r.billing3(), r.billing4()}};
}

RecordTexts CompanyTexts(std::span<const std::byte> bytes) {
    records::CompanyRecord r;
    r.Assign(bytes);
    return {{r.name(), r.number(), r.address1(), r.address2(), r.address3(), r.address4()},
            {r.name(), r.number(), r.address1(), r.address2(), r.address3(), r.address4()}};
}

RecordTexts ProductTexts(std::span<const std::byte> bytes) {
    records::ProductRecord r;
    r.Assign(bytes);
    return {{r.code(), r.description(), r.price()}, {r.code(), r.description(), r.price()}};
}

RecordTexts InvoiceTexts(std::span<const std::byte> bytes) {
    records::InvoiceRecord r;
    r.Assign(bytes);
    return {{r.sortDate(), r.invoiceNumber(), r.customerNumber(), r.keyCode(), r.shortName(),
             r.statementNote(), r.notes()},
            {r.customerNumber(), r.sortDate(), r.statementNote(), r.notes(), r.invoiceNumber(),
             r.keyCode(), r.shortName()}};
}

RecordTexts TextsOf(FindMode mode, std::span<const std::byte> bytes) {
    switch (mode) {
        case FindMode::Cust:
            return CustomerTexts(bytes);
        case FindMode::Comp:
            return CompanyTexts(bytes);
        case FindMode::Prod:
            return ProductTexts(bytes);
        case FindMode::Inv:
            return InvoiceTexts(bytes);
    }
    return {};
}

int RecordSize(FindMode mode) {
    switch (mode) {
        case FindMode::Cust:
            return records::CustomerRecord::kSize;
        case FindMode::Comp:
            return records::CompanyRecord::kSize;
        case FindMode::Prod:
            return records::ProductRecord::kSize;
        case FindMode::Inv:
            return records::InvoiceRecord::kSize;
    }
    return 0;
}

}  // namespace

std::vector<std::string> FindColumns(FindMode mode) {
    switch (mode) {
        case FindMode::Cust:
            return {"Customer Name",  "Number",         "Phone Number",  "Address Line 1",
                    "Address Line 2", "Address Line 3", "Address Line 4"};
        case FindMode::Comp:
            return {"Company Name",   "Number",         "Address Line 1",
                    "Address Line 2", "Address Line 3", "Address Line 4"};
        case FindMode::Prod:
            return {"Product#", "Description", "Unit Price"};
        case FindMode::Inv:
            return {"Year/Mo/Dy",
                    "Invoice#",
                    "Customer#",
                    "Key Code",
                    "Short Name",
                    "Statement Note",
                    "Reference/Notes/Comments"};
    }
    return {};
}

std::string FindSearchText(std::string_view typedUtf8) {
    const std::optional<std::string> text = base::Utf8ToWin1252(base::Trim(typedUtf8));
    if (!text) return {};
    return base::Win1252Upper(text->substr(0, kSearchLength));
}

FindResult SearchRecords(engine::Engine& engine, engine::FileBlockHandle fb, FindMode mode,
                         const std::string& searchText) {
    FindResult result;
    if (searchText.empty()) return result;
    // A buffer of the larger of the file's and the layout's length: a short record reads as zeros.
    std::vector<std::byte> record(
        static_cast<size_t>(std::max(engine.RecordLength(fb), RecordSize(mode))));
    int32_t n = 0;
    for (;;) {
        engine.NextUsedRecord(fb, n);
        if (!engine.ok()) break;
        engine.GetRecord(fb, n, record);
        if (!engine.ok()) break;
        const RecordTexts texts = TextsOf(mode, record);
        const bool matches =
            std::any_of(texts.searched.begin(), texts.searched.end(), [&](const std::string& f) {
                return base::Win1252Upper(f).find(searchText) != std::string::npos;
            });
        if (!matches) continue;
        std::vector<std::string> item;
        for (const std::string& column : texts.columns) item.push_back(base::Win1252ToUtf8(column));
        result.items.push_back(std::move(item));
    }
    if (engine.error() != engine::err::kNoLiveRecord) {
        result.errorClass = engine.errorClass();
        result.error = engine.error();
    }
    return result;
}

}  // namespace widgets
