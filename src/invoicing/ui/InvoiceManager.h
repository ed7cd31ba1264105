#pragma once
// Tinvlist: the Invoice Manager. It lists the current company's invoice-file records (invoices,
// payments, deposits, repeat masters) in one of six orders, with the company's receivables total
// above; it filters the list to one customer, finds a record by invoice number, shows the quick
// view of the current record and deletes it. The commands are invoicing::InvoiceManagerFlow's;
// the window shows their outcome. New and Edit open the entry window (TProdInv) and show what it
// posted; an invoice added with "Print Invoice" ticked is printed at once. View shows an invoice
// in the view window (Trtedit); Print and Batch Print send invoices to the printer or by e-mail, as
// the main window's output setting says. "&Repeat Billing Setup" makes the current invoice a
// repeat master, or changes a master's schedule, in the Repeat Invoice Setup dialog (TRepeatForm).

#include <QDialog>
#include <functional>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "invoicing/InvoiceManagerFlow.h"
#include "invoicing/InvoicePostings.h"
#include "widgets/ManagerFrame.h"

class QAction;
class QLabel;
class QPrinter;

namespace widgets {
class TFindBox;
class TFvcBrowser;
class TStatForm;
}  // namespace widgets

namespace invoicing::ui {

class TInvBatch;
class TProdInv;
class TQView;
class TRepeatForm;
class Trtedit;

// What the Invoice Manager is handed by whoever makes it, once for the run.
struct InvoiceManagerServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    const base::Clock& clock;
    company::ProgramState& state;
    QPrinter& printer;
    mail::MailConnection& mail;    // one connection for the run
    widgets::TStatForm& progress;  // the status window of e-mail runs
    widgets::TFindBox& findBox;
    std::function<void(const QString& topic)> showHelp;
};

class Tinvlist : public QDialog {
    Q_OBJECT
public:
    Tinvlist(InvoiceManagerServices services, TQView& quickView, Trtedit& view, TProdInv& entry,
             QWidget* parent = nullptr);
    ~Tinvlist() override;

    // Shows the manager modally on the current company's invoice files; false when they could
    // not be opened ("Unable to open databases: " was shown) and the manager stayed closed.
    bool Execute();

    widgets::TFvcBrowser& browser() { return frame_.browser(); }

    // The commands of the menus, popup menu, toolbar and keys.
    void NewClick();
    void EditClick();
    void DeleteClick();
    void FindClick();
    void CustomerDataClick();
    void ViewClick();
    void PrintClick();
    void BatchPrintClick();
    void RepeatClick();
    void FilterClick();
    void SetOrder(InvoiceOrder order);
    void PrintWindowClick();

private:
    void BuildCommands();
    void FormShow();
    void AttachList();
    void ShowHeaderPanel();
    void ShowFilter(const InvoiceFilterView& view);
    void ShowCount();
    void PositionOn(const std::optional<InvoiceRow>& row);
    void ShowPosted(const std::optional<PostedInvoice>& posted);
    // The list after a delete or a repeat setup.
    void ShowUpdate(const InvoiceListUpdate& update);
    void ShowTimer();
    void View(const std::string& number);
    void Print(const std::string& number);
    // The status line of an output run, and the list repainted: printed marks changed.
    void ShowOutput(const std::string& status);

    InvoiceManagerServices services_;
    TQView& quickView_;
    Trtedit& view_;
    TProdInv& entry_;
    TInvBatch* batch_;
    TRepeatForm* repeat_;
    InvoiceManagerFlow flow_;           // keeps the display order between visits
    records::InvoiceRecord rowRecord_;  // the browser reads each row's record here
    widgets::ManagerFrame frame_;
    QLabel* receivables_;
    QLabel* filterLabel_;
    QLabel* timerPanel_;
    std::vector<std::pair<InvoiceOrder, QAction*>> orders_;
};

}  // namespace invoicing::ui
