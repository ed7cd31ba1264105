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
#include "engine/FileSystem.h"
#include "products/ProductEdit.h"
#include "products/ProductFile.h"
#include "records/CompanyRecord.h"

namespace products {

// The orders of the list: the product file's key 1 (code) and key 2 (description).
enum class ProductOrder { ByCode = 1, ByDescription = 2 };

// A row of the list: the record and its key in the list's order.
struct ProductRow {
    int32_t recordNumber = 0;
    std::string key;
};

// What the list shows after a command.
struct ProductListUpdate {
    bool reread = false;                // rows and count changed
    std::optional<ProductRow> current;  // the row to make current
};

// The report file the product list passes through, like every list report.
inline constexpr char kProductReportFile[] = "TXTTEMP.TXT";

// A finished product list for the list window.
struct ProductReport {
    std::string caption;  // "Product List by Code" / "Product List by Description"
    std::string text;     // Windows-1252, lines ended by CR LF
    std::string csv;      // the same products as comma-separated values, Windows-1252
};

enum class ProductEditPurpose { Add, Edit };

// The checks of "&Ok" for the product being added or edited; the first failure or nothing.
using ProductCheck = std::function<std::optional<ProductFailure>(const records::ProductRecord&)>;

// The product dialog: shows `record` and, when the user's OK passes `check`, leaves the dialog's
// values in it and answers true; a failed check keeps the dialog open.
using ProductEditor = std::function<bool(ProductEditPurpose purpose, records::ProductRecord& record,
                                         const ProductCheck& check)>;

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

    ProductOrder order() const { return order_; }
    void SetOrder(ProductOrder order) { order_ = order; }
    // "Products: 3"
    std::string CountText();
    // The row of a record in the list's order.
    std::optional<ProductRow> RowOf(int32_t recordNumber);
    // "&Find": the product with this code (trimmed, any letter case).
    std::optional<ProductRow> RowOfCode(std::string_view code);
    // Where a pick for an invoice line starts: the product whose key in the list's order is the
    // one built from the line's code and description; nothing for a blank key or none found.
    std::optional<ProductRow> SelectStart(std::string_view code, std::string_view description);
    // The open product file block, for the list and the find dialog to read.
    engine::FileBlockHandle fileBlock() { return file_.file().handle(); }

    // Today in the company's short date format, as the setup and last changed dates are written.
    std::string TodayText() const;

    // "&New": an empty product through the dialog, then added with its keys.
    ProductListUpdate Add(const ProductEditor& editor);
    // "&Edit" of the row `recordNumber` (0: no row); the code may change. A row only when the
    // product was written or left unchanged.
    ProductListUpdate Edit(int32_t recordNumber, const ProductEditor& editor);
    // "&Delete" of the row `recordNumber` behind its question.
    ProductListUpdate Delete(int32_t recordNumber);
    // A double click or Enter: the row's product, handed to whoever picks one.
    std::optional<records::ProductRecord> Choose(int32_t recordNumber) {
        return file_.Read(recordNumber);
    }

    // "Product &List": first the question of the order (nothing: cancelled), then the report,
    // passed through TXTTEMP.TXT; nothing when the walk or that file failed (reported).
    std::optional<ProductOrder> AskListOrder();
    std::optional<ProductReport> ListReport(ProductOrder order);

private:
    ProductCheck CheckFor(EditedCode edited);
    void ReportFailure(std::string_view text);

    ProductFile& file_;
    engine::FileSystem& fs_;
    base::PromptService& prompts_;
    const records::CompanyRecord& company_;
    const base::Clock& clock_;
    ProductOrder order_ = ProductOrder::ByCode;
};

}  // namespace products
