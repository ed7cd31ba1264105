#pragma once
// TEMMemo: the "Send E-Mail Message" window. One typed message goes to every customer in the print
// queue through the program's mail connection; the checks, the run and its summary are
// correspondence::SendEmailMessage, which the window feeds with what was typed.

#include <QDialog>
#include <functional>

#include "company/ProgramState.h"
#include "correspondence/BulkMail.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace widgets {
class TStatForm;
}

namespace correspondence::ui {

struct SendMailServices {
    base::PromptService& prompts;
    engine::Engine& engine;
    company::ProgramState& state;
    mail::MailConnection& mail;
    widgets::TStatForm& statusWindow;
    // Shows the Label Wizard / Print Queue window modally.
    std::function<void()> showQueue;
    std::function<void(const QString& topic)> showHelp;
};

class TEMMemo : public QDialog {
    Q_OBJECT
public:
    explicit TEMMemo(SendMailServices services, QWidget* parent = nullptr);

    void Execute();
    void OKButtonClick();
    void Button1Click();

private:
    void FormShow();
    void ShowQueueCount();

    SendMailServices services_;
    QLineEdit* subject_;
    QLineEdit* returnAddress_;
    QPlainTextEdit* body_;
    QLabel* queueCount_;
};

}  // namespace correspondence::ui
