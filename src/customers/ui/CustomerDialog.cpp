#include "customers/ui/CustomerDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "base/Text.h"
#include "company/PaymentTerms.h"
#include "customers/CustomerTexts.h"
#include "widgets/RecordText.h"

namespace customers::ui {

namespace {

// Which control edits which field of the customer record (the getter's name). An edit's length
// is its field's size; a check box writes "Y" or "N".
struct Binding {
    const char* control;
    const char* field;
};

constexpr Binding kBindings[] = {
    {"CNo", "number"},
    {"CName", "name"},
    {"ShortName", "shortName"},
    {"CustType", "customerType"},
    {"CTE", "taxExempt"},
    {"CTerms", "terms"},
    {"CLimit", "creditLimit"},
    {"CAdd1Edit", "billing1"},
    {"CAdd2Edit", "billing2"},
    {"CAdd3Edit", "billing3"},
    {"CAdd4Edit", "billing4"},
    {"CShip1", "shipping1"},
    {"CShip2", "shipping2"},
    {"CShip3", "shipping3"},
    {"CShip4", "shipping4"},
    {"CPhone1", "phone1"},
    {"CPhone2", "phone2"},
    {"EMadd", "email"},
    {"MListCode", "mailListCode"},
    {"CstNote", "notes"},
    {"CRHold", "creditHold"},
    {"NotesOnInv", "notesOnInvoices"},
    {"NotesOnStmnt", "notesOnStatements"},
};

const base::FieldInfo& FieldOf(const char* name) {
    const auto& fields = records::CustomerRecord::Fields();
    return *std::find_if(fields.begin(), fields.end(), [name](const base::FieldInfo& f) {
        return std::strcmp(f.name, name) == 0;
    });
}

int SizeOf(const char* control) {
    for (const Binding& binding : kBindings) {
        if (std::strcmp(binding.control, control) == 0) return FieldOf(binding.field).size;
    }
    return 0;
}

QLineEdit* RecordEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    widgets::ConfigureRecordTextEdit(*edit, SizeOf(name));
    return edit;
}

QCheckBox* CheckBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// A label naming `buddy`, so that its accelerator moves the focus there.
QLabel* Caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TEditDlg::TEditDlg(CustomerDialogServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    setObjectName("EditDlg");
    setModal(true);
    const int charWidth = fontMetrics().horizontalAdvance('W');

    // Created in the order of the Tab key.
    number_ = RecordEdit("CNo", this);
    name_ = RecordEdit("CName", this);
    shortName_ = RecordEdit("ShortName", this);
    QLineEdit* type = RecordEdit("CustType", this);
    QLineEdit* taxExempt = RecordEdit("CTE", this);
    terms_ = new QComboBox(this);
    terms_->setObjectName("CTerms");
    terms_->setEditable(true);
    terms_->setInsertPolicy(QComboBox::NoInsert);
    widgets::ConfigureRecordTextEdit(*terms_->lineEdit(), SizeOf("CTerms"));
    QLineEdit* limit = RecordEdit("CLimit", this);
    limit->setAlignment(Qt::AlignRight);
    balance_ = new QLabel(this);
    balance_->setObjectName("CBal");
    balance_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    balance_->setFrameShape(QFrame::StyledPanel);
    balance_->setMinimumWidth(charWidth * 9);

    static constexpr const char* kBillingNames[] = {"CAdd1Edit", "CAdd2Edit", "CAdd3Edit",
                                                    "CAdd4Edit"};
    static constexpr const char* kShippingNames[] = {"CShip1", "CShip2", "CShip3", "CShip4"};
    for (size_t i = 0; i < billing_.size(); ++i) billing_[i] = RecordEdit(kBillingNames[i], this);
    for (size_t i = 0; i < shipping_.size(); ++i)
        shipping_[i] = RecordEdit(kShippingNames[i], this);
    auto* copy = Button("CopyBtn", "Copy Billing &to Shipping", this);
    auto* clear = Button("ClearBtn", "Cl&ear Shipping", this);
    autoCopy_ = CheckBox("AutoCopy", "&Auto-Copy to Shipping", this);

    QLineEdit* phone1 = RecordEdit("CPhone1", this);
    QLineEdit* phone2 = RecordEdit("CPhone2", this);
    QLineEdit* email = RecordEdit("EMadd", this);
    QLineEdit* sortCode = RecordEdit("MListCode", this);
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName("CstNote");
    notes_->setTabChangesFocus(true);
    notes_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    notes_->setFixedHeight(notes_->fontMetrics().lineSpacing() * 5);
    widgets::ConfigureRecordTextMemo(*notes_, SizeOf("CstNote"));
    QCheckBox* hold = CheckBox("CRHold", "Credit &Hold / Inactive Account", this);
    QCheckBox* onInvoices = CheckBox("NotesOnInv", "Print notes / comments on invoices", this);
    QCheckBox* onStatements =
        CheckBox("NotesOnStmnt", "Print notes / comments on statements", this);

    auto* ok = Button("OKBtn", "&Ok", this);
    ok->setDefault(true);
    auto* cancel = Button("CancelBtn", "&Cancel", this);
    auto* help = Button("HelpBtn", "Help", this);

    for (QLineEdit* narrow : {number_, limit, shortName_}) narrow->setFixedWidth(charWidth * 10);
    taxExempt->setFixedWidth(charWidth * 3);
    for (QLineEdit* phone : {phone1, phone2}) phone->setMinimumWidth(charWidth * 16);

    // One grid, so that the labels of every section line up; the addresses span it.
    auto* grid = new QGridLayout;
    const auto row = [grid](int at, QLabel* label, QWidget* field, QLabel* label2,
                            QWidget* field2) {
        grid->addWidget(label, at, 0);
        grid->addWidget(field, at, 1);
        grid->addWidget(label2, at, 2);
        grid->addWidget(field2, at, 3, Qt::AlignLeft);
    };
    row(0, Caption("C&ustomer #:", number_), number_, Caption("Balance:", balance_), balance_);
    row(1, Caption("Customer / Company Name:", name_), name_, Caption("Short Name:", shortName_),
        shortName_);
    row(2, Caption("Customer Type:", type), type, Caption("TE:", taxExempt), taxExempt);
    row(3, Caption("Payment Terms:", terms_), terms_, Caption("Credit Limit:", limit), limit);
    grid->setAlignment(number_, Qt::AlignLeft);

    auto* addresses = new QGridLayout;
    addresses->setContentsMargins(0, 6, 0, 6);
    addresses->addWidget(Caption("&Billing Address:", billing_[0]), 0, 0);
    addresses->addWidget(Caption("&Shipping Address:", shipping_[0]), 0, 1);
    for (int i = 0; i < 4; ++i) {
        addresses->addWidget(billing_[i], i + 1, 0);
        addresses->addWidget(shipping_[i], i + 1, 1);
    }
    auto* copying = new QHBoxLayout;
    copying->addWidget(copy);
    copying->addWidget(clear);
    copying->addWidget(autoCopy_);
    copying->addStretch(1);
    addresses->addLayout(copying, 5, 0, 1, 2);
    grid->addLayout(addresses, 4, 0, 1, 4);

    row(5, Caption("&Phone1:", phone1), phone1, Caption("Pho&ne2:", phone2), phone2);
    row(6, Caption("E-Mail:", email), email, Caption("&Mail List Sort Code:", sortCode), sortCode);
    grid->addWidget(Caption("Notes / Comments:", notes_), 7, 0, Qt::AlignTop);
    grid->addWidget(notes_, 7, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* flags = new QHBoxLayout;
    flags->addWidget(hold);
    flags->addWidget(onInvoices);
    flags->addWidget(onStatements);
    flags->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(grid);
    layout->addLayout(flags);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &TEditDlg::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelp("CustomerEdit"); });
    connect(copy, &QPushButton::clicked, this, &TEditDlg::CopyBillingClick);
    connect(clear, &QPushButton::clicked, this, &TEditDlg::ClearShippingClick);
    connect(name_, &QLineEdit::editingFinished, this, &TEditDlg::CNameExit);
    // Only what the user types is copied, never what filling the dialog puts in.
    for (size_t i = 0; i < billing_.size(); ++i) {
        connect(billing_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (autoCopy_->isChecked()) shipping_[i]->setText(text);
        });
    }
    resize(charWidth * 62, sizeHint().height());
}

