#pragma once
// The company-wide aging run ("Calculating Aging..."): every customer that needs it gets its four
// aging sums and balance recomputed from its open items, the company's receivables total becomes
// the sum over them, and today becomes the company's last aging date (in the company file,
// "LastCo.Dat" and the program state). The run is one receivables::Posting over the company,
// customer and invoice files, so no other desk posts while it runs and a killed run is undone.
// The main window runs it once a day and for the "&Aging Chart" command, the interest scan when
// the company was not aged today; `kt-invorra-tool post` runs it as `age`.

#include <functional>
#include <string_view>

#include "base/Clock.h"
#include "base/Decimal.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "receivables/Aging.h"

namespace receivables {

// The status window the run shows while it walks the customers; empty functions show nothing.
struct AgingProgress {
    std::function<void(std::string_view caption, std::string_view text)> show;
    std::function<void()> hide;
};

struct AgingRunResult {
    bool ran = false;        // false: bad aging days, or nothing to age and no chart asked for
    bool completed = false;  // every customer was reached and the company was written
    AgingSums sums;          // the company's four category sums
    base::Decimal total;     // their total, the new receivables total
    bool showChart = false;  // a positive total, and the chart was asked for or is an option
};

// Runs the aging for state.currentCompany. `forceChart` is set when the user asked for the chart:
// the run then happens even with a receivables total of zero, and the chart is shown.
AgingRunResult CalculateAging(engine::Engine& engine, base::PromptService& prompts,
                              company::ProgramState& state, const base::Clock& clock,
                              bool forceChart, const AgingProgress& progress = {});

}  // namespace receivables
