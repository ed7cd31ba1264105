#pragma once
// The maintenance windows made once for the run and their main window commands: "&Backup Data
// Files" and the Backup Files button open the backup window, "&Delete Paid Invoices" runs the
// removal of old paid invoices, "Version 1 Conversion &Utility" opens the conversion window.

#include <memory>

namespace maintenance {
class BackupFlow;
class VersionOneImportFlow;
}  // namespace maintenance

namespace maintenance::ui {
class TKTBkUp;
class TCZR;
}  // namespace maintenance::ui

namespace company::ui {
class TPWDlg;
}

namespace shell::ui {

class TMainForm;

class MaintenanceWindows {
public:
    // The windows become children of the main window, which must outlive this object.
    explicit MaintenanceWindows(TMainForm& mainForm);
    ~MaintenanceWindows();

    maintenance::ui::TKTBkUp& backup() { return *backup_; }
    maintenance::ui::TCZR& conversion() { return *conversion_; }

private:
    void DeletePaidInvoicesClick();

    TMainForm& mainForm_;
    std::unique_ptr<maintenance::BackupFlow> backupFlow_;
    std::unique_ptr<maintenance::VersionOneImportFlow> importFlow_;
    maintenance::ui::TKTBkUp* backup_;
    maintenance::ui::TCZR* conversion_;
    company::ui::TPWDlg* password_;
};

}  // namespace shell::ui
