#pragma once
// The Interest Wizard's commands as plain logic: the settings it opens with, "Scan File",
// "Generate Invoices" (live only between a scan that found customers and the next change of a
// setting), and the report offered afterwards. The window shows what each returns.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "invoicing/InterestCharges.h"
#include "invoicing/InterestReport.h"

namespace invoicing {

struct InterestWizardView {
    InterestSettings settings;
    std::array<std::string, 3> overCaptions;  // "Over 30 Days", ...
    std::string lastRun;                      // "Last Interest Invoices: ..."
    std::vector<std::string> terms;           // the payment terms to choose from
    std::string status;
};

// What a scan or a generation leaves on the window.
struct InterestWizardVerdict {
    std::string status;
    std::optional<InterestField> focus;  // a refused setting
    bool canGenerate = false;
    bool close = false;  // the invoices were generated: the wizard closes
};

class InterestWizardFlow {
public:
    InterestWizardFlow(engine::Engine& engine, base::PromptService& prompts,
                       company::ProgramState& state, const base::Clock& clock);

    InterestWizardView Open();
    InterestWizardVerdict Scan(const InterestSettings& settings);
    // Any change of a setting: the scanned charges no longer stand for them.
    void SettingsChanged() { canGenerate_ = false; }
    bool canGenerate() const { return canGenerate_; }
    // The rows of the last scan, with their invoices after Generate.
    const std::vector<InterestRow>& rows() const { return rows_; }
    const InterestScan& scan() const { return scan_; }
    std::string OverCaption(int over) const;
    base::DateOrder order() const;

    InterestWizardVerdict Generate(const InterestSettings& settings);
    // After Generate: "n invoices were created. Would you like to send a report to the
    // printer?"; Yes prints the report through `print`, which answers the rows printed or nothing
    // when the print was cancelled. The status to show.
    std::string OfferReport(const std::function<std::optional<int>(const InterestReport&)>& print);

private:
    engine::Engine& engine_;
    base::PromptService& prompts_;
    company::ProgramState& state_;
    const base::Clock& clock_;
    InterestScan scan_;
    std::vector<InterestRow> rows_;
    InterestSettings generated_;
    int created_ = 0;
    bool canGenerate_ = false;
};

}  // namespace invoicing
