#include "maintenance/VersionOneRecords.h"

#include <cstring>

namespace maintenance {
namespace {

constexpr int kFontBlock = 48;
// Large enough for every version-1 record this import reads.
using VersionOneBytes = base::FixedRecord<4096>;

VersionOneBytes Read(std::span<const std::byte> v1) {
    VersionOneBytes bytes;
    bytes.Assign(v1);
    return bytes;
}

// One text field (1 + size bytes) from `from` in the version-1 record to `to` in `record`.
template <typename R>
void CopyText(R& record, int to, int toSize, const VersionOneBytes& v1, int from, int fromSize) {
    base::WriteText(record.data(), to, toSize,
                    base::ReadText(v1.data(), from, std::min(fromSize, toSize)));
}

// Every field of R that ends before `end`, at its own offset: texts and amounts up to their
// sizes, flags as their byte, fonts as their whole block.
template <typename R>
R SameOffsets(const VersionOneBytes& v1, int end) {
    R record;
    for (const base::FieldInfo& field : R::Fields()) {
        switch (field.kind) {
            case base::FieldKind::Text:
            case base::FieldKind::Money:
                if (field.offset + 1 + field.size <= end)
                    CopyText(record, field.offset, field.size, v1, field.offset, field.size);
                break;
            case base::FieldKind::Flag:
                if (field.offset < end) record.data()[field.offset] = v1.data()[field.offset];
                break;
            case base::FieldKind::YesNo:
                if (field.offset + 2 <= end) CopyText(record, field.offset, 1, v1, field.offset, 1);
                break;
            case base::FieldKind::Font:
                if (field.offset + kFontBlock <= end)
                    std::memcpy(record.data() + field.offset, v1.data() + field.offset, kFontBlock);
                break;
        }
    }
    return record;
}

}  // namespace

records::CompanyRecord CompanyFromVersionOne(std::span<const std::byte> bytes) {
    records::CompanyRecord company =
        SameOffsets<records::CompanyRecord>(Read(bytes), kVersionOneCompanyEnd);
    company.setReceivablesTotal("999.99");
    company.setBackgroundBitmap("ktt8.bmp");
    company.setLastAgingDate("01/01/1998");
    company.setPrintLogo(false);
    company.setLogoBitmap(" ");
    company.setDefaultOutputEmail(false);
    company.setShippingCaption("Ship To:");
    company.setEmailLines(true);
    company.setOmitLargeInvoiceNumber(true);
    company.setAgingDays1("30");
    company.setAgingDays2("60");
    company.setAgingDays3("90");
    company.setAgingCaption1("Current:");
    company.setAgingCaption2("31-60:");
    company.setAgingCaption3("61-90:");
    return company;
}

records::CustomerRecord CustomerFromVersionOne(std::span<const std::byte> bytes) {
    constexpr int kSharedEnd = 542;
    const VersionOneBytes v1 = Read(bytes);
    records::CustomerRecord customer = SameOffsets<records::CustomerRecord>(v1, kSharedEnd);
    for (const auto set :
         {&records::CustomerRecord::setAging1, &records::CustomerRecord::setAging2,
          &records::CustomerRecord::setAging3, &records::CustomerRecord::setAging4})
        (customer.*set)("0");
    CopyText(customer, 542, 240, v1, 542, 200);
    struct Moved {
        int from, to, size;
    };
    for (const Moved& m :
         {Moved{743, 783, 1}, Moved{745, 785, 1}, Moved{747, 787, 10}, Moved{758, 798, 1},
          Moved{760, 800, 10}, Moved{771, 811, 15}, Moved{787, 827, 25}, Moved{813, 853, 1}})
        CopyText(customer, m.to, m.size, v1, m.from, m.size);
    return customer;
}

records::InvoiceRecord InvoiceFromVersionOne(std::span<const std::byte> bytes) {
    return SameOffsets<records::InvoiceRecord>(Read(bytes), kVersionOneInvoiceEnd);
}

records::InvoiceLineRecord LineFromVersionOne(std::span<const std::byte> bytes) {
    return SameOffsets<records::InvoiceLineRecord>(Read(bytes), records::InvoiceLineRecord::kSize);
}

records::ProductRecord ProductFromVersionOne(std::span<const std::byte> bytes) {
    const VersionOneBytes v1 = Read(bytes);
    records::ProductRecord product = SameOffsets<records::ProductRecord>(v1, kVersionOneProductEnd);
    // Fields of version 1 that the product windows no longer show, kept where they were.
    CopyText(product, 48, 10, v1, 48, 10);
    CopyText(product, 255, 1, v1, 255, 1);
    CopyText(product, 257, 1, v1, 257, 1);
    base::WriteText(product.data(), 71, 10, "0");
    return product;
}

}  // namespace maintenance
