#pragma once
// The Product Manager's commands as plain logic: adding, editing and deleting a product, finding
// one by code, positioning the list for a pick from an invoice line and the product list report.
// The window shows the list and the product dialog and paints what a command returns; every
// read, write, question and message is decided here.
//
// The dialog is handed in as a function, as the prompt service and the clock are handed in as
// objects, so that tests run every command without a screen.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ManagerTypes.h"
#include "engine/FileSystem.h"
#include "products/ProductEdit.h"
#include "products/ProductFile.h"
#include "records/CompanyRecord.h"

namespace products {

// The orders of the list: the product file's key 1 (code) and key 2 (description).
namespace ProductOrder {
inline constexpr company::ManagerOrder ByCode = company::ManagerOrder::Key1;
inline constexpr company::ManagerOrder ByDescription = company::ManagerOrder::Key2;
}  // namespace ProductOrder


// The checks of "&Ok" for the product being added or edited; the first failure or nothing.
using ProductCheck = std::function<std::optional<ProductFailure>(const records::ProductRecord&)>;

// The product dialog.
using ProductEditor = company::ManagerEditor<records::ProductRecord, ProductCheck>;

class ProductManagerFlow {
public:
    // `company` is the company whose products are shown: its name heads the list report and its
    // date format gives the short date of the setup and last changed dates. `fs` holds the report
    // file.
    ProductManagerFlow(ProductFile& file, engine::FileSystem& fs, base::PromptService& prompts,
                       const records::CompanyRecord& company, const base::Clock& clock);

    // Opens the product file; "Unable to open database" when it cannot be opened (the program
    // must then end).
    bool Open();
    // Closes the file; an engine failure is reported.
    void Close();

    company::ManagerOrder order() const { return order_; }
    void SetOrder(company::ManagerOrder order) { order_ = order; }
    // "Products: 3"
    std::string CountText();
    // The row of a record in the list's order.
    std::optional<company::ManagerRow> RowOf(int32_t recordNumber);
    // "&Find": the product with this code (trimmed, any letter case).
    std::optional<company::ManagerRow> RowOfCode(std::string_view code);
    // Where a pick for an invoice line starts: the product whose key in the list's order is the
    // one built from the line's code and description; nothing for a blank key or none found.
    std::optional<company::ManagerRow> SelectStart(std::string_view code,
                                                   std::string_view description);
    // The open product file block, for the list and the find dialog to read.
    engine::FileBlockHandle fileBlock() { return file_.file().handle(); }

    // Today in the company's short date format, as the setup and last changed dates are written.
    std::string TodayText() const;

    // "&New": an empty product through the dialog, then added with its keys.
    company::ManagerUpdate Add(const ProductEditor& editor);
    // "&Edit" of the row `recordNumber` (0: no row); the code may change. A row only when the
    // product was written or left unchanged.
    company::ManagerUpdate Edit(int32_t recordNumber, const ProductEditor& editor);
    // "&Delete" of the row `recordNumber` behind its question.
    company::ManagerUpdate Delete(int32_t recordNumber);
    // A double click or Enter: the row's product, handed to whoever picks one.
    std::optional<records::ProductRecord> Choose(int32_t recordNumber) {
        return file_.Read(recordNumber);
    }

    // "Product &List": first the question of the order (nothing: cancelled), then the report,
    // passed through TXTTEMP.TXT; nothing when the walk or that file failed (reported).
    std::optional<company::ManagerOrder> AskListOrder();
    std::optional<company::ManagerReport> ListReport(company::ManagerOrder order);

private:
    ProductCheck CheckFor(EditedCode edited);
    void ReportFailure(std::string_view text);

    ProductFile& file_;
    engine::FileSystem& fs_;
    base::PromptService& prompts_;
    const records::CompanyRecord& company_;
    const base::Clock& clock_;
    company::ManagerOrder order_ = ProductOrder::ByCode;
};

}  // namespace products
