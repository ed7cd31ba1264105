// add-product, edit-product and delete-product: the Product Manager's commands, with the product
// dialog's fields taken from the line and checked as its "&Ok" checks them.

#include <functional>
#include <variant>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "products/ProductManagerFlow.h"
#include "tool/PostOperations.h"

namespace tool {
namespace {

using products::ProductManagerFlow;
using records::ProductRecord;

// The texts of the dialog with its lengths; the code has its own field name per operation.
struct TextField {
    const char* field;
    int maxLength;
    void (ProductRecord::*set)(std::string_view);
};

const TextField kTexts[] = {
    {"description", 32, &ProductRecord::setDescription},
    {"price", 10, &ProductRecord::setPrice},
    {"notes", 150, &ProductRecord::setNotes},
};
constexpr int kCodeLength = 10;

// The dialog for one line: the line's fields over the record, then the checks of "&Ok", whose
// message is shown as the dialog shows it and kept for the reply.
struct LineDialog {
    PostRequest& request;
    PostSession& session;
    const char* codeField;
    std::optional<products::ProductFailure> failure;

    bool operator()(company::EditPurpose, ProductRecord& product,
                    const products::ProductCheck& check) {
        if (auto code = request.Text(codeField, kCodeLength)) product.setCode(*code);
        for (const TextField& t : kTexts) {
            if (auto text = request.Text(t.field, t.maxLength)) (product.*t.set)(*text);
        }
        if (auto taxable = request.Flag("taxable")) product.setTaxable(*taxable);
        if (request.failure()) return false;
        failure = check(product);
        if (failure) session.prompts.Warn(failure->caption, failure->text);
        return !failure;
    }

    // Why the dialog did not save, or nothing when it did.
    std::optional<std::string> refusal() const {
        if (request.failure()) return request.failure();
        if (failure) return failure->text;
        return std::nullopt;
    }
};

// Runs `command` on the run's company's product file, opened and closed around it.
PostReply WithProducts(PostSession& session,
                       const std::function<PostReply(ProductManagerFlow&)>& command) {
    company::ProgramState state;
    if (auto refusal = EnterRunCompany(session, state)) return PostReply::Refused(*refusal);
    const records::CompanyRecord& company = state.currentCompany;
    products::ProductFile file(session.engine, company.code(), session.prompts);
    ProductManagerFlow flow(file, session.engine.fileSystem(), session.prompts, company,
                            session.clock);
    if (!flow.Open()) return PostReply::Refused("Unable to open database");
    PostReply reply = command(flow);
    flow.Close();
    return reply;
}

PostReply CodeReply(ProductManagerFlow& flow, int32_t recordNumber) {
    PostReply reply;
    if (const auto product = flow.Choose(recordNumber))
        reply.results["code"] = base::Win1252ToUtf8(base::Trim(product->code()));
    return reply;
}

// The product the line's "code" names, or the reason there is none.
std::variant<int32_t, std::string> NamedProduct(PostRequest& request, ProductManagerFlow& flow) {
    const auto code = request.Text("code", kCodeLength);
    if (request.failure()) return *request.failure();
    if (!code || base::Trim(*code).empty()) return std::string("\"code\" must name the product");
    const auto row = flow.RowOfCode(*code);
    if (!row) return "No product " + base::Win1252ToUtf8(base::Trim(*code));
    return row->recordNumber;
}

PostReply AddProduct(PostRequest& request, PostSession& session) {
    return WithProducts(session, [&](ProductManagerFlow& flow) {
        LineDialog dialog{request, session, "code", std::nullopt};
        const company::ManagerUpdate update = flow.Add(std::ref(dialog));
        if (const auto refusal = dialog.refusal()) return PostReply::Refused(*refusal);
        if (!update.current) return PostReply::Refused("Add operation failed");
        return CodeReply(flow, update.current->recordNumber);
    });
}

PostReply EditProduct(PostRequest& request, PostSession& session) {
    return WithProducts(session, [&](ProductManagerFlow& flow) {
        const auto named = NamedProduct(request, flow);
        if (const auto* why = std::get_if<std::string>(&named)) return PostReply::Refused(*why);
        LineDialog dialog{request, session, "new_code", std::nullopt};
        const company::ManagerUpdate update =
            flow.Edit(std::get<int32_t>(named), std::ref(dialog));
        if (const auto refusal = dialog.refusal()) return PostReply::Refused(*refusal);
        if (!update.current) return PostReply::Refused("Modify operation failed");
        return CodeReply(flow, update.current->recordNumber);
    });
}

PostReply DeleteProduct(PostRequest& request, PostSession& session) {
    return WithProducts(session, [&](ProductManagerFlow& flow) {
        const auto named = NamedProduct(request, flow);
        if (const auto* why = std::get_if<std::string>(&named)) return PostReply::Refused(*why);
        const int32_t recordNumber = std::get<int32_t>(named);
        PostReply reply = CodeReply(flow, recordNumber);
        if (flow.Delete(recordNumber).reread) return reply;
        const auto& shown = session.prompts.shown();
        const bool declined = !shown.empty() && shown.back().answer == "no";
        return PostReply::Refused(declined ? "Not deleted: the question was answered no"
                                           : "Product delete failed");
    });
}

}  // namespace

std::vector<PostOperation> ProductOperations() {
    return {
        {"add-product", {"code", "description", "price", "taxable", "notes"}, &AddProduct},
        {"edit-product",
         {"code", "new_code", "description", "price", "taxable", "notes"},
         &EditProduct},
        {"delete-product", {"code"}, &DeleteProduct},
    };
}

}  // namespace tool
