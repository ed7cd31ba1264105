#pragma once
// TPWDlg: the password prompt. One dialog serves every question about the password; its caption
// says which ("Password Required", "Enter the Current Password", "Password Setup", ...).

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace company::ui {

class TPWDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPWDlg(std::function<void(const QString&)> showHelp, QWidget* parent = nullptr);

    // Shows the prompt with an empty, focused field; the text typed (Windows-1252) when closed
    // with OK, nothing otherwise.
    std::optional<std::string> Ask(const QString& caption, bool helpVisible = true);

private:
    void PWHelpButnClick();

    std::function<void(const QString&)> showHelp_;
    QLineEdit* password_;
    QPushButton* helpButton_;
};

}  // namespace company::ui
