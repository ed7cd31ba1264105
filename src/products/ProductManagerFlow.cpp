#include "products/ProductManagerFlow.h"

#include "base/Dates.h"
#include "base/Text.h"
#include "company/SmallFile.h"
#include "engine/Errors.h"
#include "products/ProductTexts.h"

namespace products {

ProductManagerFlow::ProductManagerFlow(ProductFile& file, engine::FileSystem& fs,
                                       base::PromptService& prompts,
                                       const records::CompanyRecord& company,
                                       const base::Clock& clock)
    : file_(file), fs_(fs), prompts_(prompts), company_(company), clock_(clock) {}

bool ProductManagerFlow::Open() {
    if (file_.Open()) return true;
    ReportFailure("Unable to open database");
    return false;
}

void ProductManagerFlow::Close() {
    if (!file_.Close())
        ReportFailure(engine::ErrorText(engine::ErrorClass::Fatal, file_.file().engine().error()));
}

std::string ProductManagerFlow::CountText() {
    return "Products: " + std::to_string(file_.ProductCount());
}

std::optional<company::ManagerRow> ProductManagerFlow::RowOf(int32_t recordNumber) {
    const std::optional<records::ProductRecord> product = file_.Read(recordNumber);
    if (!product) return std::nullopt;
    return company::ManagerRow{recordNumber, product->key(company::KeyNumber(order_))};
}

std::optional<company::ManagerRow> ProductManagerFlow::RowOfCode(std::string_view code) {
    const auto found = file_.Find(code);
    if (!found) return std::nullopt;
    return company::ManagerRow{found->first, found->second.key(company::KeyNumber(order_))};
}

std::optional<company::ManagerRow> ProductManagerFlow::SelectStart(std::string_view code,
                                                                   std::string_view description) {
    records::ProductRecord wanted;
    wanted.setCode(code);
    wanted.setDescription(description);
    const int keyNumber = company::KeyNumber(order_);
    const std::string key = wanted.key(keyNumber);
    if (base::Trim(key).empty()) return std::nullopt;
    engine::KeyEntry<records::ProductRecord> found;
    if (file_.file().Search(keyNumber, key, found) != engine::ErrorClass::None || found.key != key)
        return std::nullopt;
    return company::ManagerRow{found.recordNumber, found.key};
}

std::string ProductManagerFlow::TodayText() const {
    return base::FormatDate(clock_.Today(), base::ShortDateOrder(company_.dateFormat()));
}

company::ManagerUpdate ProductManagerFlow::Add(const ProductEditor& editor) {
    records::ProductRecord product;
    product.setPrice("0.00");
    // The dialog shows the day the product will be set up.
    product.setSetupDate(TodayText());
    if (!editor(company::EditPurpose::Add, product, CheckFor(std::nullopt))) return {};
    NormaliseProduct(product, true, TodayText());
    int32_t recordNumber = 0;
    if (!file_.Add(product, recordNumber)) {
        ReportFailure("Add operation failed");
        return {};
    }
    return {true, true, RowOf(recordNumber), 0};
}

company::ManagerUpdate ProductManagerFlow::Edit(int32_t recordNumber, const ProductEditor& editor) {
    if (recordNumber == 0) return {};
    const std::optional<records::ProductRecord> original = file_.Read(recordNumber);
    if (!original) return {};
    records::ProductRecord product = *original;
    if (!editor(company::EditPurpose::Edit, product, CheckFor(original->code()))) return {};
    NormaliseProduct(product, false, TodayText());
    switch (file_.Modify(recordNumber, product, *original)) {
        case engine::UpdateOutcome::Written:
            // A changed code or description moves the row.
            return {true, true, RowOf(recordNumber), 0};
        case engine::UpdateOutcome::Unchanged:
            return {true, false, RowOf(recordNumber), 0};
        case engine::UpdateOutcome::Failed:
            ReportFailure("Modify operation failed");
            return {};
        default:  // the convention has told the user already
            return {};
    }
}

company::ManagerUpdate ProductManagerFlow::Delete(int32_t recordNumber) {
    if (recordNumber == 0) return {};
    const std::optional<records::ProductRecord> product = file_.Read(recordNumber);
    if (!product) return {};
    if (!prompts_.AskYesNo("Delete Product Code: " + product->code(),
                           "Are you sure you want to delete this product?"))
        return {};
    if (!file_.Delete(recordNumber, *product)) {
        ReportFailure("Product delete failed");
        return {};
    }
    return {true, true, std::nullopt, 0};
}

std::optional<company::ManagerOrder> ProductManagerFlow::AskListOrder() {
    const base::PromptAnswer answer = prompts_.MessageWithDefault(
        "Product List",
        "The products will be sorted by description. Would you rather sort by product code?",
        base::PromptIcon::Question, base::PromptButtons::YesNoCancel, base::PromptAnswer::No);
    if (answer == base::PromptAnswer::Cancel) return std::nullopt;
    return answer == base::PromptAnswer::Yes ? ProductOrder::ByCode : ProductOrder::ByDescription;
}

std::optional<company::ManagerReport> ProductManagerFlow::ListReport(company::ManagerOrder order) {
    std::vector<records::ProductRecord> products;
    const engine::ErrorClass outcome = file_.InKeyOrder(company::KeyNumber(order), products);
    // A list cut short by a damaged index says so rather than passing for the whole list.
    if (outcome != engine::ErrorClass::None) {
        ReportFailure(engine::ErrorText(outcome, file_.file().engine().error()));
        return std::nullopt;
    }
    const std::string report = ProductListReport(company_.name(), products, clock_.Now());
    std::optional<std::string> text;
    if (company::ReplaceSmallFile(fs_, company::kManagerReportFile, report,
                                  company::SmallFileAccess::Everyone))
        text = company::ReadSmallFile(fs_, company::kManagerReportFile);
    if (fs_.Exists(company::kManagerReportFile)) fs_.Remove(company::kManagerReportFile);
    if (!text) {
        ReportFailure("Unable to write the product list to TXTTEMP.TXT.");
        return std::nullopt;
    }
    return company::ManagerReport{
        order == ProductOrder::ByCode ? "Product List by Code" : "Product List by Description",
        std::move(*text), ProductListCsv(products)};
}

ProductCheck ProductManagerFlow::CheckFor(EditedCode edited) {
    return [this, edited = std::move(edited)](const records::ProductRecord& product) {
        return CheckProduct(product, edited, file_.Lookup());
    };
}

void ProductManagerFlow::ReportFailure(std::string_view text) {
    prompts_.Message(engine::kProgramCaption, text, base::PromptIcon::Error,
                     base::PromptButtons::Ok);
}

}  // namespace products
