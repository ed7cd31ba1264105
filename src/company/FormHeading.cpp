#include "company/FormHeading.h"

#include <algorithm>
#include <string>

#include "base/Text.h"
#include "base/Windows1252.h"

namespace company {
namespace {

constexpr int kLogoGap = 25;
constexpr char kLineHeightSample[] = "MXjpy";

}  // namespace

int LineHeight(base::Canvas& canvas) {
    return canvas.TextHeight(kLineHeightSample);
}

HeadingExtent DrawCompanyHeading(base::Canvas& canvas, const records::CompanyRecord& company,
                                 int left, int top) {
    canvas.SetFont(company.companyAddressFont().ToChoice());
    const int companyLine = LineHeight(canvas);
    int companyX = left;
    int bottom = top;
    const std::string logo = base::Win1252ToUtf8(base::Trim(company.logoBitmap()));
    if (company.printLogo() && !logo.empty()) {
        if (const auto size = canvas.ImageSize(logo); size && size->height > 0) {
            // As tall as the company block, in its own proportions.
            const int height = companyLine * 6;
            const int width =
                static_cast<int>(static_cast<long long>(size->width) * height / size->height);
            if (canvas.DrawImage(left, top, left + width, top + height, logo)) {
                companyX += width + kLogoGap;
                bottom = top + height;
            }
        }
    }
    int besideX = left;
    canvas.SetFont(company.companyAddressFont().ToChoice());
    if (!company.omitCompanyAddress()) {
        // Empty address lines close up, so the block reads as one.
        int lineY = top;
        for (const std::string& line :
             {company.name(), company.address1(), company.address2(), company.address3(),
              company.address4(), company.address5()}) {
            if (base::Trim(line).empty()) continue;
            const std::string text = base::Win1252ToUtf8(line);
            canvas.TextOut(companyX, lineY, text);
            besideX = std::max(besideX, companyX + canvas.TextWidth(text));
            lineY += companyLine;
        }
        bottom = std::max(bottom, lineY);
    } else if (companyX > left) {
        besideX = companyX - kLogoGap;
    }
    return {besideX + canvas.DotsPerInch() / 8, bottom};
}

}  // namespace company
