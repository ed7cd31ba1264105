#pragma once
// TTermEdit: the payment terms editor ("Edit Payment Terms"). It edits the sorted list of terms
// of "ZRTERMS.DAT" in memory and writes the file only when the user closes it.

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "engine/FileSystem.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace base {
class PromptService;
}

namespace shell::ui {

class TTermEdit : public QDialog {
    Q_OBJECT
public:
    TTermEdit(engine::FileSystem& fs, base::PromptService& prompts,
              std::function<void(const QString& topic)> showHelp, QWidget* parent = nullptr);

    // The terms the list holds, in list order.
    std::vector<std::string> Terms() const;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the close box end the dialog like "&Close": the dialog has no cancel, and edits
    // must not be lost silently.
    void reject() override;

private:
    enum class Mode { None, Add, Edit };

    void FormShow();
    void TermListClick();
    void AddBtnClick();
    void EditBtnClick();
    void OkBtnClick();
    void DeleteBtnClick();
    void CloseBtnClick();
    void EndEntry();
    void SelectFirst();

    engine::FileSystem& fs_;
    base::PromptService& prompts_;
    std::function<void(const QString&)> showHelp_;
    Mode mode_ = Mode::None;
    QListWidget* termList_;
    QLineEdit* termEdit_;
    QLabel* prompt_;
    QPushButton* okBtn_;
};

}  // namespace shell::ui
