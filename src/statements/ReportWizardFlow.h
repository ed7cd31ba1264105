#pragma once
// The commands of the Report Wizard: the dates a preset fills in, and View, which checks the
// dates and runs the chosen report, or says why there is none.

#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "statements/Report.h"
#include "statements/ReportDates.h"

namespace statements {

struct PresetTexts {
    std::string from;
    std::string to;
};

// What View did: the report to show, or the date box to put the focus in.
struct ViewVerdict {
    std::optional<Report> report;
    std::optional<DateField> focus;
};

class ReportWizardFlow {
public:
    ReportWizardFlow(engine::Engine& engine, base::PromptService& prompts, const base::Clock& clock,
                     const company::ProgramState& state);

    // The order the current company types its dates in, and the preset list's label.
    base::DateOrder dateOrder() const;
    std::string DateLabel() const;

    // The From and To texts of a preset on today; nothing for "Custom Dates".
    std::optional<PresetTexts> Preset(std::string_view preset) const;

    // Checks the dates (for every report, also those that search all dates) and runs the report;
    // a refused date or a report that has nothing to show is said through the prompt service.
    ViewVerdict View(ReportKind kind, std::string_view from, std::string_view to);

private:
    engine::Engine& engine_;
    base::PromptService& prompts_;
    const base::Clock& clock_;
    const company::ProgramState& state_;
};

}  // namespace statements
