#pragma once
// The company windows (Company Manager, Company Options, headers dialog, payment terms editor)
// made once for the run, and their main window commands: "Co&mpany Manager..." (and its toolbar
// button) switches companies through the manager, "&Edit Payment Terms..." opens the editor.

#include "company/CompanyManagerFlow.h"

namespace widgets {
class TFindBox;
class TListWindow;
}  // namespace widgets

namespace shell::ui {

class TMainForm;
class TListComps;
class TCompSet;
class THeaderForm;
class TTermEdit;

class CompanyWindows {
public:
    // The windows become children of the main window, which must outlive this object.
    explicit CompanyWindows(TMainForm& mainForm);

    TListComps& manager() { return *manager_; }
    TCompSet& options() { return *options_; }
    THeaderForm& headers() { return *headers_; }
    TTermEdit& terms() { return *terms_; }
    widgets::TFindBox& findBox() { return *findBox_; }
    widgets::TListWindow& listWindow() { return *listWindow_; }

private:
    company::CompanyManagerResult ShowCompanyManager();

    THeaderForm* headers_;
    TCompSet* options_;
    widgets::TFindBox* findBox_;
    widgets::TListWindow* listWindow_;
    TListComps* manager_;
    TTermEdit* terms_;
};

}  // namespace shell::ui
