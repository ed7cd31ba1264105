#pragma once
// The line items of the entry window (`StringGrid1`): 99 rows of product code, quantity,
// description or comment, unit price, taxed mark and extension, the row number in front. Each
// column takes at most its field's characters of record text; the extension is recomputed
// from the row whenever one of its cells changes and is not typed. Enter in a product cell asks
// for the product look-up, a double click there for the Product Manager; Enter elsewhere moves on
// to the product cell of the next row, Tab to the next cell.

#include <QTableWidget>
#include <functional>
#include <vector>

#include "invoicing/InvoiceDraft.h"

namespace invoicing::ui {

enum GridColumns { kLineColumn = 0, kTaxedColumn = 5, kExtensionColumn = 6, kGridColumns = 7 };

class TInvoiceGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TInvoiceGrid(QWidget* parent = nullptr);

    // Row `row` is line item `row` (1..99).
    void ShowLines(const std::vector<DraftLine>& lines, const records::CompanyRecord& company);
    std::vector<DraftLine> Lines() const;
    DraftLine Line(int row) const;
    void SetLine(int row, const DraftLine& line);
    int CurrentLine() const { return currentRow() + 1; }
    void GoToCell(int row, int column);

    // A cell changed (the row's extension is already recomputed).
    std::function<void()> OnLinesChanged;
    // Enter in the product cell of line `row`, and a double click there.
    std::function<void(int row)> OnProductEntered;
    std::function<void(int row)> OnFindProduct;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void CellChanged(int row, int column);
    void MoveToNextRow();
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);

    bool filling_ = false;
};

}  // namespace invoicing::ui
