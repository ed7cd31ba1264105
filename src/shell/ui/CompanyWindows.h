#pragma once
// The company windows (Company Manager, Company Options, headers dialog, payment terms editor)
// made once for the run, and their main window commands: "Co&mpany Manager..." (and its toolbar
// button) switches companies through the manager, "&Edit Payment Terms..." opens the editor.

#include "company/CompanyManagerFlow.h"

namespace widgets {
class TFindBox;
class TListWindow;
}  // namespace widgets

namespace company::ui {
class TListComps;
class TCompSet;
class THeaderForm;
class TTermEdit;
}  // namespace company::ui

namespace shell::ui {

class TMainForm;

class CompanyWindows {
public:
    // The windows become children of the main window, which must outlive this object.
    explicit CompanyWindows(TMainForm& mainForm);

    company::ui::TListComps& manager() { return *manager_; }
    company::ui::TCompSet& options() { return *options_; }
    company::ui::THeaderForm& headers() { return *headers_; }
    company::ui::TTermEdit& terms() { return *terms_; }
    widgets::TFindBox& findBox() { return *findBox_; }
    widgets::TListWindow& listWindow() { return *listWindow_; }

private:
    company::CompanyManagerResult ShowCompanyManager();

    company::ui::THeaderForm* headers_;
    company::ui::TCompSet* options_;
    widgets::TFindBox* findBox_;
    widgets::TListWindow* listWindow_;
    company::ui::TListComps* manager_;
    company::ui::TTermEdit* terms_;
};

}  // namespace shell::ui
