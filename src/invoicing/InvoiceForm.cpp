#include "invoicing/InvoiceForm.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/FormHeading.h"

namespace invoicing {
namespace {

// Fixed distances of the form, in device units: the frame and the rules keep kEdge from the page
// edges, the footer and account status are measured up from the page foot.
constexpr int kEdge = 20;
constexpr int kFooterBase = 100;
constexpr int kStatusTop = 110;
constexpr int kLetterheadCaption = 150;
// Rows may run down to this many body lines above the page foot before the table continues on
// the next page.
constexpr int kRowsEndLines = 10;
// The memo text ends its totals no higher than this many body lines above the footer base.
constexpr int kMemoTotalsLines = 14;
// Lines of the memo text printed even when empty; later lines only until the first empty one.
constexpr int kMemoFixedLines = 19;
constexpr char kCredit[] = "C  R  E  D  I  T";
constexpr char kRepeatMaster[] = "REPEAT MASTER SETUP";
constexpr char kDuplicate[] = "** Duplicate Invoice **";
constexpr char kHidden[] = "xxxxxxxxxx";
constexpr char kLineHeightSample[] = "MXjpy";

int Setting(std::string_view stored, int fallback = 0) {
    const std::optional<long long> value = base::ParseWholeNumber(stored);
    return value && *value >= 0 && *value < 100000 ? static_cast<int>(*value) : fallback;
}

// Where the columns of the product table lie: each column's left edge and width.
struct Column {
    int x = 0;
    int width = 0;
    int right() const { return x + width; }
};
struct TableColumns {
    std::optional<Column> code;  // only with product codes on invoices
    Column quantity, description, unitPrice, taxMark, extension;
};

class FormPainter {
public:
    FormPainter(base::Canvas& canvas, const InvoiceDocument& document,
                const records::CompanyRecord& company, DocumentKind kind)
        : c_(canvas),
          d_(document),
          co_(company),
          kind_(kind),
          left_(Setting(company.formLeftMargin())),
          top_(Setting(company.formTopMargin())),
          boxTop_(Setting(company.boxTop())),
          lineWidth_(std::max(1, Setting(company.lineWidth(), 1))),
          moveRight_(Setting(company.moveAddressesRight())) {}

    bool Print() {
        c_.SetFont(co_.bodyFont().ToChoice());
        if (!c_.BeginDocument(PrintJobTitle(d_, kind_))) return false;
        width_ = c_.PageWidth();
        height_ = c_.PageHeight();
        // Text keeps clear of the frame by an eighth of an inch.
        const int inset = c_.DotsPerInch() / 8;
        left_ += inset;
        top_ = std::max(top_, boxTop_) + inset;
        c_.SetPen(0, lineWidth_);
        c_.SetBrush(0xFFFFFF, base::BrushStyle::Clear);
        columns_ = Columns();
        Page(1);
        if (d_.IsMemo())
            Memo();
        else if (d_.HasDescribedLine())
            Table();
        Totals();
        Footer();
        AccountStatus();
        c_.EndDocument();
        return true;
    }

private:
    int Use(const records::FontSpec& font) {
        c_.SetFont(font.ToChoice());
        return c_.TextHeight(kLineHeightSample);
    }
    int Body() { return Use(co_.bodyFont()); }
    void Text(int x, int y, std::string_view text) { c_.TextOut(x, y, base::Win1252ToUtf8(text)); }
    int Width(std::string_view text) { return c_.TextWidth(base::Win1252ToUtf8(text)); }
    void Centre(int y, std::string_view text) { Text((width_ - Width(text)) / 2, y, text); }
    void RightAt(int right, int y, std::string_view text) { Text(right - Width(text), y, text); }
    void Rule(int y) { c_.Line(kEdge, y, width_ - kEdge, y); }

    std::string Caption() const {
        switch (kind_) {
            case DocumentKind::PackingSlip:
                return co_.packingSlipCaption();
            case DocumentKind::FileCopy:
                return co_.fileCopyCaption();
            case DocumentKind::Invoice:
                break;
        }
        if (d_.IsCredit()) return kCredit;
        if (d_.IsRepeatMaster()) return kRepeatMaster;
        return co_.invoiceCaption();
    }

    // Steps every page repeats: frame, heading, address blocks, information block.
    void Page(int number) {
        if (co_.invoiceBox()) c_.Rectangle(kEdge, boxTop_, width_ - kEdge, height_ - kEdge);
        y_ = co_.letterheadStyle() ? LetterheadHeading() : Heading();
        if (number > 1) {
            const int h = Use(co_.companyAddressFont());
            Centre(y_, "page number " + std::to_string(number));
            y_ += h;
        }
        Addresses();
        Information();
    }

