#pragma once
// The program-wide values: the current and the selected company, today's text, the flags other
// windows set and read, and the default printed output. The main window owns the one instance
// and hands it to every window; nothing here is global.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "base/Clock.h"
#include "base/Dates.h"
#include "records/CompanyRecord.h"

namespace company {

enum class PrintedOutput { PrinterOrFax, EMail };

class ProgramState {
public:
    // The open company; every window reads its options from here.
    records::CompanyRecord currentCompany;
    // The working copy the Company Manager edits and posting code writes back to the company
    // file; making it current copies it into currentCompany and rewrites "LastCo.Dat".
    records::CompanyRecord selectedCompany;

    // Today in the active short date format (at most 10 characters); the default date of windows.
    std::string todayText;
    base::DateOrder shortDateOrder = base::DateOrder::MonthFirst;

    bool labelQueuePending = false;  // the label wizard's queue holds unsaved, unprinted labels
    bool forceChart = false;         // the aging run was asked for by the user: show the chart
    bool rebuildRequested = false;   // a company switch rebuilds the company's files first
    bool companyChanged = false;     // the current company's settings were saved meanwhile

    // Where printed invoices and statements go; the main window's output panel sets it.
    PrintedOutput defaultOutput = PrintedOutput::PrinterOrFax;

    // The customer the Customer Manager picked in select mode: the bytes of a
    // records::CustomerRecord (the customer record type lives above this library).
    std::array<uint8_t, 1008> pickedCustomer{};

    // The aging run of the receivables, installed by the program. Called with this state when a
    // company was not aged today (forceChart tells a requested run from the daily one).
    std::function<void(ProgramState&)> runAging;

    // Takes the company's date format ("D" day first, else month first) and sets todayText.
    void ApplyDateFormat(const base::Clock& clock);

    // True when the current company's last aging date is not today.
    bool AgingDue() const;
    // Runs the installed aging when it is due; true when it ran.
    bool RunAgingIfDue();
};

}  // namespace company
