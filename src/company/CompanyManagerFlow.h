#pragma once
// The Company Manager's commands as plain logic: adding a company with the proposed next number,
// editing, deleting behind its guards, choosing the company to work with, finding a company and
// the company list report. The window shows the list and the Company Options dialog and paints
// what a command returns; every read, write, question and message is decided here.
//
// The dialog and the password prompt are handed in as functions, as the prompt service and the
// clock are handed in as objects, so that tests run every command without a screen.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/CompanyFile.h"
#include "company/ProgramState.h"
#include "engine/FileSystem.h"
#include "records/CompanyRecord.h"

namespace company {

// The orders of the list: the company file's key 1 (number) and key 2 (name).
enum class CompanyOrder { ByNumber = 1, ByName = 2 };

// A row of the list: the record and its key in the list's order.
struct CompanyRow {
    int32_t recordNumber = 0;
    std::string key;
};

// What the list shows after a command.
struct CompanyListUpdate {
    bool reread = false;                // rows and count changed
    std::optional<CompanyRow> current;  // the row to make current
};

// How a visit to the Company Manager ended, for the company switch.
struct CompanyManagerResult {
    enum class Ending { Chosen, Closed, CannotOpen };
    Ending ending = Ending::Closed;
    // The current company's own settings were saved during the visit: the switch keeps it
    // current with those settings, whichever company was chosen.
    bool currentCompanySaved = false;
    // The main window switches (or refreshes) the company only then.
    bool switchNeeded() const { return ending == Ending::Chosen || currentCompanySaved; }
};

// The report file the company list passes through, like every list report.
inline constexpr char kListReportFile[] = "TXTTEMP.TXT";

// A finished company list for the list window.
struct CompanyReport {
    std::string caption;  // "Company List by Number" / "Company List by Name"
    std::string text;     // Windows-1252, lines ended by CR LF
    std::string csv;      // the same companies as comma-separated values, Windows-1252
};

enum class CompanyEditPurpose { Add, Edit };

// The Company Options dialog: shows `record` and, when the user saves, leaves the dialog's
// values in it and answers true. `numberTaken` looks a typed number up in the company file.
using CompanyEditor =
    std::function<bool(CompanyEditPurpose purpose, records::CompanyRecord& record,
                       const std::function<bool(const std::string& number)>& numberTaken)>;

class CompanyManagerFlow {
public:
    // `fs` holds the data folder's other files (the deleted company's files, the report file).
    // `checkPassword` asks for the program password when one is set; true lets a command go on.
    CompanyManagerFlow(CompanyFile& file, engine::FileSystem& fs, base::PromptService& prompts,
                       ProgramState& state, const base::Clock& clock,
                       std::function<bool()> checkPassword);

    // Opens the company file for a visit; "Unable to open company database" when it cannot be
    // opened (the program must then end).
    bool Open();
    // Closes the file; `chosen` tells whether the user picked a company.
    CompanyManagerResult Close(bool chosen);

    CompanyOrder order() const { return order_; }
    void SetOrder(CompanyOrder order) { order_ = order; }
    // "Companies: 3"
    std::string CountText();
    // The row of a record, or of a company number (trimmed, any letter case), in the list's order.
    std::optional<CompanyRow> RowOf(int32_t recordNumber);
    std::optional<CompanyRow> RowOfNumber(std::string_view number);
    // Where a visit starts: on the current company.
    std::optional<CompanyRow> StartRow() { return RowOfNumber(state_.currentCompany.number()); }
    // The open company file block, for the list and the find dialog to read.
    engine::FileBlockHandle fileBlock() { return file_.file().handle(); }

    // "&Add": a copy of the current company with a new company's values and the number of
    // companies + 1 proposed (the dialog's duplicate check refuses it when taken).
    CompanyListUpdate Add(const CompanyEditor& editor);
    // "&Edit" of the row `recordNumber` (0: no row). The number cannot change, so the company's
    // files keep their names.
    CompanyListUpdate Edit(int32_t recordNumber, const CompanyEditor& editor);
    // "&Delete": the password, then the current company is refused before any question, then the
    // question; the record goes first, then the company's files.
    CompanyListUpdate Delete(int32_t recordNumber);
    // "&Set As Default": reads the row into the selected company; true closes the manager with OK.
    bool Choose(int32_t recordNumber);

    // "Company &List": first the question of the order (nothing: cancelled), then the report,
    // passed through TXTTEMP.TXT; nothing when that file could not be written (reported).
    std::optional<CompanyOrder> AskListOrder();
    std::optional<CompanyReport> ListReport(CompanyOrder order);

private:
    bool ReadSelected(int32_t recordNumber);
    void ReportFailure(std::string_view text);

    CompanyFile& file_;
    engine::FileSystem& fs_;
    base::PromptService& prompts_;
    ProgramState& state_;
    const base::Clock& clock_;
    std::function<bool()> checkPassword_;
    CompanyOrder order_ = CompanyOrder::ByName;  // by name when the program starts
    bool currentCompanySaved_ = false;
};

}  // namespace company
