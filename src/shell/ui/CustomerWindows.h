#pragma once
// The customer windows (Customer Manager, customer edit dialog) made once for the run, and their
// main window command: "&Customer Manager..." and the Customers toolbar button open the manager
// on the current company.

#include <optional>

#include "records/CustomerRecord.h"

namespace company {
class ProgramState;
}

namespace customers::ui {
class TDemoForm;
class TEditDlg;
}  // namespace customers::ui

namespace shell::ui {

class TMainForm;
class CompanyWindows;

class CustomerWindows {
public:
    // The windows become children of the main window, which must outlive this object; the find
    // dialog and the list window are the company windows' shared ones.
    CustomerWindows(TMainForm& mainForm, CompanyWindows& companyWindows);

    customers::ui::TDemoForm& manager() { return *manager_; }
    // The Customer Manager in select mode: the customer chosen, or nothing.
    std::optional<records::CustomerRecord> PickCustomer();
    customers::ui::TEditDlg& dialog() { return *dialog_; }

private:
    company::ProgramState& state_;
    customers::ui::TEditDlg* dialog_;
    customers::ui::TDemoForm* manager_;
};

}  // namespace shell::ui
