#pragma once
// TUpdProd: the product dialog ("Add Product" / "Edit Product"). It shows one product, and its
// "&Ok" runs the checks it is handed: the first failure is shown and the focus goes to its field;
// a product that passes is left in the caller's record.

#include <QDialog>
#include <functional>

#include "base/PromptService.h"
#include "products/ProductManagerFlow.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace products::ui {

class TUpdProd : public QDialog {
    Q_OBJECT
public:
    TUpdProd(base::PromptService& prompts, std::function<void(const QString& topic)> showHelp,
             QWidget* parent = nullptr);

    // Shows `product` modally; true when "&Ok" passed `check`, with the typed values in `product`.
    bool Execute(company::EditPurpose purpose, records::ProductRecord& product,
                 const ProductCheck& check);

    void OkBtnClick();

private:
    void Show(const records::ProductRecord& product);
    records::ProductRecord Typed() const;

    base::PromptService& prompts_;
    const ProductCheck* check_ = nullptr;
    records::ProductRecord product_;
    QLineEdit* code_;
    QLineEdit* description_;
    QLineEdit* price_;
    QCheckBox* taxable_;
    QLineEdit* notes_;
    QLabel* setupPanel_;
    QLabel* changedPanel_;
};

}  // namespace products::ui
