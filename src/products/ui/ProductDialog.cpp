#include "products/ui/ProductDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "widgets/RecordText.h"

namespace products::ui {

namespace {

QLineEdit* RecordEdit(const char* name, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    widgets::ConfigureRecordTextEdit(*edit, maxLength);
    return edit;
}

}  // namespace

TUpdProd::TUpdProd(base::PromptService& prompts, std::function<void(const QString& topic)> showHelp,
                   QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setObjectName("UpdProd");
    setModal(true);

    code_ = RecordEdit("PNum", 10, this);
    description_ = RecordEdit("PDesc", 32, this);
    price_ = RecordEdit("PSell", 10, this);
    taxable_ = new QCheckBox("&Taxable", this);
    taxable_->setObjectName("CheckBox1");
    notes_ = RecordEdit("PNote", 150, this);
    const int charWidth = fontMetrics().horizontalAdvance('W');
    code_->setMaximumWidth(charWidth * 12);
    price_->setMaximumWidth(charWidth * 12);
    price_->setAlignment(Qt::AlignRight);

    auto* form = new QFormLayout;
    form->addRow("Product &Code:", code_);
    form->addRow("&Description:", description_);
    form->addRow("Sales &Price:", price_);
    form->addRow("", taxable_);
    form->addRow("&Notes:", notes_);

    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("OkBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelBtn");
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("HelpBtn");
    connect(ok, &QPushButton::clicked, this, &TUpdProd::OkBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [showHelp = std::move(showHelp)] { showHelp("ProductManager"); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    setupPanel_ = new QLabel(statusBar);
    setupPanel_->setObjectName("SetupPanel");
    changedPanel_ = new QLabel(statusBar);
    changedPanel_->setObjectName("ChangedPanel");
    statusBar->addWidget(setupPanel_, 1);
    statusBar->addWidget(changedPanel_, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 8);
    body->addLayout(form);
    body->addSpacing(8);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(body);
    layout->addWidget(statusBar);
    resize(charWidth * 46, sizeHint().height());
}

bool TUpdProd::Execute(company::EditPurpose purpose, records::ProductRecord& product,
                       const ProductCheck& check) {
    setWindowTitle(purpose == company::EditPurpose::Add ? "Add Product" : "Edit Product");
    product_ = product;
    check_ = &check;
    Show(product);
    code_->setFocus();
    const bool saved = exec() == QDialog::Accepted;
    check_ = nullptr;
    if (saved) product = Typed();
    return saved;
}

void TUpdProd::Show(const records::ProductRecord& product) {
    code_->setText(widgets::ToRecordText(product.code()));
    description_->setText(widgets::ToRecordText(product.description()));
    price_->setText(widgets::ToRecordText(product.price()));
    taxable_->setChecked(product.taxable());
    notes_->setText(widgets::ToRecordText(product.notes()));
    setupPanel_->setText("Setup Date: " + widgets::ToRecordText(product.setupDate()));
    changedPanel_->setText("Last Changed: " + widgets::ToRecordText(product.lastChangedDate()));
}

records::ProductRecord TUpdProd::Typed() const {
    records::ProductRecord product = product_;
    product.setCode(widgets::FromRecordText(code_->text()));
    product.setDescription(widgets::FromRecordText(description_->text()));
    product.setPrice(widgets::FromRecordText(price_->text()));
    product.setTaxable(taxable_->isChecked());
    product.setNotes(widgets::FromRecordText(notes_->text()));
    return product;
}

void TUpdProd::OkBtnClick() {
    if (!check_) return;
    const std::optional<ProductFailure> failure = (*check_)(Typed());
    if (!failure) {
        accept();
        return;
    }
    prompts_.Warn(failure->caption, failure->text);
    if (auto* field = findChild<QLineEdit*>(QString::fromStdString(failure->control))) {
        field->setFocus();
        field->selectAll();
    }
}

}  // namespace products::ui
