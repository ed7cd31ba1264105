#pragma once
// TStment: "Customer Statement", the statement of the customer selected in the Customer Manager:
// the customer's name, address and number, the table of records with the account totals,
// "&Show Unpaid Records Only", and "&Print" (or "&E-Mail" in e-mail mode). The commands are
// statements::CustomerStatementFlow's; the window shows what they hand back.

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "statements/CustomerStatementFlow.h"
#include "statements/ui/StatementServices.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QTableWidget;

namespace statements::ui {

class TStment : public QDialog {
    Q_OBJECT
public:
    explicit TStment(StatementServices services, QWidget* parent = nullptr);

    // Shows the statement of `customer` modally, or why there is none. `customers` is the
    // Customer Manager's open customer file.
    void Execute(receivables::CustomerFile& customers, const records::CustomerRecord& customer);

    void CheckBox1Click();
    void PrinStButnClick();

private:
    void FormShow();
    void ShowStatement();

    StatementServices services_;
    std::optional<CustomerStatementFlow> flow_;
    std::array<QLabel*, 6> header_;  // name, four address lines, number
    QTableWidget* grid_;
    QCheckBox* unpaidOnly_;
    QPushButton* output_;
    QStatusBar* statusBar_;
};

}  // namespace statements::ui
