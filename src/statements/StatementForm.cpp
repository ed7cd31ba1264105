#include "statements/StatementForm.h"

#include <algorithm>
#include <array>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/FormHeading.h"

namespace statements {
namespace {

constexpr char kDefaultCaption[] = "Statement";
// The widths of the columns in capital X's: date, number, reference, three amounts.
constexpr std::array<int, 6> kColumnLetters = {10, 9, 20, 12, 11, 11};
// The frame keeps this far from the page edges, in device units, inside the text's margin.
constexpr int kFrame = 20;
// Lines kept free at the foot of a page for the "continued" line or the account status.
constexpr int kFootLines = 5;

struct Column {
    int x = 0;
    int width = 0;
    int right() const { return x + width; }
};

class StatementPainter {
public:
    StatementPainter(base::Canvas& canvas, const Statement& statement,
                     const records::CompanyRecord& company, const std::string& today)
        : c_(canvas), s_(statement), co_(company), today_(today) {}

    bool Print() {
        c_.SetFont(co_.bodyFont().ToChoice());
        if (!c_.BeginDocument(base::Win1252ToUtf8(StatementJobTitle(s_)))) return false;
        width_ = c_.PageWidth();
        height_ = c_.PageHeight();
        margin_ = c_.DotsPerInch() / 8;
        c_.SetPen(0, 1);
        c_.SetBrush(0xFFFFFF, base::BrushStyle::Clear);
        Columns();
        int page = 1;
        Page(page);
        for (const StatementRow& row : s_.rows) {
            const int h = Body();
            if (y_ + h > height_ - kFootLines * h) {
                Centre(y_ + h, "Continued on page " + std::to_string(page + 1));
                c_.NewPage();
                Page(++page);
            }
            Row(CellsOf(row));
        }
        Totals();
        AccountStatus();
        c_.EndDocument();
        return true;
    }

private:
    int Use(const records::FontSpec& font) {
        c_.SetFont(font.ToChoice());
        return company::LineHeight(c_);
    }
    int Body() { return Use(co_.bodyFont()); }
    void Text(int x, int y, std::string_view text) { c_.TextOut(x, y, base::Win1252ToUtf8(text)); }
    int Width(std::string_view text) { return c_.TextWidth(base::Win1252ToUtf8(text)); }
    void Centre(int y, std::string_view text) { Text((width_ - Width(text)) / 2, y, text); }
    void RightAt(int right, int y, std::string_view text) { Text(right - Width(text), y, text); }
    void Rule(int y) { c_.Line(columns_[0].x, y, columns_[5].right(), y); }
    // Cut at the end until it fits `width`, so a long reference never runs into the amounts.
    std::string Fitted(std::string text, int width) {
        while (!text.empty() && Width(text) > width) text.pop_back();
        return text;
    }

    // Every page: the frame when the company wants one, the heading, the customer's address and
    // the column headings.
    void Page(int number) {
        if (co_.statementBox()) c_.Rectangle(kFrame, kFrame, width_ - kFrame, height_ - kFrame);
        const company::HeadingExtent heading =
            company::DrawCompanyHeading(c_, co_, margin_, margin_);
        const int captionLine = Use(co_.captionFont());
        const std::string caption = base::Trim(co_.statementCaption()).empty()
                                        ? std::string(kDefaultCaption)
                                        : base::Trim(co_.statementCaption());
        const int right = width_ - margin_;
        RightAt(right, margin_, caption);
        int y = margin_ + captionLine * 3 / 2;
        const int h = Body();
        for (const std::string& line :
             {"Page Number: " + std::to_string(number), "Statement Date: " + today_,
              "Account Number: " + s_.customer.number}) {
            RightAt(right, y, line);
            y += h;
        }
        y_ = std::max(y, heading.bottom) + h;
        Customer();
        ColumnHeadings();
    }

    void Customer() {
        const int h = Use(co_.customerAddressFont());
        const int x = margin_ + c_.DotsPerInch() / 2;
        Text(x, y_, s_.customer.name);
        y_ += h;
        for (const std::string& line : s_.customer.address) {
            if (base::Trim(line).empty()) continue;
            Text(x, y_, line);
            y_ += h;
        }
        y_ += h;
    }

    // The columns laid out by their widths in capitals, narrowed in proportion when the page is
    // narrower, and centred.
    void Columns() {
        Body();
        const int gap = Width("XX");
        int used = gap * static_cast<int>(kColumnLetters.size() - 1);
        std::array<int, 6> widths{};
        for (size_t k = 0; k < widths.size(); ++k) {
            widths[k] = Width(std::string(kColumnLetters[k], 'X'));
            used += widths[k];
        }
        const int room = width_ - 2 * margin_;
        const auto fitted = [&](int w) {
            return used > room ? static_cast<int>(static_cast<long long>(w) * room / used) : w;
        };
        int x = (width_ - fitted(used)) / 2;
        for (size_t k = 0; k < widths.size(); ++k) {
            columns_[k] = {x, fitted(widths[k])};
            x += columns_[k].width + fitted(gap);
        }
    }

    void ColumnHeadings() {
        const int h = Use(co_.agingFont());
        const std::array<std::string, 6> headings = {
            "Date",         "Invoice#",    "Reference/Comments",
            "Total Amount", "Paid Amount", " Balance Due"};
        for (size_t k = 0; k < 3; ++k) Text(columns_[k].x, y_, headings[k]);
        for (size_t k = 3; k < 6; ++k) RightAt(columns_[k].right(), y_, headings[k]);
        y_ += h + h / 4;
        Rule(y_);
        y_ += h / 4;
    }

    void Row(const StatementCells& cells) {
        const int h = Body();
        for (size_t k = 0; k < 3; ++k) Text(columns_[k].x, y_, Fitted(cells[k], columns_[k].width));
        for (size_t k = 3; k < 6; ++k) RightAt(columns_[k].right(), y_, cells[k]);
        y_ += h;
    }

    void Totals() {
        const int h = Body();
        Rule(y_ + h / 4);
        y_ += h / 2;
        Row(TotalsCells(s_));
    }

    void AccountStatus() {
        const int h = Use(co_.agingFont());
        const int y = std::max(y_ + 2 * h, height_ - 3 * h);
        const auto& aging = s_.customer.aging;
        Text(columns_[0].x, y, "Account Status:");
        const std::array<std::string, 4> texts = {
            "Current: " + ShownAmount(aging[0]), "31-60: " + ShownAmount(aging[1]),
            "61-90: " + ShownAmount(aging[2]), "Over 90: " + ShownAmount(aging[3])};
        const int step = (columns_[5].right() - columns_[0].x) / 5;
        for (size_t k = 0; k < texts.size(); ++k)
            Text(columns_[0].x + step * static_cast<int>(k + 1), y, texts[k]);
    }

    base::Canvas& c_;
    const Statement& s_;
    const records::CompanyRecord& co_;
    const std::string& today_;
    int width_ = 0;
    int height_ = 0;
    int margin_ = 0;
    int y_ = 0;
    std::array<Column, 6> columns_{};
};

}  // namespace

std::string StatementJobTitle(const Statement& statement) {
    return "Statement - " + base::Trim(statement.customer.name);
}

bool PrintStatementForm(base::Canvas& canvas, const Statement& statement,
                        const records::CompanyRecord& company, const std::string& today) {
    return StatementPainter(canvas, statement, company, today).Print();
}

}  // namespace statements
