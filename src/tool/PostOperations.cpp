#include "tool/PostOperations.h"

namespace tool {

const std::vector<PostOperation>& PostOperations() {
    static const std::vector<PostOperation> operations = [] {
        std::vector<PostOperation> all;
        for (auto group :
             {&CompanyOperations, &CustomerOperations, &ProductOperations, &AgingOperations,
              &InvoiceOperations, &PaymentOperations, &DispatchOperations}) {
            for (PostOperation& op : group()) all.push_back(std::move(op));
        }
        return all;
    }();
    return operations;
}

}  // namespace tool
