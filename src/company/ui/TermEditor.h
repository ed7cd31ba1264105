#pragma once
// TTermEdit: the payment terms editor ("Edit Payment Terms"). It shows the terms of
// company::TermEditorFlow, which holds them in memory and writes "ZRTERMS.DAT" only when the user
// closes the editor.

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "company/TermEditorFlow.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace company::ui {

class TTermEdit : public QDialog {
    Q_OBJECT
public:
    TTermEdit(TermEditorFlow flow, std::function<void(const QString& topic)> showHelp,
              QWidget* parent = nullptr);

    // The terms the list holds, in list order.
    const std::vector<std::string>& Terms() const { return flow_.terms(); }

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
    void ShowTerms();

    company::TermEditorFlow flow_;
    std::function<void(const QString&)> showHelp_;
    Mode mode_ = Mode::None;
    QListWidget* termList_;
    QLineEdit* termEdit_;
    QLabel* prompt_;
    QPushButton* okBtn_;
};

}  // namespace company::ui
