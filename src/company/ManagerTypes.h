#pragma once
// What every manager flow hands its window (the Company, Customer and Product Managers, and the
// managers that copy them): the list's rows and orders, what the list does after a command, the
// finished list report, and the contract of the dialog that edits one record. The window of each
// is built in widgets::ManagerFrame; these are the plain values that frame shows.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace company {

// The order of a manager's list: the key of its file the list walks. Each flow names its two
// orders (company::CompanyOrder::ByName, customers::CustomerOrder::ByNumber, ...).
enum class ManagerOrder { Key1 = 1, Key2 = 2 };

inline int KeyNumber(ManagerOrder order) {
    return static_cast<int>(order);
}

// A row of the list: the record and its key in the list's order.
struct ManagerRow {
    int32_t recordNumber = 0;
    std::string key;
};

// What the list shows after a command, and what the command did.
struct ManagerUpdate {
    bool saved = false;                 // the command went through (an edit changing nothing too)
    bool reread = false;                // rows and count changed
    std::optional<ManagerRow> current;  // the row to make current
    int renumbered = 0;  // records of other files carried to a changed number (a customer's)
};

// The report file every list report passes through.
inline constexpr char kManagerReportFile[] = "TXTTEMP.TXT";

// A finished list report for the list window.
struct ManagerReport {
    std::string caption;  // "Customer List by Name", "Company List by Number", ...
    std::string text;     // Windows-1252, lines ended by CR LF
    std::string csv;      // the same records as comma-separated values, Windows-1252
};

enum class EditPurpose { Add, Edit };

// The dialog that edits one record: it shows `record` and, when the values typed pass `check`
// on OK or Save, leaves them in `record` and answers true; a failed check keeps it open. `check`
// is how the flow's rules reach the dialog: the customer's and product's checks of OK, the
// company's lookup of a typed number.
template <class Record, class Check>
using ManagerEditor = std::function<bool(EditPurpose purpose, Record& record, const Check& check)>;

}  // namespace company
