#include "records/ProductRecord.h"

namespace records {

const std::vector<base::FieldInfo>& ProductRecord::Fields() {
    static const std::vector<base::FieldInfo> fields = {
        KT_PRODUCT_RECORD_FIELDS(KT_RECORD_FIELD_INFO)};
    return fields;
}

const KeyTable<ProductRecord>& ProductRecord::Keys() {
    static const KeyTable<ProductRecord> keys = {
        .keys = {{10, kUnique, &ProductRecord::code},
                 {30, kDuplicates, &ProductRecord::description}},
        .addOrder = {1, 2},
        .updateOrder = {1, 2}};
    return keys;
}

}  // namespace records
