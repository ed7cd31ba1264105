#pragma once
// TRptSelect: the Report Wizard. The user picks one of the seven reports, a date range (typed, or
// filled in by a preset) and presses View; the report opens in the output window. The commands
// are a statements::ReportWizardFlow; the window gathers the choice and shows its verdicts.

#include <QDialog>
#include <functional>

#include "statements/ReportWizardFlow.h"
#include "statements/ui/ReportOutput.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace statements::ui {

// What the wizard is handed by whoever makes it, once for the run.
struct ReportWizardServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    const base::Clock& clock;
    company::ProgramState& state;
    ReportOutputFlow::CanvasFactory printer;
    std::function<void(const QString& topic)> showHelp;
};

class TRptSelect : public QDialog {
    Q_OBJECT
public:
    explicit TRptSelect(ReportWizardServices services, QWidget* parent = nullptr);

    // Shows the wizard modally on the current company.
    void Execute();

    Trtreport& output() { return *output_; }

    void ListBox1Click();
    void ComboBox1Change();
    void Cal1ButClick();
    void Cal2ButClick();
    void Button1Click();

private:
    void FormShow();
    void PickDate(QLineEdit& box, const char* caption);

    ReportWizardServices services_;
    ReportWizardFlow flow_;
    Trtreport* output_;
    QListWidget* reports_;
    QLabel* description_;
    QLabel* dateLabel_;
    QComboBox* presets_;
    QLabel* fromLabel_;
    QLabel* toLabel_;
    QLineEdit* from_;
    QLineEdit* to_;
    QPushButton* fromCalendar_;
    QPushButton* toCalendar_;
};

}  // namespace statements::ui
