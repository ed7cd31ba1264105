#include "correspondence/ui/SendMailMessage.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Text.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"

namespace correspondence::ui {

TEMMemo::TEMMemo(SendMailServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    setObjectName("EMMemo");
    setWindowTitle("Send E-Mail Message");
    auto* root = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    subject_ = new QLineEdit;
    subject_->setObjectName("EMSubject");
    widgets::ConfigureRecordTextEdit(*subject_, 998);
    returnAddress_ = new QLineEdit;
    returnAddress_->setObjectName("EMRetAdd");
    widgets::ConfigureRecordTextEdit(*returnAddress_, 50);
    form->addRow("&Subject:", subject_);
    form->addRow("Return E-Mail:", returnAddress_);
    root->addLayout(form);
    body_ = new QPlainTextEdit;
    body_->setObjectName("EMBody");
    body_->setTabChangesFocus(true);
    root->addWidget(body_, 1);

    auto* buttons = new QHBoxLayout;
    queueCount_ = new QLabel;
    queueCount_->setObjectName("Label3");
    buttons->addWidget(queueCount_, 1);
    const auto button = [&](const char* name, const QString& text, auto slot) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* send = button("OKButton", "&E-Mail", [this] { OKButtonClick(); });
    send->setDefault(true);
    button("Button1", "&Queue", [this] { Button1Click(); })->setAutoDefault(false);
    button("SpeedButton14", "Help", [this] {
        services_.showHelp("EMNote");
    })->setAutoDefault(false);
    button("SpeedButton16", "Close", [this] { reject(); })->setAutoDefault(false);
    root->addLayout(buttons);
    resize(620, 460);
}

void TEMMemo::Execute() {
    FormShow();
    exec();
}

void TEMMemo::FormShow() {
    const records::CompanyRecord& company = services_.state.currentCompany;
    const QFont font = widgets::PrinterCanvas::ToQFont(company.editorFont().ToChoice());
    for (QWidget* w : std::initializer_list<QWidget*>{body_, subject_, returnAddress_})
        w->setFont(font);
    returnAddress_->setText(widgets::ToRecordText(base::Trim(company.email())));
    ShowQueueCount();
    subject_->setFocus();
}

void TEMMemo::ShowQueueCount() {
    queueCount_->setText("Records in Queue: " + QString::number(services_.state.printQueue.size()));
}

void TEMMemo::Button1Click() {
    services_.showQueue();
    ShowQueueCount();
}

void TEMMemo::OKButtonClick() {
    const BulkMailForm form{widgets::FromRecordText(subject_->text()),
                            widgets::FromRecordText(returnAddress_->text()),
                            widgets::FromRecordText(body_->toPlainText())};
    BulkMailRun run{services_.prompts, services_.engine, services_.mail,
                    services_.state.currentCompany, services_.state.printQueue};
    std::optional<BulkMailRefusal> refusal;
    widgets::TStatForm& status = services_.statusWindow;
    bool shown = false;
    const auto progress = [&](const std::string& text) {
        if (!shown) status.ShowStatus("E-Mail Mode");
        shown = true;
        status.SetLines("", QString::fromStdString(text), "");
        QApplication::processEvents();
    };
    (void)SendEmailMessage(run, form, &refusal, progress);
    if (shown) status.HideStatus();
    if (refusal) {
        QWidget* field = body_;
        if (refusal->field == BulkMailField::Subject) field = subject_;
        if (refusal->field == BulkMailField::ReturnAddress) field = returnAddress_;
        field->setFocus();
    }
    ShowQueueCount();
}

}  // namespace correspondence::ui
