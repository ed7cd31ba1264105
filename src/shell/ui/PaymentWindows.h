#pragma once
// The payment windows (Payment Wizard and its amount dialog) made once for the run, and their main
// window command: "&Payment Wizard..." and the Payments toolbar button open the wizard on the
// current company, choosing its customer in the Customer Manager.

namespace receivables::ui {
class TPayBox;
}

namespace shell::ui {

class TMainForm;
class CustomerWindows;

class PaymentWindows {
public:
    // The wizard becomes a child of the main window, which must outlive this object, as must
    // the customer windows it picks customers with.
    PaymentWindows(TMainForm& mainForm, CustomerWindows& customerWindows);

    receivables::ui::TPayBox& wizard() { return *wizard_; }

private:
    receivables::ui::TPayBox* wizard_;
};

}  // namespace shell::ui
