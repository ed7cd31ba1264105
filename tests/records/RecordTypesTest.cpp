#include "records/RecordTypes.h"

#include <gtest/gtest.h>

#include "records/InvoiceRecord.h"

namespace records {
namespace {

TEST(RecordTypes, RebuildOrderDescribesEveryFileOfTheCompany) {
    struct Expected {
        const char* name;
        const char* caption;
        int recordLength;
        std::vector<std::pair<int, bool>> keys;
        bool notice;
    };
    const std::vector<Expected> expected = {
        {"Company", "Companies", 2736, {{5, false}, {30, true}}, true},
        {"12C", "Customers", 1008, {{30, false}, {8, true}}, true},
        {"12I",
         "Invoices",
         360,
         {{9, true}, {8, true}, {10, true}, {10, true}, {10, true}, {10, true}},
         true},
        {"12D", "Detail Records", 132, {{10, true}, {9, true}}, false},
        {"12M", "Memo Records", 1892, {{9, false}}, false},
        {"12P", "Products", 300, {{10, false}, {30, true}}, true},
    };
    ASSERT_EQ(RecordTypes().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const engine::FileDescription file = RecordTypes()[i].Describe("12");
        SCOPED_TRACE(file.name);
        EXPECT_EQ(file.name, expected[i].name);
        EXPECT_EQ(file.statusCaption, expected[i].caption);
        EXPECT_EQ(file.recordLength, expected[i].recordLength);
        std::vector<std::pair<int, bool>> keys;
        for (const engine::KeyDescriptor& key : file.keys)
            keys.emplace_back(key.length, key.duplicates);
        EXPECT_EQ(keys, expected[i].keys);
        EXPECT_EQ(file.creationNotice.empty(), !expected[i].notice);
    }
    const engine::FileDescription invoices = RecordTypeOf(RecordKind::Invoice).Describe("12");
    EXPECT_EQ(invoices.addOrder, (std::vector<int>{1, 2, 3, 4, 6, 5}));
    EXPECT_EQ(invoices.updateOrder, (std::vector<int>{1, 3, 4, 5, 6, 2}));
}

TEST(RecordTypes, EveryKeyFillsItsIndexEntryExceptTheRoomyInvoiceKeyCode) {
    for (const RecordType& type : RecordTypes()) {
        SCOPED_TRACE(type.rebuildCaption());
        const std::vector<std::byte> empty(type.recordLength());
        for (int k = 1; k <= type.file.keyCount(); ++k) {
            const bool roomy = type.kind == RecordKind::Invoice && k == 4;
            EXPECT_EQ(type.file.buildKey(empty, k).size() + (roomy ? 2 : 0),
                      type.file.keys[k - 1].length)
                << "key " << k;
        }
        EXPECT_EQ(type.file.buildKey(empty, type.file.keyCount() + 1), "");
        std::vector<int> sorted = type.file.addOrder;
        std::sort(sorted.begin(), sorted.end());
        for (int k = 1; k <= type.file.keyCount(); ++k) EXPECT_EQ(sorted[k - 1], k);
    }
}

TEST(RecordTypes, KindsLettersAndFileNamesFindTheSameTypes) {
    for (const RecordType& type : RecordTypes()) EXPECT_EQ(RecordTypeOf(type.kind).kind, type.kind);
    EXPECT_EQ(RecordTypeOf(RecordKind::Company).FileName("12"), "Company");
    EXPECT_EQ(RecordTypeOf(RecordKind::InvoiceMemo).FileName("7"), "7M");

    const struct {
        char letter;
        const RecordType* type;
    } letters[] = {
        {'C', &RecordTypeOf(RecordKind::Customer)},
        {'p', &RecordTypeOf(RecordKind::Product)},
        {'I', &RecordTypeOf(RecordKind::Invoice)},
        {'d', &RecordTypeOf(RecordKind::InvoiceLine)},
        {'M', &RecordTypeOf(RecordKind::InvoiceMemo)},
        {'X', nullptr},
        {'\0', nullptr},  // the company file has no letter and is no company's own file
    };
    for (const auto& [letter, type] : letters) EXPECT_EQ(CompanyFileType(letter), type) << letter;

    std::string deletionOrder;
    for (const RecordType* type : CompanyFilesInDeletionOrder()) deletionOrder += type->fileLetter;
    EXPECT_EQ(deletionOrder, "PCDIM");
}

TEST(RecordTypes, FindColumnsGiveOneTextPerCaptionAndOnlyTheSearchableFilesHaveThem) {
    const struct {
        RecordKind kind;
        std::size_t columns;
        const char* first;
    } expected[] = {
        {RecordKind::Company, 6, "Company Name"}, {RecordKind::Customer, 7, "Customer Name"},
        {RecordKind::Invoice, 7, "Year/Mo/Dy"},   {RecordKind::InvoiceLine, 0, nullptr},
        {RecordKind::InvoiceMemo, 0, nullptr},    {RecordKind::Product, 3, "Product#"},
    };
    for (const auto& [kind, columns, first] : expected) {
        const RecordType& type = RecordTypeOf(kind);
        SCOPED_TRACE(type.rebuildCaption());
        ASSERT_EQ(type.find.captions.size(), columns);
        if (columns == 0) continue;
        EXPECT_EQ(type.find.captions.front(), first);
        const std::vector<std::byte> empty(type.recordLength());
        EXPECT_EQ(type.find.texts(empty).size(), columns);
    }

    InvoiceRecord invoice;
    invoice.setSortDate("2024/03/05");
    invoice.setInvoiceNumber("100");
    invoice.setNotes("Rush order");
    const std::vector<std::string> texts =
        RecordTypeOf(RecordKind::Invoice).find.texts(invoice.bytes());
    EXPECT_EQ(texts.front(), "2024/03/05");
    EXPECT_EQ(texts[1], "100");
    EXPECT_EQ(texts.back(), "Rush order");
}

}  // namespace
}  // namespace records
