#include "invoicing/ui/InvoiceView.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/Decimal.h"
#include "invoicing/InvoiceViewTexts.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"

namespace invoicing::ui {
namespace {

enum Column { kNumber, kCode, kQuantity, kDescription, kPrice, kTax, kExtension, kColumns };

constexpr const char* kTotalNames[][2] = {{"NetCaption", "NetLabel"},
                                          {"TaxCaption", "TaxLabel"},
                                          {"TotalCaption", "TotalLabel"},
                                          {"PaidCaption", "PaidLabel"},
                                          {"BalanceCaption", "BalanceLabel"}};

QString Shown(const std::string& text) {
    return widgets::ToRecordText(text);
}

// Numbers sort by value ("9" before "10", "1,250.50" after "980"), after every text.
class LineItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget()->sortColumn();
        const auto mine = base::Decimal::Parse(text(column).toStdString());
        const auto theirs = base::Decimal::Parse(other.text(column).toStdString());
        if (mine && theirs) return *mine < *theirs;
        if (mine.has_value() != theirs.has_value()) return theirs.has_value();
        return QTreeWidgetItem::operator<(other);
    }
};

// Amounts and quantities line up on their right edge, the tax mark under its heading.
Qt::Alignment AlignmentOf(int column) {
    switch (column) {
        case kQuantity:
        case kPrice:
        case kExtension:
            return Qt::AlignRight | Qt::AlignVCenter;
        case kTax:
            return Qt::AlignCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// A modifier held down on its own is not yet a key press.
bool IsModifier(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta ||
           key == Qt::Key_Alt || key == Qt::Key_AltGr;
}

QFrame* Rule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

void Bold(QLabel& label) {
    QFont font = label.font();
    font.setBold(true);
    label.setFont(font);
}

}  // namespace

Trtedit::Trtedit(QWidget* parent) : QDialog(parent) {
    setObjectName("Trtedit");
    setWindowTitle("View Invoice");
    setModal(true);

    auto* billTo = new QVBoxLayout;
    for (size_t i = 0; i < billTo_.size(); ++i)
        billTo->addWidget(billTo_[i] = Value(("Label" + std::to_string(i + 1)).c_str(), this));
    Bold(*billTo_[0]);
    auto* shipTo = new QVBoxLayout;
    shipTo->addWidget(shipCaption_ = Value("Label6", this));
    Bold(*shipCaption_);
    for (size_t i = 0; i < shipTo_.size(); ++i)
        shipTo->addWidget(shipTo_[i] = Value(("Label" + std::to_string(i + 7)).c_str(), this));
    auto* addresses = new QHBoxLayout;
    addresses->addLayout(billTo, 1);
    addresses->addSpacing(24);
    addresses->addLayout(shipTo, 1);
    billTo->addStretch(1);
    shipTo->addStretch(1);

    auto* information = new QGridLayout;
    const auto addInfo = [&](int row, int column, const char* caption, const char* name,
                             int span = 1) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QString(name).replace("Label", "Caption"));
        information->addWidget(label, row, column);
        QLabel* value = Value(name, this);
        information->addWidget(value, row, column + 1, 1, span);
        return value;
    };
    date_ = addInfo(0, 0, "Date: ", "DateLabel");
    number_ = addInfo(0, 2, "Number: ", "NumberLabel");
    account_ = addInfo(0, 4, "Account Number: ", "AccountLabel");
    terms_ = addInfo(1, 0, "Payment Terms: ", "TermsLabel", 3);
    reference_ = addInfo(2, 0, "Reference: ", "ReferenceLabel", 5);
    information->setColumnStretch(1, 1);
    information->setColumnStretch(3, 1);
    information->setColumnStretch(5, 1);
    information->setHorizontalSpacing(8);

    typeCaption_ = Value("Label24", this);
    typeCaption_->setAlignment(Qt::AlignCenter);
    Bold(*typeCaption_);

    list_ = new QTreeWidget(this);
    list_->setObjectName("ListView1");
    list_->setColumnCount(kColumns);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setSortingEnabled(true);
    // Every key closes the window, so no control takes the focus (nor draws a focus frame).
    list_->setFocusPolicy(Qt::NoFocus);
    list_->header()->setSectionsMovable(false);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(kDescription, QHeaderView::Stretch);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("Memo1");
    memo_->setReadOnly(true);
    memo_->setFocusPolicy(Qt::NoFocus);

    auto* totals = new QGridLayout;
    for (size_t i = 0; i < totals_.size(); ++i) {
        totalCaptions_[i] = Value(kTotalNames[i][0], this);
        totals_[i] = Value(kTotalNames[i][1], this);
        totals_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        totals_[i]->setMinimumWidth(totals_[i]->fontMetrics().horizontalAdvance("-9,999,999.99"));
        totals->addWidget(totalCaptions_[i], static_cast<int>(i), 0);
        totals->addWidget(totals_[i], static_cast<int>(i), 1);
    }
    Bold(*totals_.back());
    Bold(*totalCaptions_.back());
    auto* hint = new QLabel("Double-click or press any key to close.", this);
    hint->setObjectName("CloseHint");
    hint->setStyleSheet("color: gray");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1, Qt::AlignLeft | Qt::AlignBottom);
    bottom->addLayout(totals);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(addresses);
    layout->addWidget(Rule(this));
    layout->addLayout(information);
    layout->addWidget(Rule(this));
    layout->addWidget(typeCaption_);
    layout->addWidget(list_, 1);
    layout->addWidget(memo_, 1);
    layout->addLayout(bottom);
    resize(820, 600);
    CloseOnEveryControl();
}

