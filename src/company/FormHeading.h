#pragma once
// The company's heading at the top of its printed forms (invoices, statements, reports): the logo
// when the company prints one, then the company's name and address lines in the company address
// font, empty lines closed up. The form puts its own caption beside it.

#include "base/Canvas.h"
#include "records/CompanyRecord.h"

namespace company {

struct HeadingExtent {
    int besideX = 0;  // where text beside the heading may start
    int bottom = 0;   // below the logo and the address block
};

// Draws the heading with its top-left corner at (left, top).
HeadingExtent DrawCompanyHeading(base::Canvas& canvas, const records::CompanyRecord& company,
                                 int left, int top);

// The height of one line in the canvas's current font.
int LineHeight(base::Canvas& canvas);

}  // namespace company
