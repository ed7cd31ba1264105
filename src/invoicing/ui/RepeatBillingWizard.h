#pragma once
// TSelectRepeat: the "Repeat Billing Wizard". "&Search" lists the repeat masters due through a
// date, "Create In&voices" generates one invoice from each master listed. The commands are
// invoicing::RepeatWizardFlow's; the window shows what they return.

#include <QDialog>
#include <functional>

#include "invoicing/RepeatWizardFlow.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace invoicing::ui {

struct RepeatBillingWizardServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    company::ProgramState& state;
    const base::Clock& clock;
    std::function<void(const QString& topic)> showHelp;
};

class TSelectRepeat : public QDialog {
    Q_OBJECT
public:
    explicit TSelectRepeat(RepeatBillingWizardServices services, QWidget* parent = nullptr);

    // Shows the wizard modally on the current company.
    void Execute();

    void SearchBtnClick();
    void CreateBtnClick();

private:
    void Show(const RepeatWizardView& view);
    void CalendarClick(QLineEdit* date, const char* caption);

    RepeatBillingWizardServices services_;
    RepeatWizardFlow flow_;
    QLineEdit* searchDate_;
    QLineEdit* invoiceDate_;
    QLineEdit* comments_;
    QListWidget* list_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* search_;
    QPushButton* create_;
};

}  // namespace invoicing::ui
