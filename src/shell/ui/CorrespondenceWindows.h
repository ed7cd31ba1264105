#pragma once
// The correspondence windows (Label Wizard / Print Queue, Form Letter Wizard, Send E-Mail
// Message) made once for the run, and their main window commands. The Label Wizard picks
// customers through the Customer Manager in select mode; the other two open it as their queue;
// bulk e-mail goes over the program's one mail connection.

namespace correspondence::ui {
class TLblWiz;
class TLetterWiz;
class TEMMemo;
}  // namespace correspondence::ui

namespace shell::ui {

class TMainForm;
class CustomerWindows;
class InvoiceWindows;

class CorrespondenceWindows {
public:
    // The windows become children of the main window, which must outlive this object and the
    // customer and invoice windows.
    CorrespondenceWindows(TMainForm& mainForm, CustomerWindows& customerWindows,
                          InvoiceWindows& invoiceWindows);

    correspondence::ui::TLblWiz& labelWizard() { return *labelWizard_; }
    correspondence::ui::TLetterWiz& letterWizard() { return *letterWizard_; }
    correspondence::ui::TEMMemo& mailMessage() { return *mailMessage_; }

private:
    correspondence::ui::TLblWiz* labelWizard_;
    correspondence::ui::TLetterWiz* letterWizard_;
    correspondence::ui::TEMMemo* mailMessage_;
};

}  // namespace shell::ui