    // Returns where the next block may start.
    int Heading() {
        // The company block first: the heading is centred on the page, or, where it would run
        // into the block (a logo pushes the block right), in the room beside it.
        const company::HeadingExtent extent = company::DrawCompanyHeading(c_, co_, left_, top_);
        const int companyLine = Use(co_.companyAddressFont());
        const int besideX = extent.besideX;
        const int bottom = extent.bottom;
        Use(co_.captionFont());
        int widest = std::max(Width(Caption()), Width(d_.number));
        Use(co_.companyAddressFont());
        widest = std::max(widest, Width(kDuplicate));
        int centre = width_ / 2;
        if (centre - widest / 2 < besideX) centre = (besideX + width_ - left_) / 2;
        const auto heading = [&](int y, std::string_view text) {
            Text(std::max(besideX, centre - Width(text) / 2), y, text);
        };
        int y = top_;
        const int captionLine = Use(co_.captionFont());
        heading(y, Caption());
        y += captionLine;
        if (!co_.omitLargeInvoiceNumber()) {
            heading(y, d_.number);
            y += captionLine;
        }
        Use(co_.companyAddressFont());
        if (d_.printed && co_.printDuplicateInvoice()) {
            heading(top_ + 4 * companyLine, kDuplicate);
            y = std::max(y, top_ + 5 * companyLine);
        }
        return std::max(y, bottom);
    }

    // Stationery that carries its own heading: the space is left free.
    int LetterheadHeading() {
        const int captionLine = Use(co_.captionFont());
        if (d_.IsRepeatMaster()) Centre(top_ + kLetterheadCaption, kRepeatMaster);
        return std::max(top_ + kLetterheadCaption + captionLine, top_ + c_.DotsPerInch() * 3 / 2);
    }

    void Addresses() {
        const int h = Use(co_.customerAddressFont());
        y_ += h * 3 / 2;
        const int x = left_ + moveRight_;
        const int shipX = width_ / 2 + moveRight_;
        for (size_t k = 0; k < d_.billTo.size(); ++k)
            Text(x, y_ + static_cast<int>(k) * h, d_.billTo[k]);
        int shipY = y_;
        if (!base::Trim(d_.shipTo[0]).empty()) {
            Text(shipX, shipY, co_.shippingCaption());
            shipY += h;
        }
        for (const std::string& line : d_.shipTo) {
            Text(shipX, shipY, line);
            shipY += h;
        }
        y_ = std::max(y_ + 5 * h, shipY) + h;
    }

    void Information() {
        const int h = Body();
        const int rowHeight = h * 3 / 2;
        const int top = y_;
        if (co_.shading()) {
            c_.SetBrush(0xC0C0C0, base::BrushStyle::FDiagonal);
            c_.FillRect(kEdge, top, width_ - kEdge, top + 2 * rowHeight);
            c_.SetBrush(0xFFFFFF, base::BrushStyle::Clear);
        }
        if (co_.horizontalLines())
            for (int k = 0; k < 3; ++k) Rule(top + k * rowHeight);
        const int textY = top + (rowHeight - h) / 2;
        Text(left_, textY, "Date: " + d_.date);
        Text(width_ / 3, textY, "Account Number: " + d_.accountNumber);
        Text(width_ * 2 / 3, textY, "Number: " + d_.number);
        Text(left_, textY + rowHeight, "Payment Terms: " + d_.terms);
        Text(width_ / 3, textY + rowHeight, "Reference: " + d_.reference);
        y_ = top + 2 * rowHeight + h;
    }

    void Memo() {
        const int h = Body();
        Text(left_, y_, co_.memoHeader());
        y_ += h * 3 / 2;
        records::FontSpec memoFont = co_.managersFont();
        memoFont.size = (memoFont.size > 0 ? memoFont.size : 8) + 2;
        const int memoLine = Use(memoFont);
        for (size_t k = 0; k < d_.memo.size(); ++k) {
            if (static_cast<int>(k) >= kMemoFixedLines && base::Trim(d_.memo[k]).empty()) break;
            Text(left_, y_, d_.memo[k]);
            y_ += memoLine;
        }
        y_ = std::max(y_, height_ - kFooterBase - kMemoTotalsLines * h);
    }

