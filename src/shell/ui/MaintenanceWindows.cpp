#include "shell/ui/MaintenanceWindows.h"

#include <QDir>
#include <filesystem>

#include "company/ui/PasswordDialog.h"
#include "maintenance/BackupFlow.h"
#include "maintenance/DeletePaidFlow.h"
#include "maintenance/VersionOneImport.h"
#include "maintenance/ui/BackupWindow.h"
#include "maintenance/ui/ConversionWindow.h"
#include "shell/ui/MainWindow.h"
#include "widgets/StatusWindow.h"

namespace shell::ui {

MaintenanceWindows::MaintenanceWindows(TMainForm& mainForm) : mainForm_(mainForm) {
    WindowContext& context = mainForm.context();
    const auto showHelp = [&mainForm](const QString& topic) { mainForm.ShowHelpTopic(topic); };
    backupFlow_ =
        std::make_unique<maintenance::BackupFlow>(context.engine, context.prompts, context.state,
                                                  context.clock, std::filesystem::current_path());
    importFlow_ = std::make_unique<maintenance::VersionOneImportFlow>(
        context.engine, context.prompts, context.clock);
    backup_ = new maintenance::ui::TKTBkUp(
        {*backupFlow_, context.prompts, context.statusWindow, showHelp},
        QDir::home().filePath(maintenance::kBackupFileName), &mainForm);
    conversion_ = new maintenance::ui::TCZR(
        {*importFlow_, context.prompts, context.statusWindow, showHelp}, &mainForm);
    password_ = new company::ui::TPWDlg(showHelp, &mainForm);

    mainForm.SetCommandHandler(Command::BackupDataFiles, [this] {
        if (backup_->Execute()) mainForm_.CompanyReplaced();
    });
    mainForm.SetCommandHandler(Command::DeletePaidInvoices, [this] { DeletePaidInvoicesClick(); });
    mainForm.SetCommandHandler(Command::Version1Conversion,
                               [this] { (void)conversion_->Execute(); });
}

MaintenanceWindows::~MaintenanceWindows() = default;

void MaintenanceWindows::DeletePaidInvoicesClick() {
    WindowContext& context = mainForm_.context();
    maintenance::DeletePaidFlow flow(context.engine, context.prompts, context.state, context.clock);
    const auto result = flow.Run(
        [this](const std::string& caption, bool helpVisible) {
            return password_->Ask(QString::fromStdString(caption), helpVisible);
        },
        [this] { mainForm_.SetStatusText(maintenance::kRemovingStatus); });
    if (result) mainForm_.SetStatusText(QString::fromStdString(result->status));
}

}  // namespace shell::ui
