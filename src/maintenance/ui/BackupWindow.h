#pragma once
// TKTBkUp: the backup window ("KT Invorra PRO Backup"). The archive is a file chosen with the
// save dialog (the last one chosen is proposed again); Backup and Restore run the flow's
// commands while the controls are disabled and the gauge follows the progress.

#include <QDialog>
#include <QString>
#include <functional>

#include "maintenance/BackupFlow.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace maintenance::ui {

struct BackupWindowServices {
    maintenance::BackupFlow& flow;
    base::PromptService& prompts;      // the save dialog
    engine::RebuildObserver& rebuild;  // shows the rebuild after a restore
    std::function<void(const QString& topic)> showHelp;
};

class TKTBkUp : public QDialog {
    Q_OBJECT
public:
    TKTBkUp(BackupWindowServices services, QString defaultArchive, QWidget* parent = nullptr);

    // Shows the window; true when files were restored (the program's company may have changed).
    bool Execute();

private:
    void FormShow();
    void BrowseButnClick();
    void BackButnClick();
    void RestBtnClick();
    void SetBusy(bool busy, const QString& status);
    void ShowProgress(int percent);

    BackupWindowServices services_;
    bool restored_ = false;
    QLineEdit* archive_;
    QPushButton* browse_;
    QPushButton* backup_;
    QPushButton* restore_;
    QPushButton* exit_;
    QPushButton* help_;
    QLabel* status_;
    QProgressBar* gauge_;
};

}  // namespace maintenance::ui
