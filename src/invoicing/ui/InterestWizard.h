#pragma once
// TInterestWiz: the "Interest Wizard". "Scan File" lists the customers with money overdue beyond
// the chosen aging limit and the charge for each; "Generate Invoices" writes their interest
// invoices, closes the wizard and offers the "Interest Charges Report" on the printer (whose
// dialog also prints to a PDF file). The commands are invoicing::InterestWizardFlow's.

#include <QDialog>
#include <functional>

#include "invoicing/InterestWizardFlow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace invoicing::ui {

struct InterestWizardServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    company::ProgramState& state;
    const base::Clock& clock;
    QPrinter& printer;
    std::function<void(const QString& topic)> showHelp;
    // Shows a status text in the main window once the wizard has closed.
    std::function<void(const QString& text)> showStatus;
};

class TInterestWiz : public QDialog {
    Q_OBJECT
public:
    explicit TInterestWiz(InterestWizardServices services, QWidget* parent = nullptr);

    // Shows the wizard modally on the current company.
    void Execute();

    void Button1Click();  // "Scan File"
    void GenInvClick();   // "Generate Invoices"

private:
    InterestSettings Settings() const;
    void Show(const InterestSettings& settings);
    void SettingsChange();
    void FlatCBClick();
    void FlatRateChange();
    void CalbuttonClick();
    void FillGrid(bool withInvoices);
    void Focus(InterestField field);
    std::optional<int> PrintReport(const InterestReport& report);

    InterestWizardServices services_;
    InterestWizardFlow flow_;
    bool showing_ = false;  // the controls are being filled: no change of a setting
    QRadioButton* over_[3];
    QLineEdit* rate_;
    QLineEdit* minimum_;
    QCheckBox* flat_;
    QLineEdit* flatRate_;
    QLineEdit* date_;
    QLineEdit* comments_;
    QLineEdit* statementNote_;
    QComboBox* terms_;
    QCheckBox* markPrinted_;
    QLabel* lastRun_;
    QTableWidget* grid_;
    QLabel* status_;
    QPushButton* scan_;
    QPushButton* generate_;
};

}  // namespace invoicing::ui
