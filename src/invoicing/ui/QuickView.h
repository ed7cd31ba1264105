#pragma once
// TQView: the quick view "Customer Data" of the Invoice Manager's current record, showing what
// invoicing::QuickViewOf made of the record and its customer.

#include <QDialog>

#include "invoicing/QuickViewValues.h"

class QLabel;

namespace invoicing::ui {

class TQView : public QDialog {
    Q_OBJECT
public:
    explicit TQView(QWidget* parent = nullptr);

    // Shows the values modally.
    void Execute(const QuickViewValues& values);
    void Show(const QuickViewValues& values);

private:
    QLabel* Value(const char* name);

    QLabel* type_;
    QLabel* number_;
    QLabel* date_;
    QLabel* total_;
    QLabel* paid_;
    QLabel* balance_;
    QLabel* printed_;
    QLabel* repeat_;
    QLabel* customer_[10];  // name, number, balance, phone, last payment, last invoice, aging 1-4
};

}  // namespace invoicing::ui
