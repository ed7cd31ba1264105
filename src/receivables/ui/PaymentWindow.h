#pragma once
// TPayBox: the Payment Wizard. The user picks a customer, types the payment date, the amount
// received and a statement note, and moves the customer's open items from the left list to the
// right one (whole, in part through the amount dialog, or a deposit on account); Post posts the
// right list when it adds up to the amount received. The commands and their rules are a
// receivables::PaymentWindowFlow; the window gathers what was typed and shows its verdicts.

#include <QDialog>
#include <functional>
#include <optional>

#include "receivables/PaymentWindowFlow.h"
#include "records/CustomerRecord.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace receivables::ui {

class TPPmtDialog;

// What the window is handed by whoever makes it, once for the run.
struct PaymentWindowServices {
    PaymentServices payment;
    // Lets the user choose the customer; nothing when none was chosen.
    std::function<std::optional<records::CustomerRecord>()> pickCustomer;
    std::function<void(const QString& topic)> showHelp;
};

class TPayBox : public QDialog {
    Q_OBJECT
public:
    explicit TPayBox(PaymentWindowServices services, QWidget* parent = nullptr);

    // Shows the window modally on the current company; what was posted, or nothing when it was
    // closed without posting.
    std::optional<PostedPayment> Execute();

    TPPmtDialog& amountDialog() { return *amountDialog_; }

    void BitBtn3Click();
    void CalbuttonClick();
    void PAmtChange();
    void IncludeBtnClick();
    void IncAllBtnClick();
    void ExcludeBtnClick();
    void ExAllBtnClick();
    void PPmtBtnClick();
    void AccountDepClick();
    void OKBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Move = bool (PaymentWindowFlow::*)(const std::vector<int>&);
    using MoveAll = bool (PaymentWindowFlow::*)();

    void FormShow();
    void ShowForm(const PaymentForm& form);
    void ShowCustomer();
    void MoveSelected(QListWidget& source, Move move);
    void MoveEvery(MoveAll move);
    // Refills both lists from the sheet, then the buttons and the posted total.
    void ShowLists();
    void SetButtons();
    std::string PaymentDate() const;

    PaymentWindowServices services_;
    TPPmtDialog* amountDialog_;
    PaymentWindowFlow flow_;
    std::optional<PostedPayment> posted_;

    QPushButton* customerButton_;
    QLabel* name_;
    QLabel* number_;
    QLabel* phone_;
    QLabel* shortName_;
    QLabel* balance_;
    QLineEdit* date_;
    QLineEdit* amount_;
    QLineEdit* note_;
    QListWidget* left_;
    QListWidget* right_;
    QPushButton* include_;
    QPushButton* includeAll_;
    QPushButton* exclude_;
    QPushButton* excludeAll_;
    QPushButton* partial_;
    QPushButton* deposit_;
    QLabel* postedTotal_;
    QPushButton* post_;
};

}  // namespace receivables::ui
