#pragma once
// The commands of the report output window: regrouping (sub-totals on and off, "Sort on Column:",
// a double-click on a column), printing and "Save to File". The window shows the grid and hands
// in the canvas of the printer.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/Canvas.h"
#include "base/PromptService.h"
#include "statements/Report.h"
#include "statements/ReportGrid.h"

namespace statements {

inline constexpr char kSaveCaption[] = "Save As";
inline constexpr char kSaveFilter[] = "Text File (*.TXT);;Comma Separated Values (*.CSV)";

enum class SaveOutcome { Cancelled, Saved, Failed };

class ReportOutputFlow {
public:
    // The canvas a print job draws on, upright or across the page; null when there is none.
    using CanvasFactory = std::function<std::shared_ptr<base::Canvas>(bool landscape)>;

    ReportOutputFlow(Report report, base::PromptService& prompts);
    ReportOutputFlow(const ReportOutputFlow&) = delete;
    ReportOutputFlow& operator=(const ReportOutputFlow&) = delete;

    const Report& report() const { return report_; }
    const ReportGrid& grid() const { return *grid_; }
    bool subtotals() const { return grid_->subtotals(); }

    // Sub-totals on or off regroup on the report's first column.
    void SetSubtotals(bool on);
    // "Sort on Column:" holds report column numbers from 1; the grid regroups on that column.
    // False, with nothing changed, for a column the report may not be ordered by.
    bool SortOn(int reportColumn);
    // A double-click on grid column `column` regroups on the report column shown there; false,
    // with nothing changed, for the first column and for one the report may not be ordered by.
    bool RegroupOn(int column);

    // The print dialog, then the grid on the canvas. The status text to show ("Report Complete.
    // n records printed."); nothing when the dialog was cancelled or no page could be begun.
    std::optional<std::string> Print(const CanvasFactory& printer, const base::FontChoice& font);

    // The save dialog (a text file, or CSV when the name ends with ".CSV"); a name without an
    // extension gets ".TXT", and replacing a file of that name is asked first. A file that
    // cannot be written is said so.
    SaveOutcome Save();

private:
    void Regroup(int chosen);

    Report report_;
    base::PromptService& prompts_;
    std::unique_ptr<ReportGrid> grid_;
};

}  // namespace statements