    // The columns laid out by their template widths, centred on the page.
    TableColumns Columns() {
        Body();
        const bool codes = co_.productCodesOnInvoices();
        const int ten = Width(std::string(10, 'X'));
        const int widths[] = {ten, ten,        Width(std::string(31, 'X')),
                              ten, Width("X"), Width(std::string(12, 'X'))};
        const int first = codes ? 0 : 1;
        int used = 0;
        for (int k = first; k < 6; ++k) used += widths[k];
        const int templateWidth = Width(std::string(codes ? 84 : 73, 'X'));
        // Capitals are wider than the text of a real row: a template wider than the frame is
        // narrowed to it, every column in proportion.
        const int room = width_ - 2 * left_;
        const auto fitted = [&](int w) {
            return templateWidth > room
                       ? static_cast<int>(static_cast<long long>(w) * room / templateWidth)
                       : w;
        };
        const int tableWidth = fitted(templateWidth);
        const int gap = std::max(0, fitted(templateWidth - used) / (5 - first));
        int x = (width_ - tableWidth) / 2;
        std::array<Column, 6> placed;
        for (int k = first; k < 6; ++k) {
            placed[k] = {x, fitted(widths[k])};
            x += placed[k].width + gap;
        }
        TableColumns columns{std::nullopt, placed[1], placed[2], placed[3], placed[4], placed[5]};
        if (codes) columns.code = placed[0];
        return columns;
    }

    void ColumnHeadings() {
        const int h = Use(co_.agingFont());
        const TableColumns& t = columns_;
        if (t.code) Text(t.code->x, y_, co_.productCodeHeader());
        Text(t.quantity.x, y_, co_.quantityHeader());
        Text(t.description.x, y_, co_.descriptionHeader());
        RightAt(t.unitPrice.right(), y_, co_.unitCostHeader());
        RightAt(t.extension.right(), y_, co_.extensionHeader());
        y_ += h + h / 4;
        if (co_.horizontalLines()) Rule(y_);
        y_ += h / 4;
        tableTop_ = y_;
    }

    void Row(const DocumentLine& line) {
        const int h = Body();
        const TableColumns& t = columns_;
        // A packing slip masks every price; a comment line has none to mask.
        const auto shown = [this](const std::string& amount) {
            return kind_ == DocumentKind::PackingSlip && !amount.empty() ? kHidden : amount;
        };
        if (t.code) Text(t.code->x, y_, base::CutTo(line.productCode, 10));
        Text(t.quantity.x, y_, line.quantity);
        Text(t.description.x, y_, line.description);
        RightAt(t.unitPrice.right(), y_, shown(line.unitPrice));
        Text(t.taxMark.x, y_, line.taxMark);
        RightAt(t.extension.right(), y_, shown(line.extension));
        y_ += h;
    }

    // Rules between the columns, from under the headings down to the current line.
    void ColumnRules() {
        if (!co_.verticalLines()) return;
        const TableColumns& t = columns_;
        const int gapHalf = (t.description.x - t.quantity.right()) / 2;
        std::vector<int> xs;
        if (t.code) xs.push_back(t.code->x - gapHalf);
        for (const Column& column : {t.quantity, t.description, t.unitPrice, t.taxMark})
            xs.push_back(column.x - gapHalf);
        xs.push_back(t.extension.x - gapHalf);
        xs.push_back(t.extension.right() + gapHalf);
        for (int x : xs) c_.Line(x, tableTop_ - c_.TextHeight(kLineHeightSample) / 4, x, y_);
    }

    void Table() {
        ColumnHeadings();
        int page = 1;
        for (size_t k = 0; k < d_.lines.size(); ++k) {
            Row(d_.lines[k]);
            const bool more = k + 1 < d_.lines.size();
            const int h = Body();
            if (more && y_ > height_ - kRowsEndLines * h) {
                ColumnRules();
                Centre(y_ + h / 2, "Continued on page number " + std::to_string(page + 1) + " ...");
                c_.NewPage();
                Page(++page);
                ColumnHeadings();
            }
        }
        const int h = Body();
        const int maxLines = Setting(co_.maxLines());
        const int shortBy = maxLines - static_cast<int>(d_.lines.size());
        if (co_.moveDownTotals() && shortBy > 0)
            y_ = std::min(y_ + shortBy * h, std::max(y_, height_ - kRowsEndLines * h));
        ColumnRules();
        if (co_.horizontalLines()) Rule(y_);
        y_ += h / 2;
    }

