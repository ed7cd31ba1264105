#pragma once
// The invoice windows (Invoice Manager, quick view) made once for the run, and their main window
// command: "&Invoice Manager..." and the Invoices toolbar button open the manager on the current
// company.

namespace invoicing::ui {
class Tinvlist;
class TQView;
}  // namespace invoicing::ui

namespace shell::ui {

class TMainForm;
class CompanyWindows;

class InvoiceWindows {
public:
    // The windows become children of the main window, which must outlive this object; the find
    // dialog is the company windows' shared one.
    InvoiceWindows(TMainForm& mainForm, CompanyWindows& companyWindows);

    invoicing::ui::Tinvlist& manager() { return *manager_; }

private:
    invoicing::ui::TQView* quickView_;
    invoicing::ui::Tinvlist* manager_;
};

}  // namespace shell::ui
