#include "statements/ui/ReportGridModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "base/Windows1252.h"

namespace statements::ui {
namespace {

const QColor kTotalShade(0xFF, 0xF2, 0xB3);

int DecimalsOf(const std::string& text) {
    const size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// An amount padded on the right to the decimals of its column, two or three for quantities: a
// punctuation space for a missing point, figure spaces for missing digits.
QString Aligned(const std::string& text, CellKind kind) {
    const int decimals = DecimalsOf(text);
    const int missing = (kind == CellKind::Quantity ? 3 : 2) - decimals;
    QString shown = QString::fromStdString(text);
    if (missing <= 0) return shown;
    if (decimals == 0) shown += QChar(0x2008);
    return shown + QString(missing, QChar(0x2007));
}

}  // namespace

void ReportGridModel::Show(const ReportGrid* grid) {
    beginResetModel();
    grid_ = grid;
    endResetModel();
}

int ReportGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !grid_ ? 0 : grid_->rowCount() - 1;
}

int ReportGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !grid_ ? 0 : grid_->columnCount();
}

QVariant ReportGridModel::data(const QModelIndex& index, int role) const {
    if (!grid_ || !index.isValid()) return {};
    const int row = index.row() + 1;
    const bool total = grid_->Role(row) != RowRole::Item;
    const CellKind kind = grid_->Column(index.column()).kind;
    switch (role) {
        case Qt::DisplayRole: {
            const std::string text = base::Win1252ToUtf8(grid_->Text(row, index.column()));
            if (kind == CellKind::Amount || kind == CellKind::Quantity)
                if (grid_->Value(row, index.column())) return Aligned(text, kind);
            return QString::fromStdString(text);
        }
        case Qt::TextAlignmentRole:
            return IsNumber(kind) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                  : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            return total ? QVariant(QBrush(kTotalShade)) : QVariant();
        case Qt::FontRole: {
            if (!total) return {};
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        default:
            return {};
    }
}

QVariant ReportGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!grid_ || role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return {};
    return QString::fromStdString(base::Win1252ToUtf8(grid_->Text(0, section)));
}

}  // namespace statements::ui
