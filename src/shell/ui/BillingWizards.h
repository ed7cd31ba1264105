#pragma once
// The Repeat Billing Wizard and the Interest Wizard made once for the run, and their main window
// commands: "Repeat Billing &Wizard..." and the Repeat toolbar button, "&Interest Wizard..." and
// the Interest toolbar button open them on the current company.

namespace invoicing::ui {
class TInterestWiz;
class TSelectRepeat;
}  // namespace invoicing::ui

namespace shell::ui {

class TMainForm;

class BillingWizards {
public:
    // The wizards become children of the main window, which must outlive this object.
    explicit BillingWizards(TMainForm& mainForm);

    invoicing::ui::TSelectRepeat& repeat() { return *repeat_; }
    invoicing::ui::TInterestWiz& interest() { return *interest_; }

private:
    invoicing::ui::TSelectRepeat* repeat_;
    invoicing::ui::TInterestWiz* interest_;
};

}  // namespace shell::ui
