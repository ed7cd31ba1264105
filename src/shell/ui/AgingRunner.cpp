#include "shell/ui/AgingRunner.h"

#include <QApplication>
#include <QGuiApplication>

#include "base/Text.h"
#include "receivables/AgingRun.h"
#include "shell/ui/AgingChartPanel.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"

namespace shell::ui {
namespace {

QString Amount(base::Decimal amount) {
    return QString::fromStdString(amount.Format(",0.00"));
}

// Categories 1..3 are named by the company's captions, category 4 by the last limit.
std::array<QString, 4> BarHints(const records::CompanyRecord& company,
                                const receivables::AgingSums& sums) {
    const auto& c = sums.categories;
    return {widgets::ToRecordText(base::Trim(company.agingCaption1())) + " " + Amount(c[0]),
            widgets::ToRecordText(company.agingCaption2()) + " " + Amount(c[1]),
            widgets::ToRecordText(company.agingCaption3()) + " " + Amount(c[2]),
            "Over " + widgets::ToRecordText(base::Trim(company.agingDays3())) +
                " Days: " + Amount(c[3])};
}

}  // namespace

void RunAgingWithChart(WindowContext& context, AgingChartPanel& chart, company::ProgramState& state,
                       bool forceChart) {
    widgets::TStatForm& status = context.statusWindow;
    const receivables::AgingProgress progress{
        [&](std::string_view caption, std::string_view text) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            status.ShowStatus(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
            status.SetLines(QString::fromUtf8(text.data(), static_cast<int>(text.size())), {}, {});
            context.setStatusText("Calculating Aging Totals...");
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        },
        [&] {
            status.HideStatus();
            context.setStatusText("Ready.");
            QGuiApplication::restoreOverrideCursor();
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }};
    const receivables::AgingRunResult result = receivables::CalculateAging(
        context.engine, context.prompts, state, context.clock, forceChart, progress);
    if (!result.showChart) return;
    chart.setToolTip("Total A/R: " + Amount(result.total));
    chart.SetAging(result.sums, result.total, BarHints(state.currentCompany, result.sums));
    context.setStatusText("Hold mouse over color to see aging amount...");
    chart.show();
}

}  // namespace shell::ui
