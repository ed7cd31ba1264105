#pragma once
// The product windows (Product Manager, product dialog) made once for the run, and their main
// window command: "&Product Manager..." and the Products toolbar button open the manager on the
// current company.

namespace products::ui {
class TEditProd;
class TUpdProd;
}  // namespace products::ui

namespace shell::ui {

class TMainForm;
class CompanyWindows;

class ProductWindows {
public:
    // The windows become children of the main window, which must outlive this object; the find
    // dialog and the list window are the company windows' shared ones.
    ProductWindows(TMainForm& mainForm, CompanyWindows& companyWindows);

    products::ui::TEditProd& manager() { return *manager_; }
    products::ui::TUpdProd& dialog() { return *dialog_; }

private:
    products::ui::TUpdProd* dialog_;
    products::ui::TEditProd* manager_;
};

}  // namespace shell::ui
