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
#include "company/ManagerTypes.h"
#include "company/ProgramState.h"
#include "engine/FileSystem.h"
#include "records/CompanyRecord.h"

namespace company {

// The orders of the list: the company file's key 1 (number) and key 2 (name).
namespace CompanyOrder {
inline constexpr ManagerOrder ByNumber = ManagerOrder::Key1;
inline constexpr ManagerOrder ByName = ManagerOrder::Key2;
}  // namespace CompanyOrder

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

// The Company Options dialog. Its check `numberTaken` looks a typed number up in the company
// file.
using CompanyNumberTaken = std::function<bool(const std::string& number)>;
using CompanyEditor = ManagerEditor<records::CompanyRecord, CompanyNumberTaken>;

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

    ManagerOrder order() const { return order_; }
    void SetOrder(ManagerOrder order) { order_ = order; }
    // "Companies: 3"
    std::string CountText();
    // The row of a record, or of a company number (trimmed, any letter case), in the list's order.
    std::optional<ManagerRow> RowOf(int32_t recordNumber);
    std::optional<ManagerRow> RowOfNumber(std::string_view number);
    // Where a visit starts: on the current company.
    std::optional<ManagerRow> StartRow() { return RowOfNumber(state_.currentCompany.number()); }
    // The open company file block, for the list and the find dialog to read.
    engine::FileBlockHandle fileBlock() { return file_.file().handle(); }

    // "&Add": a copy of the current company with a new company's values and the number of
    // companies + 1 proposed (the dialog's duplicate check refuses it when taken).
    ManagerUpdate Add(const CompanyEditor& editor);
    // "&Edit" of the row `recordNumber` (0: no row). The number cannot change, so the company's
    // files keep their names.
    ManagerUpdate Edit(int32_t recordNumber, const CompanyEditor& editor);
    // "&Delete": the password, then the current company is refused before any question, then the
    // question; the record goes first, then the company's files.
    ManagerUpdate Delete(int32_t recordNumber);
    // "&Set As Default": reads the row into the selected company; true closes the manager with OK.
    bool Choose(int32_t recordNumber);

    // "Company &List": first the question of the order (nothing: cancelled), then the report,
    // passed through TXTTEMP.TXT; nothing when that file could not be written (reported).
    std::optional<ManagerOrder> AskListOrder();
    std::optional<ManagerReport> ListReport(ManagerOrder order);

private:
    bool ReadSelected(int32_t recordNumber);
    void ReportFailure(std::string_view text);

    CompanyFile& file_;
    engine::FileSystem& fs_;
    base::PromptService& prompts_;
    ProgramState& state_;
    const base::Clock& clock_;
    std::function<bool()> checkPassword_;
    ManagerOrder order_ = CompanyOrder::ByName;  // by name when the program starts
    bool currentCompanySaved_ = false;
};

}  // namespace company
