#include "shell/ui/AboutBox.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/Resources.h"

namespace shell::ui {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TAboutBox");
    setWindowTitle("About KT Invorra Pro");

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto* title = new QLabel("<b style='font-size:16pt'>KT Invorra Pro</b>", this);
    title->setObjectName("ProductName");
    auto* version =
        new QLabel(QString("Version %1").arg(QCoreApplication::applicationVersion()), this);
    version->setObjectName("Version");
    auto* text = new QLabel(
        "Billing and accounts receivable for small businesses: customers, products, invoices, "
        "payments, aging, statements, reports, labels, letters and e-mail, for any number of "
        "companies.",
        this);
    text->setWordWrap(true);
    text->setMinimumWidth(320);

    auto* words = new QVBoxLayout;
    words->addWidget(title);
    words->addWidget(version);
    words->addSpacing(8);
    words->addWidget(text);
    words->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(words, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

}  // namespace shell::ui
