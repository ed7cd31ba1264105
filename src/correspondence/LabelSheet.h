#pragma once
// Address labels on sheets of labels, and the calibration ruler that shows what the layout's
// numbers mean on paper. All positions are canvas dots (the printer's device units), as the
// layout gives them.

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "base/Canvas.h"
#include "correspondence/LabelLayout.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace correspondence {

inline constexpr char kEmptyLayoutFieldText[] =
    "You have an empty layout definition field. All six fields are required. Unable to print.";

// A layout checked for printing, with the run's start label and copies.
struct LabelPlan {
    int leftMargin = 0;
    int topMargin = 0;
    int columns = 1;
    int rows = 1;
    int width = 0;
    int height = 0;
    base::FontChoice font;
    bool shippingAddress = false;
    bool returnAddress = false;
    std::string bitmap;  // may be empty
    bool printLine = false;
    int lineWidth = 1;
    std::string sendToCaption;  // UTF-8
    int start = 1;              // the first position used on the first sheet, from 1
    int copies = 1;
};

// What one label shows; UTF-8.
struct LabelAddress {
    std::string name;
    std::array<std::string, 4> lines;
};

// The customer's name and shipping or billing address lines.
LabelAddress AddressOf(const records::CustomerRecord& customer, bool shippingAddress);
// The company's name and four address lines, the return address of a label.
std::array<std::string, 5> ReturnAddressOf(const records::CompanyRecord& company);

// The plan for the layout and the wizard's "Start at Label:" and "Copies of each label:" texts
// (an empty text, or one starting with "0", means 1), or the message that says why nothing can
// be printed.
std::variant<LabelPlan, std::string> PlanLabels(const LabelLayout& layout, std::string_view start,
                                                std::string_view copies);

// Prints `copies` labels of each address in order as the document "Mailing Labels", a new sheet
// only when another label follows; `returnAddress` is the company's name and four address lines
// (UTF-8). Answers the number of labels printed; -1 when the document could not be started.
int PrintLabels(base::Canvas& canvas, const LabelPlan& plan,
                const std::array<std::string, 5>& returnAddress,
                const std::vector<LabelAddress>& addresses);

// The status text after a run: "Complete. n label(s) sent to printer.".
std::string LabelsSentText(int count);

// One page with a vertical and a horizontal ruler in dots (ticks every 25 up to 1500) and how to
// read them, as the document "Calibration Ruler".
bool PrintCalibrationRuler(base::Canvas& canvas);

}  // namespace correspondence
