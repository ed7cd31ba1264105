#pragma once
// TProdInv: the invoice entry window ("Add Invoice" / "Edit Invoice"), in which one product or
// memo invoice is written or changed. It gathers what is typed into an invoicing::InvoiceDraft,
// shows the totals the draft computes after every change, and hands OK to
// invoicing::InvoiceEntryFlow, which runs the checks and the posting; a refusal is shown with the
// focus on the control or grid cell it names. The customer and product pickers are other
// subsystems' windows, handed in as functions by whoever makes the window.

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <optional>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "invoicing/InvoiceEntryFlow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimer;

namespace invoicing::ui {

class TInvoiceGrid;

// What the entry window is handed by whoever makes it, once for the run.
struct InvoiceEntryServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    const base::Clock& clock;
    company::ProgramState& state;
    std::function<void(const QString& topic)> showHelp;
    // The Customer Manager in select mode: the customer picked, if any.
    std::function<std::optional<records::CustomerRecord>()> pickCustomer;
    // The Product Manager in select mode on a line's code and description: the product picked.
    std::function<std::optional<records::ProductRecord>(const std::string& code,
                                                        const std::string& description)>
        pickProduct;
    std::function<void()> startCalculator;
};

class TProdInv : public QDialog {
    Q_OBJECT
public:
    explicit TProdInv(InvoiceEntryServices services, QWidget* parent = nullptr);
    ~TProdInv() override;

    // Shows a new invoice modally on the open invoice files; the posted invoice after OK.
    std::optional<PostedInvoice> ExecuteAdd(InvoiceFiles& files);
    // Shows the stored invoice modally; the invoice as posted after OK.
    std::optional<PostedInvoice> ExecuteEdit(InvoiceFiles& files, const StoredInvoice& stored);
    // Whether "Print Invoice" was ticked when the last invoice was added.
    bool PrintTicked() const;
    bool TimerRunning() const;

    TInvoiceGrid& grid() { return *grid_; }

    // The commands of the buttons and keys.
    void OKButtonClick();
    void CustomersClick();
    void FindProductClick();
    void ProductEntered(int row);
    void DeleteLineClick();
    void UndoAllClick();
    void MakeNoteClick();
    void ImportClick();
    void ExportClick();
    void TimeBtnClick();
    void CalbuttonClick();

private:
    void BuildControls();
    QWidget* BuildCustomerPanel();
    QWidget* BuildHeaderFields();
    QWidget* BuildMemoPage();
    QWidget* BuildToolButtons();
    QWidget* BuildTotals();
    QPushButton* ToolButton(const char* name, const char* text, const char* hint,
                            void (TProdInv::*command)());

    std::optional<PostedInvoice> Run(InvoiceFiles& files, const InvoiceDraft& draft);
    void Show(const InvoiceDraft& draft);
    void ShowCustomer(const std::optional<records::CustomerRecord>& customer);
    void ShowForm(InvoiceForm form);
    void ShowTotals();
    void ShowFailure(const InvoiceFailure& failure);
    void ShowStopwatch();
    void FindProduct(int row);
    InvoiceDraft Typed() const;
    InvoiceForm Form() const;
    const records::CompanyRecord& company() const { return services_.state.currentCompany; }

    InvoiceEntryServices services_;
    InvoiceEntryFlow flow_;
    InvoiceFiles* files_ = nullptr;  // while shown
    std::optional<PostedInvoice> posted_;
    QElapsedTimer stopwatch_;  // monotonic: no negative time across midnight or clock changes
    QTimer* tick_;

    QPushButton* customers_;
    QLabel* customerName_;
    QLabel* customerNumber_;
    QLabel* shortName_;
    QLabel* balance_;
    QLabel* creditLimit_;
    QLabel* agingCaptions_[4];
    QLabel* aging_[4];
    QLineEdit* number_;
    QLabel* dateOrder_;
    QLineEdit* date_;
    QLineEdit* notes_;
    QLineEdit* keyCode_;
    QComboBox* terms_;
    QLineEdit* statementNote_;
    QRadioButton* lineItems_;
    QRadioButton* memoForm_;
    QLabel* mode_;
    QStackedWidget* body_;
    TInvoiceGrid* grid_;
    QPlainTextEdit* memo_;
    QLineEdit* memoDescription_;
    QLineEdit* memoQuantity_;
    QLabel* taxHint_;
    QCheckBox* taxBox_;
    QLineEdit* net_;
    QLineEdit* tax_;
    QLineEdit* paid_;
    QLabel* total_;
    QLabel* balanceDue_;
    QCheckBox* printFlag_;
    QPushButton* timeButton_;
    QLabel* startTime_;
    QLabel* elapsedTime_;
    QLabel* hours_;
    std::vector<QWidget*> productTools_;  // shown for product invoices only
};

}  // namespace invoicing::ui
