#pragma once
// The Report Wizard and its output window made once for the run, and their main window command:
// "&Report  Wizard..." and the Reports toolbar button open the wizard on the current company.

namespace statements::ui {
class TRptSelect;
}

namespace shell::ui {

class TMainForm;

class ReportWindows {
public:
    // The wizard becomes a child of the main window, which must outlive this object.
    explicit ReportWindows(TMainForm& mainForm);

    statements::ui::TRptSelect& wizard() { return *wizard_; }

private:
    statements::ui::TRptSelect* wizard_;
};

}  // namespace shell::ui
