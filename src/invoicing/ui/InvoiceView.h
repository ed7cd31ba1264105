#pragma once
// Trtedit: the "View Invoice" window. It shows one invoice document as invoicing::ViewTextsOf
// words it: the addresses, the information block, the lines (or the memo text of a memo invoice
// or deposit) and the totals. A double-click anywhere or any key closes it; a click on a column
// heading sorts the lines by that column.

#include <QDialog>
#include <array>

#include "invoicing/InvoiceDocument.h"
#include "records/CompanyRecord.h"

class QLabel;
class QPlainTextEdit;
class QTreeWidget;

namespace invoicing::ui {

class Trtedit : public QDialog {
    Q_OBJECT
public:
    explicit Trtedit(QWidget* parent = nullptr);

    // Shows the document modally.
    void Execute(const InvoiceDocument& document, const records::CompanyRecord& company);
    void Show(const InvoiceDocument& document, const records::CompanyRecord& company);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Value(const char* name, QWidget* parent);
    void CloseOnEveryControl();

    std::array<QLabel*, 5> billTo_;
    QLabel* shipCaption_;
    std::array<QLabel*, 4> shipTo_;
    QLabel* date_;
    QLabel* number_;
    QLabel* account_;
    QLabel* terms_;
    QLabel* reference_;
    QLabel* typeCaption_;
    QTreeWidget* list_;
    QPlainTextEdit* memo_;
    std::array<QLabel*, 5> totalCaptions_;
    std::array<QLabel*, 5> totals_;
};

}  // namespace invoicing::ui
