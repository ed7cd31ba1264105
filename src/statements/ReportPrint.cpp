#include "statements/ReportPrint.h"

#include <algorithm>
#include <vector>

#include "base/Windows1252.h"

namespace statements {
namespace {

constexpr char kWidestAmount[] = "9,999,999.99";
constexpr char kWidestQuantity[] = "9,999,999.999";
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kShade = 0xE8E8E8;

int DecimalsOf(const std::string& text) {
    const size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

struct Layout {
    std::vector<int> left, width, decimals;
    int digitWidth = 0;
};

// Amount columns as wide as the widest amount a record holds, text columns as their widest cell.
Layout Measure(base::Canvas& canvas, const ReportGrid& grid, const base::FontChoice& font) {
    Layout layout;
    const int gap = canvas.TextWidth("    ");
    layout.digitWidth = canvas.TextWidth("0");
    int x = canvas.DotsPerInch() / 2;
    for (int column = 0; column < grid.columnCount(); ++column) {
        const CellKind kind = grid.Column(column).kind;
        base::FontChoice bold = font;
        bold.bold = true;
        canvas.SetFont(bold);
        int width = canvas.TextWidth(base::Win1252ToUtf8(grid.Column(column).heading));
        canvas.SetFont(font);
        int decimals = 0;
        if (kind == CellKind::Amount || kind == CellKind::Quantity)
            width = std::max(width, canvas.TextWidth(kind == CellKind::Quantity ? kWidestQuantity
                                                                                : kWidestAmount));
        for (int row = 1; row < grid.rowCount(); ++row) {
            const std::string text = grid.Text(row, column);
            if (IsNumber(kind)) decimals = std::max(decimals, DecimalsOf(text));
            if (kind != CellKind::Amount && kind != CellKind::Quantity)
                width = std::max(width, canvas.TextWidth(base::Win1252ToUtf8(text)));
        }
        layout.left.push_back(x);
        layout.width.push_back(width);
        layout.decimals.push_back(decimals);
        x += width + gap;
    }
    return layout;
}

class ReportPages {
public:
    ReportPages(base::Canvas& canvas, const Report& report, const ReportGrid& grid,
                const base::FontChoice& font)
        : canvas_(canvas), report_(report), grid_(grid), font_(font), bold_(font) {
        bold_.bold = true;
        margin_ = canvas.DotsPerInch() / 2;
        canvas.SetFont(font);
        lineHeight_ = std::max(1, canvas.TextHeight("Ag") * 6 / 5);
        layout_ = Measure(canvas, grid, font);
    }

    int Print() {
        int page = 1;
        Head(page);
        int printed = 0;
        for (int row = 1; row < grid_.rowCount(); ++row) {
            if (y_ + lineHeight_ > Bottom()) {
                Foot(page + 1);
                canvas_.NewPage();
                Head(++page);
            }
            Row(row);
            if (grid_.Role(row) == RowRole::Item) ++printed;
        }
        return printed;
    }

private:
    int Bottom() const { return canvas_.PageHeight() - margin_ - 2 * lineHeight_; }
    int Right() const { return canvas_.PageWidth() - margin_; }

    void Text(int x, const std::string& text) { canvas_.TextOut(x, y_, base::Win1252ToUtf8(text)); }

    void Head(int page) {
        y_ = margin_;
        canvas_.SetFont(font_);
        Text(margin_, report_.dateLine);
        const std::string number = "Page " + std::to_string(page);
        canvas_.TextOut(Right() - canvas_.TextWidth(number), y_, number);
        y_ += lineHeight_ * 3 / 2;
        canvas_.SetFont(bold_);
        Text(margin_, report_.title);
        y_ += lineHeight_;
        canvas_.SetFont(font_);
        for (const std::string* line : {&report_.company, &report_.selection}) {
            Text(margin_, *line);
            y_ += lineHeight_;
        }
        for (const std::string& note : report_.notes) {
            Text(margin_, note);
            y_ += lineHeight_;
        }
        y_ += lineHeight_ / 2;
        canvas_.SetFont(bold_);
        for (int column = 0; column < grid_.columnCount(); ++column)
            Cell(column, grid_.Column(column).heading, false);
        y_ += lineHeight_;
        canvas_.SetPen(kBlack, 1);
        canvas_.Line(margin_, y_, Right(), y_);
        y_ += lineHeight_ / 4;
    }

    void Foot(int nextPage) {
        canvas_.SetFont(font_);
        canvas_.TextOut(margin_, canvas_.PageHeight() - margin_ - lineHeight_,
                        "Continued on page " + std::to_string(nextPage) + " ...");
    }

    // A number right-aligned so that its decimal point lines up with the column's others.
    void Cell(int column, const std::string& text, bool number) {
        if (text.empty()) return;
        if (!number) {
            Text(layout_.left[column], text);
            return;
        }
        const int right = layout_.left[column] + layout_.width[column] -
                          layout_.digitWidth * (layout_.decimals[column] - DecimalsOf(text));
        Text(right - canvas_.TextWidth(base::Win1252ToUtf8(text)), text);
    }

    void Row(int row) {
        const bool total = grid_.Role(row) != RowRole::Item;
        if (total) {
            canvas_.SetBrush(kShade, base::BrushStyle::Solid);
            canvas_.FillRect(margin_, y_, Right(), y_ + lineHeight_);
        }
        canvas_.SetFont(total ? bold_ : font_);
        for (int column = 0; column < grid_.columnCount(); ++column)
            Cell(column, grid_.Text(row, column),
                 IsNumber(grid_.Column(column).kind) && grid_.Value(row, column));
        y_ += lineHeight_;
    }

    base::Canvas& canvas_;
    const Report& report_;
    const ReportGrid& grid_;
    base::FontChoice font_;
    base::FontChoice bold_;
    Layout layout_;
    int margin_ = 0;
    int lineHeight_ = 1;
    int y_ = 0;
};

}  // namespace

bool PrintsLandscape(ReportKind kind) {
    return kind == ReportKind::Sales;
}

int PrintReport(base::Canvas& canvas, const Report& report, const ReportGrid& grid,
                const base::FontChoice& font) {
    return ReportPages(canvas, report, grid, font).Print();
}

std::string PrintedStatus(int records) {
    return "Report Complete. " + std::to_string(records) + " records printed.";
}

}  // namespace statements
