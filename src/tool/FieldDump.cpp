// dump NAME --fields: prints every live record of one of the program's files field by field,
// with field names. The record type is found by the name, in any letter case: "Company" is the
// company file, a company code followed by C, P, I, D or M one of that company's files. The
// block is opened read-only.

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "base/RecordField.h"
#include "base/Windows1252.h"
#include "engine/Engine.h"
#include "records/FontSpec.h"
#include "records/RecordTypes.h"
#include "tool/Commands.h"

namespace tool {
namespace {

using records::RecordType;

bool SameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The record type of a file block name, with the name rewritten the way the program names the
// file ("company" becomes "Company", "12c" becomes "12C"); null for a file the program does not
// know.
const RecordType* TypeOfFile(std::string& name) {
    const RecordType& companies = records::RecordTypeOf(records::RecordKind::Company);
    if (SameLetters(name, companies.FileName())) {
        name = companies.FileName();
        return &companies;
    }
    if (name.size() < 2 || name.size() > 6) return nullptr;
    for (std::size_t i = 0; i + 1 < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return nullptr;
    const RecordType* type = records::CompanyFileType(name.back());
    if (type) name = type->FileName(name.substr(0, name.size() - 1));
    return type;
}

// A record text in double quotes, as UTF-8, with quotes, backslashes and control bytes escaped.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 32 || byte == 127) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += base::Win1252ToUtf8(std::string(1, c));
        }
    }
    return out + "\"";
}

std::string FontText(const records::FontSpec& font) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, ", %d pt, colour 0x%06x", font.size, font.color);
    std::string out = Quoted(font.name) + numbers;
    for (const auto& [bit, word] : {std::pair{records::kBold, " bold"},
                                    {records::kItalic, " italic"},
                                    {records::kUnderline, " underline"},
                                    {records::kStrikeOut, " strike-out"}})
        if (font.style & bit) out += word;
    return out;
}

std::string FieldText(const uint8_t* record, const base::FieldInfo& field) {
    switch (field.kind) {
        case base::FieldKind::Flag:
            return std::to_string(record[field.offset]);
        case base::FieldKind::Font:
            return FontText(records::ReadFont(record, field.offset, field.size));
        case base::FieldKind::Text:
        case base::FieldKind::YesNo:
        case base::FieldKind::Money:
            break;
    }
    return Quoted(base::ReadText(record, field.offset, field.size));
}

}  // namespace

int DumpFields(const Args& args) {
    std::string name;
    for (const std::string& arg : args)
        if (arg != "--fields") name = name.empty() ? arg : "";
    const RecordType* type = TypeOfFile(name);
    if (args.size() != 2 || !type) {
        std::fputs(
            "usage: kt-invorra-tool dump NAME --fields\n"
            "  NAME is \"Company\" or a company code followed by C, P, I, D or M\n",
            stderr);
        return 2;
    }
    engine::Engine engine;
    engine.InitEngine(0, 30);
    engine::FileBlockHandle fb = nullptr;
    engine.OpenFileBlock(fb, name, {.readOnly = true});
    if (!engine.ok()) {
        std::fprintf(stderr, "%s: err %d\n", name.c_str(), engine.error());
        return 1;
    }
    if (engine.RecordLength(fb) != type->recordLength()) {
        std::fprintf(stderr, "%s: records of %d bytes, expected %d\n", name.c_str(),
                     engine.RecordLength(fb), type->recordLength());
        engine.CloseFileBlock(fb);
        return 1;
    }
    std::vector<uint8_t> record(type->recordLength());
    for (int32_t recordNumber = 0;;) {
        engine.NextUsedRecord(fb, recordNumber);
        if (!engine.ok()) break;
        engine.GetRecord(fb, recordNumber, std::as_writable_bytes(std::span(record)));
        if (!engine.ok()) break;
        std::printf("record %d\n", recordNumber);
        for (const base::FieldInfo& field : type->fields())
            std::printf("  %s: %s\n", field.name, FieldText(record.data(), field).c_str());
    }
    // The scan ends with "no further live record"; anything else is a damaged file.
    const bool complete = engine.errorClass() == engine::ErrorClass::Expected;
    const int32_t error = engine.error();
    engine.CloseFileBlock(fb);
    if (!complete) {
        std::fprintf(stderr, "%s: err %d\n", name.c_str(), error);
        return 1;
    }
    return 0;
}

}  // namespace tool
