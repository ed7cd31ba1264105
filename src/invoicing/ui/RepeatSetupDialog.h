#pragma once
// TRepeatForm: "Repeat Invoice Setup", opened by the Invoice Manager's "&Repeat Billing Setup" on
// the current record. It shows the invoice and lets the user tick "Generate Invoices from this
// master record" and set how often it is billed and when next; OK is live only while the box is
// ticked. The checks and the posting are invoicing::RunRepeatSetup's.

#include <QDialog>
#include <functional>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "invoicing/RepeatSetupCommand.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace invoicing::ui {

class TRepeatForm : public QDialog {
    Q_OBJECT
public:
    TRepeatForm(base::PromptService& prompts, std::function<void(const QString& topic)> showHelp,
                QWidget* parent = nullptr);

    // The dialog of RunRepeatSetup.
    bool Execute(const RepeatSetupView& view, RepeatScheduleEntry& entry,
                 const RepeatScheduleCheck& check);
    void SetDateOrder(base::DateOrder order);

private:
    void CheckBox1Click();
    void CalButtonClick();
    void OKBtnClick();
    RepeatScheduleEntry Entry() const;

    base::PromptService& prompts_;
    base::DateOrder order_ = base::DateOrder::MonthFirst;
    QLabel* number_;
    QLabel* date_;
    QLabel* customer_;
    QCheckBox* generate_;
    QLineEdit* every_;
    QRadioButton* months_;
    QRadioButton* days_;
    QLineEdit* nextDue_;
    QLabel* count_;
    QPushButton* ok_;
    const RepeatScheduleCheck* check_ = nullptr;
};

}  // namespace invoicing::ui
