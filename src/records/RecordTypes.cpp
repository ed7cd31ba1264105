#include "records/RecordTypes.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "base/Text.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"
#include "records/InvoiceLineRecord.h"
#include "records/InvoiceMemoRecord.h"
#include "records/InvoiceRecord.h"
#include "records/ProductRecord.h"

namespace records {

namespace {

constexpr char kCompanyFileName[] = "Company";
constexpr int kMaxFileNameLength = 8;

template <typename Record>
struct FindColumn {
    const char* caption;
    std::string (Record::*text)() const;
};

template <typename Record>
FindColumns FindBy(std::vector<FindColumn<Record>> columns) {
    FindColumns find;
    for (const FindColumn<Record>& column : columns) find.captions.push_back(column.caption);
    find.texts = [columns = std::move(columns)](std::span<const std::byte> bytes) {
        Record record;
        record.Assign(bytes);
        std::vector<std::string> texts;
        for (const FindColumn<Record>& column : columns) texts.push_back((record.*column.text)());
        return texts;
    };
    return find;
}

// A record type whose file description comes from the record's own size and key table.
template <typename Record>
RecordType TypeOf(RecordKind kind, char fileLetter, const char* rebuildCaption,
                  const char* creationNotice, FindColumns find = {}) {
    const KeyTable<Record>& keys = Record::Keys();
    engine::FileDescription file;
    file.statusCaption = rebuildCaption;
    file.recordLength = Record::kSize;
    file.keys = keys.Descriptors();
    file.buildKey = &base::BuildKeyOf<Record>;
    file.addOrder = keys.addOrder;
    file.updateOrder = keys.updateOrder;
    file.creationNotice = creationNotice;
    return RecordType{kind, fileLetter, std::move(file), &Record::Fields, std::move(find)};
}

const std::vector<RecordType>& Registry() {
    static const std::vector<RecordType> types = {
        TypeOf<CompanyRecord>(
            RecordKind::Company, 0, "Companies", "I am going to create a new, empty company file.",
            FindBy<CompanyRecord>({{"Company Name", &CompanyRecord::name},
                                   {"Number", &CompanyRecord::number},
                                   {"Address Line 1", &CompanyRecord::address1},
                                   {"Address Line 2", &CompanyRecord::address2},
                                   {"Address Line 3", &CompanyRecord::address3},
                                   {"Address Line 4", &CompanyRecord::address4}})),
        TypeOf<CustomerRecord>(
            RecordKind::Customer, 'C', "Customers",
            "I am going to create a new, empty customer file for this company.",
            FindBy<CustomerRecord>({{"Customer Name", &CustomerRecord::name},
                                    {"Number", &CustomerRecord::number},
                                    {"Phone Number", &CustomerRecord::phone1},
                                    {"Address Line 1", &CustomerRecord::billing1},
                                    {"Address Line 2", &CustomerRecord::billing2},
                                    {"Address Line 3", &CustomerRecord::billing3},
                                    {"Address Line 4", &CustomerRecord::billing4}})),
        TypeOf<InvoiceRecord>(
            RecordKind::Invoice, 'I', "Invoices",
            "I am going to create a new, empty invoice file for this company.",
            FindBy<InvoiceRecord>({{"Year/Mo/Dy", &InvoiceRecord::sortDate},
                                   {"Invoice#", &InvoiceRecord::invoiceNumber},
                                   {"Customer#", &InvoiceRecord::customerNumber},
                                   {"Key Code", &InvoiceRecord::keyCode},
                                   {"Short Name", &InvoiceRecord::shortName},
                                   {"Statement Note", &InvoiceRecord::statementNote},
                                   {"Reference/Notes/Comments", &InvoiceRecord::notes}})),
        TypeOf<InvoiceLineRecord>(RecordKind::InvoiceLine, 'D', "Detail Records", ""),
        TypeOf<InvoiceMemoRecord>(RecordKind::InvoiceMemo, 'M', "Memo Records", ""),
        TypeOf<ProductRecord>(RecordKind::Product, 'P', "Products",
                              "I am going to create a new, empty product file for this company.",
                              FindBy<ProductRecord>({{"Product#", &ProductRecord::code},
                                                     {"Description", &ProductRecord::description},
                                                     {"Unit Price", &ProductRecord::price}})),
    };
    return types;
}

}  // namespace

std::string RecordType::FileName(std::string_view companyCode) const {
    if (fileLetter == 0) return kCompanyFileName;
    return base::CutTo(std::string(companyCode) + fileLetter, kMaxFileNameLength);
}

engine::FileDescription RecordType::Describe(std::string_view companyCode) const {
    engine::FileDescription described = file;
    described.name = FileName(companyCode);
    return described;
}

std::span<const RecordType> RecordTypes() {
    return Registry();
}

const RecordType& RecordTypeOf(RecordKind kind) {
    const std::vector<RecordType>& types = Registry();
    return *std::find_if(types.begin(), types.end(),
                         [kind](const RecordType& type) { return type.kind == kind; });
}

const RecordType* CompanyFileType(char letter) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const RecordType& type : Registry())
        if (type.fileLetter != 0 && type.fileLetter == upper) return &type;
    return nullptr;
}

std::vector<const RecordType*> CompanyFilesInDeletionOrder() {
    std::vector<const RecordType*> files;
    for (RecordKind kind : {RecordKind::Product, RecordKind::Customer, RecordKind::InvoiceLine,
                            RecordKind::Invoice, RecordKind::InvoiceMemo})
        files.push_back(&RecordTypeOf(kind));
    return files;
}

}  // namespace records
