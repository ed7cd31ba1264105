#include "invoicing/ui/InvoiceGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "invoicing/InvoiceChecks.h"
#include "widgets/RecordText.h"

namespace invoicing::ui {
namespace {

struct ColumnInfo {
    const char* title;
    int length;  // characters a cell takes
    int width;   // pixels at the default size
};
constexpr ColumnInfo kColumns[kGridColumns] = {
    {"LN", 2, 34},          {"Product#", 10, 100},
    {"Rate/Quan.", 10, 90}, {"Description / Comment", 32, 300},
    {"Unit Price", 10, 96}, {"T", 1, 28},
    {"Extension", 12, 110},
};
constexpr Qt::Alignment kAmountAlignment = Qt::AlignRight | Qt::AlignVCenter;

bool IsAmountColumn(int column) {
    return column == kQuantityColumn || column == kPriceColumn || column == kExtensionColumn;
}

// Edits cells within their column's length; the taxed mark is one upper-case character.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        auto* edit =
            qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (edit == nullptr) return nullptr;
        widgets::ConfigureRecordTextEdit(*edit, kColumns[index.column()].length);
        if (IsAmountColumn(index.column())) edit->setAlignment(kAmountAlignment);
        if (index.column() == kTaxedColumn)
            QObject::connect(edit, &QLineEdit::textEdited, edit,
                             [edit](const QString& text) { edit->setText(text.toUpper()); });
        return edit;
    }
};

}  // namespace

TInvoiceGrid::TInvoiceGrid(QWidget* parent) : QTableWidget(kMaxRows, kGridColumns, parent) {
    setObjectName("StringGrid1");
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QStringList titles;
    for (int c = 0; c < kGridColumns; ++c) {
        titles << kColumns[c].title;
        setColumnWidth(c, kColumns[c].width);
    }
    setHorizontalHeaderLabels(titles);
    horizontalHeader()->setSectionResizeMode(kDescriptionColumn, QHeaderView::Stretch);
    for (int row = 0; row < kMaxRows; ++row) {
        for (int c = 0; c < kGridColumns; ++c) {
            auto* item = new QTableWidgetItem;
            if (IsAmountColumn(c)) item->setTextAlignment(kAmountAlignment);
            if (c == kTaxedColumn) item->setTextAlignment(Qt::AlignCenter);
            // The row number and the computed extension are not typed.
            if (c == kLineColumn || c == kExtensionColumn)
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (c == kLineColumn) item->setText(QString::number(row + 1));
            setItem(row, c, item);
        }
    }
    connect(this, &QTableWidget::cellChanged, this, &TInvoiceGrid::CellChanged);
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (column == kCodeColumn) {
            if (OnFindProduct) OnFindProduct(row + 1);
        } else if (item(row, column)->flags() & Qt::ItemIsEditable) {
            editItem(item(row, column));
        }
    });
    setCurrentCell(0, kCodeColumn);
}

QString TInvoiceGrid::Cell(int row, int column) const {
    return item(row - 1, column)->text();
}

void TInvoiceGrid::SetCell(int row, int column, const QString& text) {
    item(row - 1, column)->setText(text);
}

DraftLine TInvoiceGrid::Line(int row) const {
    const auto text = [&](int column) { return widgets::FromRecordText(Cell(row, column)); };
    return {text(kCodeColumn), text(kQuantityColumn), text(kDescriptionColumn), text(kPriceColumn),
            text(kTaxedColumn)};
}

std::vector<DraftLine> TInvoiceGrid::Lines() const {
    std::vector<DraftLine> lines;
    for (int row = 1; row <= kMaxRows; ++row) lines.push_back(Line(row));
    return lines;
}

void TInvoiceGrid::SetLine(int row, const DraftLine& line) {
    filling_ = true;
    SetCell(row, kCodeColumn, widgets::ToRecordText(line.code));
    SetCell(row, kQuantityColumn, widgets::ToRecordText(line.quantity));
    SetCell(row, kDescriptionColumn, widgets::ToRecordText(line.description));
    SetCell(row, kPriceColumn, widgets::ToRecordText(line.price));
    SetCell(row, kTaxedColumn, widgets::ToRecordText(line.taxed));
    filling_ = false;
    CellChanged(row - 1, kCodeColumn);
}

void TInvoiceGrid::ShowLines(const std::vector<DraftLine>& lines,
                             const records::CompanyRecord& company) {
    const DraftLine blank = DraftLine::Blank(company);
    for (int row = 1; row <= kMaxRows; ++row)
        SetLine(row, row <= static_cast<int>(lines.size()) ? lines[row - 1] : blank);
}

void TInvoiceGrid::CellChanged(int row, int column) {
    if (filling_ || column == kExtensionColumn || column == kLineColumn) return;
    filling_ = true;
    SetCell(row + 1, kExtensionColumn,
            QString::fromStdString(Line(row + 1).Extension().Format(",0.00")));
    filling_ = false;
    if (OnLinesChanged) OnLinesChanged();
}

void TInvoiceGrid::GoToCell(int row, int column) {
    setCurrentCell(row - 1, column);
    scrollToItem(item(row - 1, column), QAbstractItemView::PositionAtCenter);
    setFocus();
}

void TInvoiceGrid::MoveToNextRow() {
    setCurrentCell(std::min(currentRow() + 1, kMaxRows - 1), kCodeColumn);
}

void TInvoiceGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != QAbstractItemView::EditingState) {
        if (currentColumn() == kCodeColumn && OnProductEntered)
            OnProductEntered(CurrentLine());
        else
            MoveToNextRow();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TInvoiceGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableWidget::closeEditor(editor, hint);
    // Enter in an open cell ends the edit with SubmitModelCache; it then acts as on a closed cell.
    if (hint != QAbstractItemDelegate::SubmitModelCache) return;
    if (currentColumn() == kCodeColumn && OnProductEntered)
        OnProductEntered(CurrentLine());
    else
        MoveToNextRow();
}

}  // namespace invoicing::ui