bool TEditDlg::Execute(company::EditPurpose purpose, records::CustomerRecord& customer,
                       const CustomerCheck& check) {
    setWindowTitle(purpose == company::EditPurpose::Add ? "Add Customer" : "Edit Customer");
    customer_ = customer;
    check_ = &check;
    terms_->clear();
    for (const std::string& term : services_.paymentTerms())
        terms_->addItem(widgets::ToRecordText(term));
    Show(customer);
    autoCopy_->setChecked(services_.state.currentCompany.copyBillingToShipping());
    number_->setFocus();
    number_->selectAll();
    const bool saved = exec() == QDialog::Accepted;
    check_ = nullptr;
    if (saved) customer = customer_;
    return saved;
}

void TEditDlg::Show(const records::CustomerRecord& customer) {
    for (const Binding& binding : kBindings) {
        const base::FieldInfo& field = FieldOf(binding.field);
        const std::string text = base::ReadText(customer.data(), field.offset, field.size);
        if (field.kind == base::FieldKind::YesNo)
            findChild<QCheckBox*>(binding.control)->setChecked(text == "Y");
        else if (auto* memo = findChild<QPlainTextEdit*>(binding.control))
            widgets::ShowMemoRecordText(*memo, text);
        else if (auto* box = findChild<QComboBox*>(binding.control))
            box->setEditText(widgets::ToRecordText(text));
        else
            findChild<QLineEdit*>(binding.control)->setText(widgets::ToRecordText(text));
    }
    if (base::Trim(customer.creditLimit()).empty())
        findChild<QLineEdit*>("CLimit")->setText("0.00");
    balance_->setText(QString::fromStdString(customer.balanceAmount().Format(",0.00")));
}

