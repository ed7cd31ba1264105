#pragma once
// The output window's grid as a table model over the report grid: no copy of the rows and no
// widget per row, so a report of a million rows scrolls as one of ten. The headings are the
// grid's row 0; total rows are highlighted and bold. Amounts are right-aligned, an amount with
// fewer decimals than its column's followed by figure spaces (as wide as a digit), so that the
// decimal points line up.

#include <QAbstractTableModel>

#include "statements/ReportGrid.h"

namespace statements::ui {

class ReportGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReportGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Shows `grid` (null: nothing); call again after every regrouping.
    void Show(const ReportGrid* grid);
    const ReportGrid* grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ReportGrid* grid_ = nullptr;
};

}  // namespace statements::ui
