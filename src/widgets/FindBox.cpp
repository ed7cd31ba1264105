#include "widgets/FindBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/Text.h"
#include "engine/RecordFile.h"
#include "widgets/BrowserDataSource.h"

namespace widgets {

namespace {

constexpr int kTextLength = 15;

QPushButton* Button(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

TFindBox::TFindBox(engine::Engine& engine, base::PromptService& prompts,
                   std::function<void(const QString& topic)> showHelp, QWidget* parent)
    : QDialog(parent), engine_(engine), prompts_(prompts), showHelp_(std::move(showHelp)) {
    setObjectName("FindBox");
    setSizeGripEnabled(true);
    resize(760, 420);

    auto* label = new QLabel(tr("Text to Find :"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName("FindText");
    text_->setMaxLength(kTextLength);
    label->setBuddy(text_);
    findButton_ = Button("FindBtn", tr("Find"), this);
    findButton_->setDefault(true);
    QPushButton* exit = Button("ExitBtn", tr("&Exit"), this);
    QPushButton* help = Button("HelpBtn", tr("Help"), this);
    exit->setAutoDefault(false);
    help->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(text_, 1);
    top->addWidget(findButton_);
    top->addWidget(exit);
    top->addWidget(help);

    list_ = new QTreeWidget(this);
    list_->setObjectName("ListView1");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setSectionsClickable(true);
    list_->header()->setSortIndicatorShown(false);

    status_ = new QLabel(this);
    status_->setObjectName("StatusBar1");
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addWidget(status_);

    connect(text_, &QLineEdit::textChanged, this, [this] { UpdateFindButton(); });
    connect(findButton_, &QPushButton::clicked, this, [this] { FindBtnClick(); });
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [this] {
        if (showHelp_) showHelp_("FindData");
    });
    connect(list_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { list_->sortItems(column, Qt::AscendingOrder); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { ListDblClick(); });
}

TFindBox::~TFindBox() = default;

void TFindBox::Prepare(records::RecordKind kind, const QString& caption,
                       engine::FileBlockHandle fb) {
    type_ = &records::RecordTypeOf(kind);
    fb_ = fb;
    setWindowTitle(caption);
}

int TFindBox::Find(records::RecordKind kind, const QString& caption, engine::FileBlockHandle fb) {
    Prepare(kind, caption, fb);
    return exec();
}

std::optional<std::string> TFindBox::SelectedColumn(int column) const {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected() || column < 0 || column >= item->columnCount())
        return std::nullopt;
    return item->text(column).toStdString();
}

QString TFindBox::status() const {
    return status_->text();
}

void TFindBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFindBox::FormShow() {
    QStringList captions;
    for (const std::string& caption : type_->find.captions)
        captions << QString::fromStdString(caption);
    list_->clear();
    list_->setColumnCount(static_cast<int>(captions.size()));
    list_->setHeaderLabels(captions);
    for (int i = 0; i < list_->columnCount(); ++i) list_->resizeColumnToContents(i);
    status_->setText(tr("Enter the text to search for then select Find button..."));
    UpdateFindButton();
    text_->setFocus();
}

void TFindBox::UpdateFindButton() {
    findButton_->setEnabled(!base::Trim(text_->text().toStdString()).empty());
}

void TFindBox::FindBtnClick() {
    list_->clear();
    status_->setText(tr("Searching..."));
    status_->repaint();
    const FindResult result =
        SearchRecords(engine_, fb_, *type_, FindSearchText(text_->text().toStdString()));
    for (const std::vector<std::string>& columns : result.items) {
        QStringList texts;
        for (const std::string& column : columns) texts << QString::fromStdString(column);
        list_->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    for (int i = 0; i < list_->columnCount(); ++i) list_->resizeColumnToContents(i);
    findButton_->setEnabled(false);
    if (result.errorClass > engine::ErrorClass::Expected) {
        status_->setText(tr("The search stopped at an error."));
        prompts_.Message(engine::kProgramCaption, engine::ErrorText(result.errorClass, result.error),
                         base::PromptIcon::Error, base::PromptButtons::Ok);
        return;
    }
    status_->setText(QString("Search Complete. Found %1 items.  Double-click on first column to "
                             "find matching record.")
                         .arg(result.items.size()));
    if (result.items.empty()) {
        prompts_.Message("Text to Find", "No matching items were found.",
                         base::PromptIcon::Information, base::PromptButtons::Ok);
        status_->setText(tr("No items were found."));
    }
}

void TFindBox::ListDblClick() {
    if (list_->currentItem() && list_->currentItem()->isSelected())
        accept();
    else
        QApplication::beep();
}

}  // namespace widgets
