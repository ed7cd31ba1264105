#pragma once
// TDemoForm: the Customer Manager. It lists the current company's customers by name or by number,
// adds, edits and deletes them through the customer edit dialog, finds one, prints the customer
// list, and picks the customer double-clicked or entered into the program state (other windows
// open it in select mode to choose their customer). The commands are
// customers::CustomerManagerFlow's; the window shows their outcome.

#include <QDialog>
#include <array>
#include <functional>
#include <string_view>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/CompanyFile.h"
#include "company/ProgramState.h"
#include "customers/CustomerManagerFlow.h"
#include "widgets/ManagerFrame.h"

class QAction;
class QPrinter;

namespace widgets {
class TFindBox;
class TFvcBrowser;
class TListWindow;
class TStatForm;
}  // namespace widgets

namespace customers::ui {

class TEditDlg;

// What the Customer Manager is handed by whoever makes it, once for the run.
struct CustomerManagerServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    const base::Clock& clock;
    company::ProgramState& state;
    QPrinter& printer;
    widgets::TStatForm& statusWindow;
    widgets::TFindBox& findBox;
    widgets::TListWindow& listWindow;
    std::function<void(const QString& topic)> showHelp;
};

// The statement commands, handed in once the statement windows exist: the statement of the
// selected customer, and batch statements with the manager's status line for their progress. Both
// read customers from the manager's open customer file.
struct CustomerStatementCommands {
    using CustomerFile = engine::RecordFile<records::CustomerRecord>;
    std::function<void(CustomerFile& customers, const records::CustomerRecord& customer)> show;
    std::function<void(CustomerFile& customers,
                       const std::function<void(std::string_view status)>& setStatus)>
        batch;
};

// Why the manager is opened: to browse (the main window), or for another window to choose its
// customer, then optionally starting on the customer picked before.
enum class CustomerManagerUse { Browse, Select, SelectPicked };

// How a visit ended.
struct CustomerManagerResult {
    bool cannotOpen = false;  // "Unable to open database" was shown; the program must end
    bool picked = false;      // the program state's picked customer holds the customer chosen
};

class TDemoForm : public QDialog {
    Q_OBJECT
public:
    TDemoForm(CustomerManagerServices services, TEditDlg& dialog, QWidget* parent = nullptr);
    ~TDemoForm() override;

    // Shows the manager modally on the current company's customers.
    CustomerManagerResult Execute(CustomerManagerUse use = CustomerManagerUse::Browse);

    widgets::TFvcBrowser& browser() { return frame_.browser(); }

    // Makes the statement commands live.
    void SetStatementCommands(CustomerStatementCommands commands);

    // The commands of the menus, popup menu, toolbar and keys.
    void NewClick();
    void EditClick();
    void DeleteClick();
    void FindClick();
    void CustomerListClick();
    void ByNameClick();
    void ByNumberClick();
    void AddToLabelQueueClick();
    void PrintEnvelopeClick();
    void StmtPrinClick();
    void BatchPrinButnClick();
    void PrintWindowClick();
    void SelectClick();

private:
    void BuildCommands();
    void FormShow(CustomerManagerUse use);
    void SetOrder(company::ManagerOrder order);
    void ShowUpdate(const company::ManagerUpdate& update);
    void ShowCount();
    std::optional<records::CustomerRecord> CurrentCustomer();
    void PositionOn(const std::optional<company::ManagerRow>& row);

    CustomerManagerServices services_;
    company::CompanyFile companies_;
    CustomerManagerFlow flow_;           // keeps the list's order between visits
    CustomerEditor editor_;              // the customer edit dialog
    records::CustomerRecord rowRecord_;  // the browser reads each row's record here
    bool picked_ = false;
    widgets::ManagerFrame frame_;
    QAction* byName_;
    QAction* byNumber_;
    std::array<QAction*, 3> statementActions_;  // view / print, popup statement, batch print
    CustomerStatementCommands statements_;
};

}  // namespace customers::ui
