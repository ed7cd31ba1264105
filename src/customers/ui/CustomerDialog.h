#pragma once
// TEditDlg: the customer edit dialog ("Add Customer" / "Edit Customer"). It shows one customer,
// offers the shared payment terms, copies billing lines to the shipping lines (once, or on every
// change while "&Auto-Copy to Shipping" is ticked) and proposes a short name from the name. Its
// "&Ok" runs the checks it is handed, which show their own message; a refusal puts the focus on
// the field it names and keeps the dialog open.

#include <QDialog>
#include <array>
#include <functional>

#include "base/RecordField.h"
#include "company/PaymentTerms.h"
#include "company/ProgramState.h"
#include "customers/CustomerManagerFlow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace customers::ui {

// What the dialog is handed by whoever makes it, once for the run.
struct CustomerDialogServices {
    company::PaymentTermsReader paymentTerms;
    const company::ProgramState& state;  // the current company's auto-copy option
    std::function<void(const QString& topic)> showHelp;
};

class TEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEditDlg(CustomerDialogServices services, QWidget* parent = nullptr);

    // Shows `customer` modally; true when "&Ok" passed `check`, with the typed values in
    // `customer`. Fits CustomerEditor.
    bool Execute(company::EditPurpose purpose, records::CustomerRecord& customer,
                 const CustomerCheck& check);

    void OKBtnClick();
    void CopyBillingClick();
    void ClearShippingClick();
    void CNameExit();

private:
    void Show(const records::CustomerRecord& customer);
    records::CustomerRecord Typed() const;
    // The record text of a bound control.
    std::string TypedText(const char* control, base::FieldKind kind) const;

    CustomerDialogServices services_;
    const CustomerCheck* check_ = nullptr;
    records::CustomerRecord customer_;  // the record shown; fields without a control stay as read
    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* shortName_;
    QComboBox* terms_;
    QPlainTextEdit* notes_;
    QLabel* balance_;
    std::array<QLineEdit*, 4> billing_;
    std::array<QLineEdit*, 4> shipping_;
    QCheckBox* autoCopy_;
};

}  // namespace customers::ui
