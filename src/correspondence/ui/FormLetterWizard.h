#pragma once
// TLetterWiz: the "Form Letter Wizard", a small rich-text word processor whose letters may hold
// merge keywords. Print merges the letter once for every customer in the print queue and prints
// each as a print job of its own (one file with a page per customer when the printer writes a
// PDF file). The letter in the editor is never changed by a merge.

#include <QDialog>
#include <functional>
#include <string>

#include "correspondence/LabelWizardFlow.h"

class QAction;
class QComboBox;
class QFontComboBox;
class QLabel;
class QPrinter;
class QSpinBox;
class QTextEdit;

namespace correspondence::ui {

struct FormLetterServices {
    LabelWizardServices files;  // the engine, the prompts and the program state
    QPrinter& printer;
    // Shows the Label Wizard / Print Queue window modally.
    std::function<void()> showQueue;
    std::function<void(const QString& topic)> showHelp;
};

class TLetterWiz : public QDialog {
    Q_OBJECT
public:
    explicit TLetterWiz(FormLetterServices services, QWidget* parent = nullptr);

    void Execute();

    void FileNew();
    void FileOpen();
    bool FileSave();
    bool FileSaveAs();
    void FilePrint();

    QTextEdit& editor() { return *editor_; }

protected:
    void reject() override;

private:
    // "Save changes to %s?": false when the user cancelled the command.
    bool AskSaveChanges();
    bool WriteLetter(const std::string& path);
    void SetFileName(const std::string& path);
    void ShowSelectionFormat();
    void MergeFormat(const std::function<void(QTextCharFormat&)>& change);
    void Indent(int steps);

    FormLetterServices services_;
    std::string fileName_;  // empty for an untitled letter
    QTextEdit* editor_;
    QFontComboBox* fontName_;
    QSpinBox* fontSize_;
    QComboBox* keywords_;
    QLabel* status_;
    QAction* bold_;
    QAction* italic_;
    QAction* underline_;
};

}  // namespace correspondence::ui
