#pragma once
// The program-wide values: the current and the selected company, today's text, the default printed
// output, the customer picked in select mode and the print queue. Windows report what they did
// through their results, not through flags kept here. The main window owns the one instance and
// hands it to every window; nothing here is global.

#include <functional>
#include <optional>
#include <string>

#include "base/Clock.h"
#include "base/Dates.h"
#include "company/PrintQueue.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace company {

enum class PrintedOutput { PrinterOrFax, EMail };

class ProgramState {
public:
    // The open company; every window reads its options from here.
    records::CompanyRecord currentCompany;
    // The company the Company Manager adds, edits and chooses; the company switch makes it
    // current (copying it into currentCompany and rewriting "LastCo.Dat").
    records::CompanyRecord selectedCompany;

    // Today in the active short date format (at most 10 characters); the default date of windows.
    std::string todayText;
    base::DateOrder shortDateOrder = base::DateOrder::MonthFirst;

    // The customers queued for labels, envelopes, letters and bulk e-mail, for the whole run.
    PrintQueue printQueue;

    // Where printed invoices and statements go; the main window's output panel sets it.
    PrintedOutput defaultOutput = PrintedOutput::PrinterOrFax;

    // The customer the Customer Manager picked in select mode; nothing until one is picked.
    std::optional<records::CustomerRecord> pickedCustomer;

    // The aging run of the receivables, installed by the program. `forceChart` is true when the
    // user asked for the run (the chart is shown then), false for the daily run.
    std::function<void(ProgramState&, bool forceChart)> runAging;

    // Takes the company's date format ("D" day first, else month first) and sets todayText.
    void ApplyDateFormat(const base::Clock& clock);

    // True when the current company's last aging date is not today.
    bool AgingDue() const;
    // Runs the installed aging when it is due; true when it ran.
    bool RunAgingIfDue(bool forceChart);
};

}  // namespace company
