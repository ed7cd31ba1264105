#pragma once
// TEditProd: the Product Manager. It lists a company's products by code or by description, adds,
// edits and deletes them through the product dialog, finds one by code, prints the product list,
// and hands back the product picked with a double click or Enter (invoice lines pick theirs
// this way, in select mode). The commands are products::ProductManagerFlow's; the window shows
// their outcome.

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "products/ProductFile.h"
#include "products/ProductManagerFlow.h"
#include "records/CompanyRecord.h"
#include "widgets/ManagerFrame.h"

class QAction;
class QPrinter;

namespace widgets {
class TFindBox;
class TFvcBrowser;
class TListWindow;
class TStatForm;
}  // namespace widgets

namespace products::ui {

class TUpdProd;

// What the Product Manager is handed by whoever makes it, once for the run.
struct ProductManagerServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    const base::Clock& clock;
    QPrinter& printer;
    widgets::TStatForm& statusWindow;
    widgets::TFindBox& findBox;
    widgets::TListWindow& listWindow;
    std::function<void(const QString& topic)> showHelp;
};

// The code and description of the invoice line a product is picked for.
struct ProductPick {
    std::string code;
    std::string description;
};

// How a visit ended.
struct ProductManagerResult {
    bool cannotOpen = false;  // "Unable to open database" was shown; the program must end
    std::optional<records::ProductRecord> selected;  // the product double-clicked or entered
};

class TEditProd : public QDialog {
    Q_OBJECT
public:
    TEditProd(ProductManagerServices services, TUpdProd& dialog, QWidget* parent = nullptr);
    ~TEditProd() override;

    // Shows the manager modally on `company`'s products; with `pick`, in select mode positioned
    // on the line's product.
    ProductManagerResult Execute(const records::CompanyRecord& company,
                                 const std::optional<ProductPick>& pick = std::nullopt);

    widgets::TFvcBrowser& browser() { return frame_.browser(); }

    // The commands of the menus, popup menu, buttons and keys.
    void NewClick();
    void EditClick();
    void DeleteClick();
    void FindClick();
    void ProductListClick();
    void ByCodeClick();
    void ByDescriptionClick();
    void SelectClick();
    void PrintWindowClick();

private:
    void BuildCommands();
    void FormShow(const std::optional<ProductPick>& pick);
    void SetOrder(company::ManagerOrder order);
    void ShowUpdate(const company::ManagerUpdate& update);
    void PositionOn(const std::optional<company::ManagerRow>& row);

    ProductManagerServices services_;
    ProductEditor editor_;  // the product dialog
    // The display order stays as the user left it for the rest of the run.
    company::ManagerOrder order_ = ProductOrder::ByCode;
    records::CompanyRecord company_;  // the company of the visit
    std::unique_ptr<ProductFile> file_;
    std::unique_ptr<ProductManagerFlow> flow_;
    std::optional<records::ProductRecord> selected_;
    records::ProductRecord rowRecord_;  // the browser reads each row's record here
    widgets::ManagerFrame frame_;
    widgets::TFvcBrowser* browser_;
    QAction* byCode_;
    QAction* byDescription_;
};

}  // namespace products::ui
