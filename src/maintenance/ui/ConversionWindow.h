#pragma once
// TCZR: the version-1 conversion window ("KT Invorra PRO Version 1 Conversion"). Browse chooses
// the old "COMPANY.DAT" (or the path is typed and Enter pressed); the import then runs with its
// progress in the labels, and its report is shown before the window closes.

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

#include "maintenance/VersionOneImport.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace maintenance::ui {

struct ConversionWindowServices {
    maintenance::VersionOneImportFlow& flow;
    base::PromptService& prompts;      // the open dialog and the report
    engine::RebuildObserver& rebuild;  // shows the indexes being built
    std::function<void(const QString& topic)> showHelp;
};

class TCZR : public QDialog {
    Q_OBJECT
public:
    explicit TCZR(ConversionWindowServices services, QWidget* parent = nullptr);

    // Shows the window; true when companies were imported.
    bool Execute();

private:
    void FormShow();
    void Button1Click();
    void Convert();
    void ShowLabel(int label, const std::string& text);

    ConversionWindowServices services_;
    bool imported_ = false;
    QLineEdit* oldPath_;
    QLabel* instruction_;  // Label5
    QLabel* example_;      // Label6
    std::array<QLabel*, 4> progress_;
};

}  // namespace maintenance::ui
