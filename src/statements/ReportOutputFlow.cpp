#include "statements/ReportOutputFlow.h"

#include <filesystem>
#include <fstream>

#include "statements/ReportFiles.h"
#include "statements/ReportPrint.h"

namespace statements {
namespace {

constexpr char kTextExtension[] = ".TXT";

// Replaces the file with `bytes` through a file beside it, so that a write that fails half way
// leaves the old file as it was. False when any step fails.
bool WriteWhole(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file.fail()) {
            std::error_code error;
            std::filesystem::rename(temporary, path, error);
            if (!error) return true;
        }
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
}

}  // namespace

ReportOutputFlow::ReportOutputFlow(Report report, base::PromptService& prompts)
    : report_(std::move(report)),
      prompts_(prompts),
      grid_(std::make_unique<ReportGrid>(report_, 0, true)) {}

void ReportOutputFlow::Regroup(int chosen) {
    const bool subtotals = grid_ ? grid_->subtotals() : true;
    grid_ = std::make_unique<ReportGrid>(report_, chosen, subtotals);
}

void ReportOutputFlow::SetSubtotals(bool on) {
    grid_ = std::make_unique<ReportGrid>(report_, 0, on);
}

bool ReportOutputFlow::SortOn(int reportColumn) {
    const int chosen = reportColumn - 1;
    if (chosen < 0 || chosen > InfoOf(report_.kind).highestSortColumn) return false;
    Regroup(chosen);
    return true;
}

bool ReportOutputFlow::RegroupOn(int column) {
    if (column <= 0 || column >= grid_->columnCount()) return false;
    return SortOn(grid_->SourceColumn(column) + 1);
}

std::optional<std::string> ReportOutputFlow::Print(const CanvasFactory& printer,
                                                   const base::FontChoice& font) {
    if (!prompts_.PrintDialog(report_.title)) return std::nullopt;
    const std::shared_ptr<base::Canvas> canvas =
        printer ? printer(PrintsLandscape(report_.kind)) : nullptr;
    if (!canvas || !canvas->BeginDocument(report_.title)) {
        prompts_.Warn("Print",
                      "The report could not be printed. Check that the printer is ready, or "
                      "print to a file in a folder you can write to.");
        return std::nullopt;
    }
    const int printed = PrintReport(*canvas, report_, *grid_, font);
    canvas->EndDocument();
    return PrintedStatus(printed);
}

SaveOutcome ReportOutputFlow::Save() {
    std::optional<std::string> path =
        prompts_.SaveFileName(kSaveCaption, report_.title + kTextExtension, kSaveFilter);
    if (!path) return SaveOutcome::Cancelled;
    // The dialog asked about the name as typed; a name it was not shown is asked about here.
    if (!std::filesystem::path(*path).has_extension()) {
        *path += kTextExtension;
        if (std::filesystem::exists(*path) &&
            !prompts_.AskYesNo(kSaveCaption, *path + " already exists.\nDo you want to replace it?",
                               base::PromptIcon::Warning))
            return SaveOutcome::Cancelled;
    }
    const std::string bytes =
        IsCsvFileName(*path) ? ReportCsv(*grid_) : ReportText(report_, *grid_);
    if (!WriteWhole(*path, bytes)) {
        prompts_.Warn(kSaveCaption, "The file " + *path + " could not be written.");
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

}  // namespace statements
