#include "records/ProductRecord.h"

#include "records/CompanyRecord.h"

namespace records {

const std::vector<base::FieldInfo>& ProductRecord::Fields() {
    static const std::vector<base::FieldInfo> fields = {
        KT_PRODUCT_RECORD_FIELDS(KT_RECORD_FIELD_INFO)};
    return fields;
}

std::string ProductRecord::key(int keyNumber) const {
    switch (keyNumber) {
        case 1:
            return base::KeyText(code(), 10);
        case 2:
            return base::KeyText(description(), 30);
        default:
            return {};
    }
}

engine::FileDescription ProductFileDescription(std::string_view companyCode) {
    engine::FileDescription file;
    file.name = records::CompanyFileName(companyCode, 'P');
    file.statusCaption = "Products";
    file.recordLength = ProductRecord::kSize;
    file.keys = {{10, false}, {30, true}};
    file.buildKey = &base::BuildKeyOf<ProductRecord>;
    file.addOrder = {1, 2};
    file.updateOrder = {1, 2};
    file.creationNotice = "I am going to create a new, empty product file for this company.";
    return file;
}

}  // namespace records
