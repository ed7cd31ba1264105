// The maintenance commands of the main window: the Backup Files button opens the backup window,
// Delete Paid Invoices asks its first question, the conversion utility opens its window.
#include "shell/ui/MaintenanceWindows.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "ShellFixture.h"
#include "maintenance/ui/BackupWindow.h"
#include "maintenance/ui/ConversionWindow.h"
#include "shell/ui/MainWindow.h"
#include "support/ui/WindowDriving.h"

namespace shell::ui {
namespace {

using testsupport::Click;
using testsupport::ThenInModal;
using testsupport::Trigger;

using MaintenanceWindowsTest = shelltest::ShellTest;

TEST_F(MaintenanceWindowsTest, CommandsOpenTheirWindows) {
    TMainForm& main = StartedWindow();
    MaintenanceWindows windows(main);
    for (const Command command :
         {Command::BackupDataFiles, Command::DeletePaidInvoices, Command::Version1Conversion})
        EXPECT_TRUE(main.IsCommandEnabled(command));

    ThenInModal(windows.backup(), [&] { Click(windows.backup(), "BkExit"); });
    Trigger(main, "BackupButnAction");
    ThenInModal(windows.conversion(), [&] { Click(windows.conversion(), "OKButton"); });
    Trigger(main, "Version1ConversionUtility1");

    prompts.ExpectYesNo("Delete Paid Records",
                        "This option will remove only PAID transactions older than the date you "
                        "select. Once removed, they will no longer appear on any reports or "
                        "system options. We suggest you leave 3 years on file and print reports "
                        "for what you are about to remove. Continue?",
                        false);
    Trigger(main, "DeletePaidInvoices1");
    prompts.Verify();
}

TEST_F(MaintenanceWindowsTest, BackupAndRestoreRunWhileTheProgramIsOpen) {
    TMainForm& main = StartedWindow();
    MaintenanceWindows windows(main);
    maintenance::ui::TKTBkUp& backup = windows.backup();
    const std::string archive = (dir.path() / "Books.zip").string();
    prompts.ExpectMessage("Please Confirm", "Ready to backup files to " + archive + "?",
                          base::PromptAnswer::Ok);
    prompts.ExpectInform("KT Backup", "Backup complete. 3 files were copied.");
    prompts.ExpectMessage("Restore",
                          "Ready to RESTORE files from " + archive +
                              ". WARNING!! Your data files will be over-written by the backup "
                              "files! Continue?",
                          base::PromptAnswer::Ok);
    prompts.ExpectInform("Restore Complete",
                         "Restore files operation complete. 3 files were restored. The data "
                         "files have been rebuilt and the customer balances agree with the "
                         "invoice file.");
    ThenInModal(backup, [&] {
        testsupport::Find<QLineEdit>(backup, "ArchivePath")
            .setText(QString::fromStdString(archive));
        Click(backup, "BackButn");
        Click(backup, "RestBtn");
        Click(backup, "BkExit");
    });
    Trigger(main, "BackupButnAction");
    prompts.Verify();
    EXPECT_TRUE(main.BannerText().contains("Acme Supply"));
}

}  // namespace
}  // namespace shell::ui