QLabel* Trtedit::Value(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The window closes from wherever the double-click or key lands, so every control passes them on.
void Trtedit::CloseOnEveryControl() {
    installEventFilter(this);
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
}

bool Trtedit::eventFilter(QObject* watched, QEvent* event) {
    const bool closes =
        event->type() == QEvent::MouseButtonDblClick ||
        (event->type() == QEvent::KeyPress && !IsModifier(static_cast<QKeyEvent*>(event)->key()));
    if (!closes) return QDialog::eventFilter(watched, event);
    reject();
    return true;
}

void Trtedit::Show(const InvoiceDocument& document, const records::CompanyRecord& company) {
    const InvoiceViewTexts texts = ViewTextsOf(document, company);
    setWindowTitle(Shown(texts.caption));
    for (size_t i = 0; i < billTo_.size(); ++i) billTo_[i]->setText(Shown(document.billTo[i]));
    shipCaption_->setText(Shown(company.shippingCaption()));
    for (size_t i = 0; i < shipTo_.size(); ++i) shipTo_[i]->setText(Shown(document.shipTo[i]));
    date_->setText(Shown(document.date));
    number_->setText(Shown(document.number));
    account_->setText(Shown(document.accountNumber));
    terms_->setText(Shown(document.terms));
    reference_->setText(Shown(document.reference));
    typeCaption_->setText(Shown(texts.typeCaption));

    const QFont columns = widgets::PrinterCanvas::ToColumnFont(company.managersFont().ToChoice());
    list_->setFont(columns);
    memo_->setFont(columns);
    list_->setVisible(!texts.showsMemo);
    memo_->setVisible(texts.showsMemo);
    memo_->clear();
    for (const std::string& line : texts.memo) memo_->appendPlainText(Shown(line));

    list_->clear();
    QStringList headers;
    for (const std::string& header : texts.headers) headers << Shown(header);
    list_->setHeaderLabels(headers);
    for (int column = 0; column < kColumns; ++column)
        list_->headerItem()->setTextAlignment(column, AlignmentOf(column));
    for (const ViewRow& row : texts.rows) {
        auto* item = new LineItem(list_);
        for (int column = 0; column < kColumns; ++column) {
            item->setText(column, Shown(row[column]));
            item->setTextAlignment(column, AlignmentOf(column));
        }
    }
    list_->sortByColumn(kNumber, Qt::AscendingOrder);

    for (size_t i = 0; i < totals_.size(); ++i) {
        totalCaptions_[i]->setText(Shown(texts.totals[i].caption));
        totals_[i]->setText(Shown(texts.totals[i].amount));
    }
}

void Trtedit::Execute(const InvoiceDocument& document, const records::CompanyRecord& company) {
    Show(document, company);
    exec();
}

}  // namespace invoicing::ui