records::CustomerRecord TEditDlg::Typed() const {
    records::CustomerRecord customer = customer_;
    for (const Binding& binding : kBindings) {
        const base::FieldInfo& field = FieldOf(binding.field);
        base::WriteText(customer.data(), field.offset, field.size,
                        TypedText(binding.control, field.kind));
    }
    return customer;
}

std::string TEditDlg::TypedText(const char* control, base::FieldKind kind) const {
    if (kind == base::FieldKind::YesNo)
        return findChild<QCheckBox*>(control)->isChecked() ? "Y" : "N";
    if (auto* memo = findChild<QPlainTextEdit*>(control)) return widgets::MemoRecordText(*memo);
    if (auto* box = findChild<QComboBox*>(control))
        return widgets::FromRecordText(box->currentText());
    return widgets::FromRecordText(findChild<QLineEdit*>(control)->text());
}

void TEditDlg::OKBtnClick() {
    if (!check_) return;
    records::CustomerRecord typed = Typed();
    const std::optional<CustomerFailure> failure = (*check_)(typed);
    // The checks may have proposed the short name.
    shortName_->setText(widgets::ToRecordText(typed.shortName()));
    if (!failure) {
        customer_ = typed;
        accept();
        return;
    }
    if (auto* field = findChild<QWidget*>(QString::fromStdString(failure->control))) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    }
}

void TEditDlg::CopyBillingClick() {
    for (size_t i = 0; i < billing_.size(); ++i) shipping_[i]->setText(billing_[i]->text());
}

void TEditDlg::ClearShippingClick() {
    for (QLineEdit* line : shipping_) line->clear();
}

void TEditDlg::CNameExit() {
    if (base::Trim(widgets::FromRecordText(shortName_->text())).empty()) {
        shortName_->setText(
            widgets::ToRecordText(ProposeShortName(widgets::FromRecordText(name_->text()))));
    }
}

}  // namespace customers::ui
