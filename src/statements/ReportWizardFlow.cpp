#include "statements/ReportWizardFlow.h"

#include "statements/ReportRun.h"

namespace statements {

ReportWizardFlow::ReportWizardFlow(engine::Engine& engine, base::PromptService& prompts,
                                   const base::Clock& clock, const company::ProgramState& state)
    : engine_(engine), prompts_(prompts), clock_(clock), state_(state) {}

base::DateOrder ReportWizardFlow::dateOrder() const {
    return base::EntryDateOrder(state_.currentCompany.dateFormat());
}

std::string ReportWizardFlow::DateLabel() const {
    return DateSelectionLabel(dateOrder());
}

std::optional<PresetTexts> ReportWizardFlow::Preset(std::string_view preset) const {
    const std::optional<DateRange> range = PresetRange(preset, clock_.Today());
    if (!range) return std::nullopt;
    return PresetTexts{base::FormatDate(range->from, dateOrder()),
                       base::FormatDate(range->to, dateOrder())};
}

ViewVerdict ReportWizardFlow::View(ReportKind kind, std::string_view from, std::string_view to) {
    const DateCheck check = CheckReportDates(from, to, dateOrder());
    if (check.refusal) {
        prompts_.Warn(check.refusal->caption, check.refusal->text);
        return {std::nullopt, check.refusal->field};
    }
    ReportResult result =
        RunReport(engine_, prompts_, {kind, *check.range, clock_.Now(), state_.currentCompany});
    if (result.message) {
        prompts_.Inform(result.message->caption, result.message->text);
        return {std::nullopt, DateField::From};
    }
    return {std::move(result.report), std::nullopt};
}

}  // namespace statements
