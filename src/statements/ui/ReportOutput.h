#pragma once
// Trtreport: the report output window. It shows a report of the Report Wizard maximised, as a
// grid under the heading labels, regroups it (sub-totals, "Sort on Column:", a double-click on a
// column), prints it and saves it as a text file or CSV. The commands are a
// statements::ReportOutputFlow; the window shows its grid and verdicts.

#include <QDialog>
#include <functional>
#include <memory>

#include "base/PromptService.h"
#include "statements/ReportOutputFlow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;

namespace statements::ui {

class ReportGridModel;

// What the output window is handed by whoever makes it, once for the run.
struct ReportOutputServices {
    base::PromptService& prompts;
    ReportOutputFlow::CanvasFactory printer;
    std::function<void(const QString& topic)> showHelp;
};

class Trtreport : public QDialog {
    Q_OBJECT
public:
    explicit Trtreport(ReportOutputServices services, QWidget* parent = nullptr);
    ~Trtreport() override;

    // Shows `report` maximised and modally, with sub-totals on.
    void Execute(Report report);

    void InvPrintClick();
    void SpeedButton1Click();
    void SaveButnClick();
    void stotalsClick();
    void SortColChange();
    void RptGridDblClick(int column);

private:
    void Prepare(Report report);
    void ShowGrid();
    void ApplyFont(const base::FontChoice& font);

    ReportOutputServices services_;
    std::unique_ptr<ReportOutputFlow> flow_;
    base::FontChoice font_{"Arial", 10};
    ReportGridModel* model_;
    QLabel* head1_;
    QLabel* head2_;
    QLabel* head3_;
    QLabel* notes_;
    QLabel* status_;
    QCheckBox* subtotals_;
    QComboBox* sortColumn_;
    QTableView* grid_;
};

}  // namespace statements::ui
