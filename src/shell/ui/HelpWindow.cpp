#include "shell/ui/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "shell/ui/Resources.h"

namespace shell::ui {

namespace {

QString ReadPage(const QString& file) {
    QFile page(file);
    if (!page.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(page.readAll());
}

QString PlainText(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

}  // namespace

const std::vector<HelpTopic>& HelpTopics() {
    static const std::vector<HelpTopic> topics = [] {
        const std::vector<std::pair<const char*, const char*>> list = {
            {"Contents", "Contents"},
            {"HowToUseHelp", "How to use Help"},
            {"Frequent Asked Questions", "Frequent Asked Questions"},
            {"MainWindow", "The main window"},
            {"EMMode", "Default printed output and e-mail"},
            {"AgingChart", "Aging chart"},
            {"CompanyManager", "Company Manager"},
            {"Company", "Company options"},
            {"CompanyAddress", "Company options: Address/Taxes"},
            {"GeneralOpts", "Company options: General"},
            {"invoptions", "Company options: Invoices"},
            {"formlayout", "Company options: Forms Setup"},
            {"prnenv", "Company options: Envelopes/Aging"},
            {"SalesMsg", "Company options: Sales Message"},
            {"SysGraphics", "Company options: System Graphics"},
            {"HFC", "Form headers, fonts and colors"},
            {"EditTerms", "Payment terms"},
            {"PwordSet", "Password protection"},
            {"CustomerManager", "Customer Manager"},
            {"CustomerEdit", "Entering a customer"},
            {"FindData", "Finding records"},
            {"ProductManager", "Product Manager"},
            {"InvoiceManager", "Invoice Manager"},
            {"NewInvoice", "Writing an invoice"},
            {"RepeatBilling", "Repeat billing"},
            {"PaymentWizard", "Payment Wizard"},
            {"InterestWizard", "Interest Wizard"},
            {"ViewStatement", "Customer statements"},
            {"GetStatement", "Choosing statements to print"},
            {"ReportWizard", "Report Wizard"},
            {"LabelWizard", "Label Wizard and print queue"},
            {"FormWizard", "Form Letter Wizard"},
            {"EMNote", "Sending e-mail messages"},
            {"Backup", "Backup and restore"},
            {"DeletePaid", "Deleting paid invoices"},
            {"RebuildFiles", "Rebuilding data files"},
            {"Conversion", "Version 1 conversion"},
        };
        std::vector<HelpTopic> result;
        for (const auto& [name, title] : list) {
            QString file = QString(name).toLower().remove(' ');
            result.push_back({name, title, ":/help/" + file + ".html"});
        }
        return result;
    }();
    return topics;
}

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Window),
      search_(new QLineEdit(this)),
      contents_(new QListWidget(this)),
      page_(new QTextBrowser(this)) {
    LoadResources();
    setObjectName("HelpWindow");
    setWindowTitle("KT Invorra Pro Help");
    resize(900, 620);

    search_->setObjectName("HelpSearch");
    search_->setPlaceholderText("Search the help");
    search_->setClearButtonEnabled(true);
    contents_->setObjectName("HelpContents");
    page_->setObjectName("HelpPage");
    page_->setOpenLinks(false);
    page_->document()->setDocumentMargin(12);

    for (const HelpTopic& topic : HelpTopics()) {
        auto* item = new QListWidgetItem(topic.title, contents_);
        item->setData(Qt::UserRole, topic.name);
        plainTexts_.push_back(PlainText(ReadPage(topic.file)));
    }

    auto* searchLabel = new QLabel("&Search:", this);
    searchLabel->setBuddy(search_);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(searchLabel);
    leftLayout->addWidget(search_);
    leftLayout->addWidget(contents_);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    connect(search_, &QLineEdit::textChanged, this, &HelpWindow::FilterContents);
    connect(contents_, &QListWidget::currentRowChanged, this, &HelpWindow::ContentsRowChanged);
    connect(page_, &QTextBrowser::anchorClicked, this, &HelpWindow::LinkClicked);
    contents_->setCurrentRow(0);
}

int HelpWindow::IndexOf(const QString& name) const {
    const auto& topics = HelpTopics();
    for (size_t i = 0; i < topics.size(); ++i)
        if (topics[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

void HelpWindow::ShowTopic(const QString& name) {
    search_->clear();
    contents_->setCurrentRow(std::max(IndexOf(name), 0));
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this) {
        hide();  // modality changes only while hidden
        setWindowModality(Qt::ApplicationModal);
    } else if (!isVisible()) {
        setWindowModality(Qt::NonModal);
    }
    show();
    raise();
    activateWindow();
}

QString HelpWindow::CurrentTopic() const {
    const QListWidgetItem* item = contents_->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

QStringList HelpWindow::Search(const QString& words) const {
    const QStringList wanted = words.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QStringList found;
    const auto& topics = HelpTopics();
    for (size_t i = 0; i < topics.size(); ++i) {
        const QString text = topics[i].title + "\n" + plainTexts_[i];
        if (std::all_of(wanted.begin(), wanted.end(), [&](const QString& word) {
                return text.contains(word, Qt::CaseInsensitive);
            }))
            found << topics[i].title;
    }
    return found;
}

void HelpWindow::FilterContents(const QString& words) {
    const QStringList found = Search(words);
    for (int row = 0; row < contents_->count(); ++row) {
        QListWidgetItem* item = contents_->item(row);
        item->setHidden(!found.contains(item->text()));
    }
    // Keep a visible page selected, so the page shown always belongs to the list.
    if (contents_->currentItem() && contents_->currentItem()->isHidden()) {
        for (int row = 0; row < contents_->count(); ++row)
            if (!contents_->item(row)->isHidden()) {
                contents_->setCurrentRow(row);
                break;
            }
    }
}

void HelpWindow::ContentsRowChanged(int row) {
    const auto& topics = HelpTopics();
    if (row < 0 || row >= static_cast<int>(topics.size())) return;
    page_->setHtml(ReadPage(topics[row].file));
    setWindowTitle("KT Invorra Pro Help - " + topics[row].title);
}

// Pages link to each other as "topic:Name".
void HelpWindow::LinkClicked(const QUrl& url) {
    if (url.scheme() == "topic") {
        search_->clear();
        const int index = IndexOf(url.path());
        if (index >= 0) contents_->setCurrentRow(index);
    }
}

}  // namespace shell::ui
