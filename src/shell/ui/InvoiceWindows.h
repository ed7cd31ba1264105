#pragma once
// The invoice windows (Invoice Manager, invoice entry, quick view, view window) made once for the
// run, and their main window command: "&Invoice Manager..." and the Invoices toolbar button open
// the manager on the current company. The entry window picks customers and products through the
// Customer and Product Managers in select mode. Invoices are e-mailed over the program's one mail
// connection, checked with the status window showing.

#include <memory>

namespace mail {
class MailConnection;
}

namespace invoicing::ui {
class Tinvlist;
class TProdInv;
class TQView;
class Trtedit;
}  // namespace invoicing::ui

namespace shell::ui {

class TMainForm;
class CompanyWindows;
class CustomerWindows;
class ProductWindows;

class InvoiceWindows {
public:
    // The windows become children of the main window, which must outlive this object and the
    // customer and product windows; the find dialog is the company windows' shared one.
    InvoiceWindows(TMainForm& mainForm, CompanyWindows& companyWindows,
                   CustomerWindows& customerWindows, ProductWindows& productWindows);
    ~InvoiceWindows();

    invoicing::ui::Tinvlist& manager() { return *manager_; }
    invoicing::ui::TProdInv& entry() { return *entry_; }
    // The program's one mail connection, which the bulk e-mail window shares.
    mail::MailConnection& mail() { return *mail_; }

private:
    std::unique_ptr<mail::MailConnection> mail_;
    invoicing::ui::TQView* quickView_;
    invoicing::ui::Trtedit* view_;
    invoicing::ui::TProdInv* entry_;
    invoicing::ui::Tinvlist* manager_;
};

}  // namespace shell::ui
