#pragma once
// The receivables' aging run as the main window shows it: the hourglass and the status window
// while it walks the customers, then the chart with each category's amount in its hint.

#include "company/ProgramState.h"
#include "shell/ui/WindowContext.h"

namespace shell::ui {

class AgingChartPanel;

// Runs receivables::CalculateAging for state.currentCompany and, when the run says so, fills and
// shows `chart`. Installed as the program state's runAging.
void RunAgingWithChart(WindowContext& context, AgingChartPanel& chart, company::ProgramState& state,
                       bool forceChart);

}  // namespace shell::ui
