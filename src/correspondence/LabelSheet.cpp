#include "correspondence/LabelSheet.h"

#include <optional>
#include <string_view>

#include "base/Text.h"
#include "base/Windows1252.h"

namespace correspondence {
namespace {

constexpr char kBadLayoutText[] =
    "Your layout definition holds a value that cannot be printed: the margins must be whole "
    "numbers of 0 or more, and columns, rows, label width and height whole numbers of 1 or more. "
    "Unable to print.";
constexpr char kBadFontSizeText[] =
    "The label font size must be from 1 to 200 points. Unable to print.";
constexpr char kBadCopiesText[] = "Copies of each label must be a number from 1 to 999.";
constexpr int kLargestFont = 200;
constexpr int kMostCopies = 999;

// A number of zero or more written in digits only, as the layout's masked fields take them.
std::optional<int> Digits(std::string_view text) {
    const std::string trimmed = base::Trim(text);
    if (trimmed.empty() || trimmed.size() > 6) return std::nullopt;
    for (char c : trimmed)
        if (c < '0' || c > '9') return std::nullopt;
    return std::stoi(trimmed);
}

// The wizard's counters: an empty text, or one whose first character is "0", counts as 1.
std::optional<int> Counter(std::string_view text) {
    const std::string trimmed = base::Trim(text);
    if (trimmed.empty() || trimmed.front() == '0') return 1;
    return Digits(trimmed);
}

}  // namespace

LabelAddress AddressOf(const records::CustomerRecord& customer, bool shippingAddress) {
    const auto u = [](const std::string& text) { return base::Win1252ToUtf8(text); };
    if (shippingAddress)
        return {u(customer.name()),
                {u(customer.shipping1()), u(customer.shipping2()), u(customer.shipping3()),
                 u(customer.shipping4())}};
    return {u(customer.name()),
            {u(customer.billing1()), u(customer.billing2()), u(customer.billing3()),
             u(customer.billing4())}};
}

std::array<std::string, 5> ReturnAddressOf(const records::CompanyRecord& company) {
    const auto u = [](const std::string& text) { return base::Win1252ToUtf8(text); };
    return {u(company.name()), u(company.address1()), u(company.address2()), u(company.address3()),
            u(company.address4())};
}

std::variant<LabelPlan, std::string> PlanLabels(const LabelLayout& layout, std::string_view start,
                                                std::string_view copies) {
    const std::array<const std::string*, 6> sizes = {&layout.topMargin,     &layout.leftMargin,
                                                     &layout.columnsAcross, &layout.rowsDown,
                                                     &layout.labelWidth,    &layout.labelHeight};
    for (const std::string* size : sizes)
        if (base::Trim(*size).empty()) return std::string(kEmptyLayoutFieldText);
    const std::optional<int> left = Digits(layout.leftMargin);
    const std::optional<int> top = Digits(layout.topMargin);
    const std::optional<int> columns = Digits(layout.columnsAcross);
    const std::optional<int> rows = Digits(layout.rowsDown);
    const std::optional<int> width = Digits(layout.labelWidth);
    const std::optional<int> height = Digits(layout.labelHeight);
    const std::optional<int> lineWidth = Counter(layout.lineWidth);
    if (!left || !top || !columns || !rows || !width || !height || !lineWidth || *columns < 1 ||
        *rows < 1 || *width < 1 || *height < 1)
        return std::string(kBadLayoutText);
    if (layout.font.size < 1 || layout.font.size > kLargestFont)
        return std::string(kBadFontSizeText);

    LabelPlan plan;
    plan.leftMargin = *left;
    plan.topMargin = *top;
    plan.columns = *columns;
    plan.rows = *rows;
    plan.width = *width;
    plan.height = *height;
    plan.font = layout.font.ToChoice();
    plan.shippingAddress = layout.shippingAddress;
    plan.returnAddress = layout.returnAddress;
    const std::string bitmap = base::Trim(layout.bitmap);
    if (layout.returnAddress) plan.bitmap = base::Win1252ToUtf8(bitmap);
    plan.printLine = layout.returnAddress && layout.printLine;
    plan.lineWidth = *lineWidth;
    plan.sendToCaption = base::Win1252ToUtf8(layout.sendToCaption);

    const int perSheet = plan.columns * plan.rows;
    const std::optional<int> first = Counter(start);
    if (!first || *first > perSheet)
        return "The start label must be a number from 1 to " + std::to_string(perSheet) +
               " (the labels on one sheet).";
    plan.start = *first;
    const std::optional<int> count = Counter(copies);
    if (!count || *count > kMostCopies) return std::string(kBadCopiesText);
    plan.copies = *count;
    return plan;
}

int PrintLabels(base::Canvas& canvas, const LabelPlan& plan,
                const std::array<std::string, 5>& returnAddress,
                const std::vector<LabelAddress>& addresses) {
    canvas.SetFont(plan.font);
    if (!canvas.BeginDocument("Mailing Labels")) return -1;
    canvas.SetBrush(0xFFFFFF, base::BrushStyle::Clear);
    const int h = canvas.TextHeight("MXjpy");
    const int perSheet = plan.columns * plan.rows;
    std::optional<base::Canvas::ImageExtent> bitmap;
    if (plan.returnAddress && !plan.bitmap.empty()) bitmap = canvas.ImageSize(plan.bitmap);

    int count = 0;
    int sheet = 0;
    for (const LabelAddress& address : addresses) {
        for (int copy = 0; copy < plan.copies; ++copy) {
            // The labels before the start position stay empty on the first sheet only.
            const int position = plan.start - 1 + count;
            if (position / perSheet > sheet) {
                canvas.NewPage();
                sheet = position / perSheet;
            }
            const int onSheet = position % perSheet;
            const int x = plan.leftMargin + onSheet % plan.columns * plan.width;
            const int y0 = plan.topMargin + onSheet / plan.columns * plan.height;

            int block = 0;
            int captionOffset = 0;
            if (plan.returnAddress) {
                int indent = 0;
                if (bitmap) {
                    canvas.DrawImage(x, y0, x + bitmap->width, y0 + bitmap->height, plan.bitmap);
                    indent = bitmap->width + 25;
                }
                for (int k = 0; k < 5; ++k)
                    canvas.TextOut(x + indent, y0 + k * h, returnAddress[k]);
                if (plan.printLine) {
                    canvas.SetPen(0, plan.lineWidth);
                    const int lineY = y0 + 5 * h + 20;
                    canvas.Line(x - 25, lineY, x + plan.width / 10 * 8, lineY);
                }
                block = 6 * h;
                captionOffset = canvas.TextWidth(plan.sendToCaption + "X");
                if (!plan.sendToCaption.empty()) canvas.TextOut(x, y0 + block, plan.sendToCaption);
            }
            canvas.TextOut(x + captionOffset, y0 + block, address.name);
            for (int k = 1; k <= 4; ++k)
                canvas.TextOut(x + captionOffset, y0 + block + k * h, address.lines[k - 1]);
            ++count;
        }
    }
    canvas.EndDocument();
    return count;
}

std::string LabelsSentText(int count) {
    return "Complete. " + std::to_string(count) + " label(s) sent to printer.";
}

bool PrintCalibrationRuler(base::Canvas& canvas) {
    // Numbers small enough that "1000" and "1100" stay apart at 600 dots per inch.
    canvas.SetFont(base::FontChoice{"Arial", 6});
    if (!canvas.BeginDocument("Calibration Ruler")) return false;
    canvas.SetBrush(0xFFFFFF, base::BrushStyle::Clear);
    int th = canvas.TextHeight("20");
    constexpr int kStep = 25;
    constexpr int kTicks = 61;
    // The vertical ruler: every fourth tick long, thick and numbered.
    for (int i = 0; i < kTicks; ++i) {
        const int v = i * kStep;
        if (i % 4 == 0) {
            canvas.SetPen(0, 3);
            canvas.Line(50, v, 300, v);
            canvas.TextOut(325, v - th / 2, std::to_string(v));
        } else {
            canvas.SetPen(0, 1);
            canvas.Line(100, v, 250, v);
        }
    }
    // The horizontal ruler below it.
    for (int i = 0; i < kTicks; ++i) {
        const int v = i * kStep;
        if (i % 4 == 0) {
            canvas.SetPen(0, 3);
            canvas.Line(v, 1750, v, 2000);
            canvas.TextOut(v - th, 2025, std::to_string(v));
        } else {
            canvas.SetPen(0, 1);
            canvas.Line(v, 1800, v, 1950);
        }
    }
    canvas.SetFont(base::FontChoice{"Arial", 10});
    th = canvas.TextHeight("20");
    canvas.TextOut(300, 2525,
                   "Use the top ruler for vertical height measurement and the bottom ruler to "
                   "measure horizontal width.");
    canvas.TextOut(300, 2525 + th + 10,
                   "Be sure to include any spacing between labels in your height and width "
                   "measurements.");
    canvas.EndDocument();
    return true;
}

}  // namespace correspondence
