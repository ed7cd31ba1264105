#pragma once
// The program's record files, listed once. For each record type: the file it lives in, the
// caption the rebuild shows, its layout and keys (as the engine's file description), its field
// list, and what the find dialog lists and searches. The Rebuild Data Files command, company
// deletion, the find dialog and `kt-invorra-tool dump --fields` all work from this list, so a
// new record type is added here and nowhere else.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/RecordField.h"
#include "engine/FileDescription.h"

namespace records {

// In the order the Rebuild Data Files command rebuilds the files.
enum class RecordKind { Company, Customer, Invoice, InvoiceLine, InvoiceMemo, Product };

// What the find dialog shows for a record type: a caption per column, and a record's texts in
// those columns (Windows-1252), which are also the texts a find searches.
struct FindColumns {
    std::vector<std::string> captions;
    std::function<std::vector<std::string>(std::span<const std::byte> record)> texts;
};

struct RecordType {
    RecordKind kind;
    // A company's file is named by the company code and this letter ("12C"); 0 for the one
    // company file, "Company".
    char fileLetter;
    // Everything about the file but its name: the rebuild caption, record length, keys, key
    // builder, key orders and the notice shown before the file is created.
    engine::FileDescription file;
    const std::vector<base::FieldInfo>& (*fields)();
    FindColumns find;  // no captions: the find dialog does not search this file

    // The file block name: the code and letter cut to 8 characters ("12C"), or "Company" for the
    // company file, which needs no code.
    std::string FileName(std::string_view companyCode = {}) const;
    // The full description of the file of company `companyCode` (none for the company file).
    engine::FileDescription Describe(std::string_view companyCode = {}) const;
    const std::string& rebuildCaption() const { return file.statusCaption; }
    int recordLength() const { return file.recordLength; }
};

// Every record type, in rebuild order: "Companies", "Customers", "Invoices", "Detail Records",
// "Memo Records", "Products".
std::span<const RecordType> RecordTypes();
const RecordType& RecordTypeOf(RecordKind kind);

// The type of a company's file with this letter, in either case; null for a letter no file has.
const RecordType* CompanyFileType(char letter);

// A company's own files in the order they go when the company is deleted: P, C, D, I, M.
std::vector<const RecordType*> CompanyFilesInDeletionOrder();

}  // namespace records