    void Totals() {
        const int h = Body();
        if (kind_ == DocumentKind::PackingSlip) {
            y_ += 2 * h;
            Centre(y_, "This is a packing slip. Please pay from invoice.");
            y_ += h;
        } else {
            const int labelRight = columns_.unitPrice.right();
            const int amountRight = columns_.extension.right();
            const std::string taxHeading = base::Trim(co_.taxHeading());
            std::vector<std::pair<std::string, std::string>> rows = {
                {"Total:", ShownAmount(d_.net)},
                {taxHeading.empty() ? "Tax:" : taxHeading, ShownAmount(d_.tax)},
                {"Grand Total:", ShownAmount(d_.total)}};
            if (!d_.paidDate.empty()) rows.emplace_back("Paid Date: ", d_.paidDate);
            rows.emplace_back("Paid Amount: ", ShownAmount(d_.paid));
            rows.emplace_back("Balance Due:", ShownAmount(d_.balanceDue));
            for (const auto& [label, amount] : rows) {
                RightAt(labelRight, y_, base::Trim(label));
                RightAt(amountRight, y_, amount);
                y_ += h;
            }
        }
        if (co_.horizontalLines()) Rule(y_ + h / 4);
    }

    // `text` broken at blanks into lines no wider than `width`.
    std::vector<std::string> Wrapped(const std::string& text, int width) {
        std::vector<std::string> lines(1);
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(' ', start);
            if (end == std::string::npos) end = text.size();
            const std::string word = text.substr(start, end - start);
            const std::string joined = lines.back().empty() ? word : lines.back() + " " + word;
            if (!lines.back().empty() && Width(joined) > width)
                lines.push_back(word);
            else
                lines.back() = joined;
            start = end + 1;
        }
        return lines;
    }

    void Footer() {
        if (!co_.salesMessageOnForms()) return;
        const int h = Use(co_.salesMessageFont());
        const int first = height_ - kFooterBase - 7 * h;
        if (y_ >= first) return;
        std::vector<std::string> lines = {co_.salesMessage1(), co_.salesMessage2(),
                                          co_.salesMessage3(), co_.salesMessage4()};
        if (d_.printNotes) lines = Wrapped(d_.customerNote, width_ - 2 * left_);
        lines.resize(4);
        for (int k = 0; k < 4; ++k) Centre(first + k * h, lines[k]);
    }

    void AccountStatus() {
        if (!co_.customerAgingOnForms() || kind_ == DocumentKind::PackingSlip) return;
        const int h = Use(co_.agingFont());
        const int y = height_ - kStatusTop;
        if (co_.shading()) {
            // Grey, not black: the hatching lies behind the amounts and must not blur them.
            c_.SetBrush(0x808080, base::BrushStyle::BDiagonal);
            c_.FillRect(kEdge, y - h - h / 4, width_ - kEdge, height_ - kEdge);
            c_.SetBrush(0xFFFFFF, base::BrushStyle::Clear);
        }
        Text(left_, y, "Account Status:");
        const std::array texts = {
            base::Trim(co_.agingCaption1()) + " " + ShownAmount(d_.aging[0]),
            base::Trim(co_.agingCaption2()) + " " + ShownAmount(d_.aging[1]),
            base::Trim(co_.agingCaption3()) + " " + ShownAmount(d_.aging[2]),
            "Over " + base::Trim(co_.agingDays3()) + ": " + ShownAmount(d_.aging[3])};
        const int step = (width_ - left_) / 5;
        for (size_t k = 0; k < texts.size(); ++k)
            Text(left_ + step * static_cast<int>(k + 1), y, texts[k]);
    }

    base::Canvas& c_;
    const InvoiceDocument& d_;
    const records::CompanyRecord& co_;
    const DocumentKind kind_;
    int left_;
    int top_;
    const int boxTop_;
    const int lineWidth_;
    const int moveRight_;
    int width_ = 0;
    int height_ = 0;
    int y_ = 0;
    int tableTop_ = 0;
    TableColumns columns_;
};

}  // namespace

std::string PrintJobTitle(const InvoiceDocument& document, DocumentKind kind) {
    switch (kind) {
        case DocumentKind::PackingSlip:
            return "Packing Slip - " + document.number;
        case DocumentKind::FileCopy:
            return "File Copy - " + document.number;
        case DocumentKind::Invoice:
            break;
    }
    return "Invoice - " + document.number;
}

bool PrintInvoiceForm(base::Canvas& canvas, const InvoiceDocument& document,
                      const records::CompanyRecord& company, DocumentKind kind) {
    return FormPainter(canvas, document, company, kind).Print();
}

}  // namespace invoicing
