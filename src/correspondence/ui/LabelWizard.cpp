#include "correspondence/ui/LabelWizard.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>

#include "base/Text.h"
#include "correspondence/LabelSheet.h"
#include "correspondence/QueueCustomers.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"

namespace correspondence::ui {
namespace {

QString Q(const std::string& text) {
    return widgets::ToRecordText(text);
}
std::string R(const QString& text) {
    return widgets::FromRecordText(text);
}

// A layout size field: digits only, as many as the layout file holds.
QLineEdit* DigitsField(const char* name, int digits) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMaxLength(digits);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString("\\d{0,%1}").arg(digits)), edit));
    edit->setMaximumWidth(80);
    return edit;
}

QLineEdit* TextField(const char* name, int length) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    widgets::ConfigureRecordTextEdit(*edit, length);
    return edit;
}

}  // namespace

TLblWiz::TLblWiz(LabelWizardWindowServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)), flow_(services_.flow) {
    setObjectName("Lblwiz");
    setWindowTitle("Label Wizard / Print Queue");
    auto* root = new QVBoxLayout(this);

    auto* menuBar = new QMenuBar(this);
    root->setMenuBar(menuBar);
    const auto action = [this](QMenu* menu, const char* name, const QString& text, auto slot) {
        QAction* a = menu->addAction(text, this, slot);
        a->setObjectName(name);
        return a;
    };
    QMenu* label = menuBar->addMenu("&Label");
    action(label, "Open2", "&Open...", [this] { Open2Click(); });
    saveAs_ = action(label, "SaveAs1", "&Save As...", [this] { SaveAs1Click(); });
    action(label, "CalibrationRuler1", "Calibration &Ruler", [this] { CalibrationRuler1Click(); });
    label->addSeparator();
    action(label, "Close1", "&Close", [this] { accept(); });
    records_ = menuBar->addMenu("&Records");
    action(records_, "Add3", "&Add", [this] { AddOneClick(); });
    action(records_, "Delete2", "&Delete", [this] { Delete2Click(); });
    action(records_, "SavetoFile1", "&Save To File", [this] { SavetoFile1Click(); });
    action(records_, "LoadfromFile1", "Load &From File", [this] { LoadfromFile1Click(); });
    const char* agingItems[] = {"Load030", "Load3160", "Load6190", "LoadOver90"};
    const char* agingTexts[] = {"Load 0-30 Days", "Load 31-60 Days", "Load 61-90 Days",
                                "Load Over 90 Days"};
    for (int c = 0; c < kAgingCategories; ++c)
        action(records_, agingItems[c], agingTexts[c], [this, c] { LoadOwingClick(c + 1); });
    action(records_, "LoadAllCustomers1", "&Load All Customers", [this] { LoadAllRecsClick(); });
    action(records_, "ClearAll1", "&Clear All", [this] { ClearAllClick(); });

    // The queue's buttons, above the list.
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& text, auto slot) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* add = button("AddOne", "Find Customer", [this] { AddOneClick(); });
    QPushButton* remove = button("SpeedButton2", "Delete Record", [this] { Delete2Click(); });
    QPushButton* clear = button("SpeedButton3", "Clear All Records", [this] { ClearAllClick(); });
    QPushButton* save = button("SavetoFile", "Save To File", [this] { SavetoFile1Click(); });
    QPushButton* load = button("LoadFrmFile", "Load From File", [this] { LoadfromFile1Click(); });
    QPushButton* all = button("LoadAllRecs", "All Customers", [this] { LoadAllRecsClick(); });
    const char* agingNames[] = {"zero30", "A3060", "A6090", "AOver90"};
    for (int c = 0; c < kAgingCategories; ++c)
        agingButtons_[c] = button(agingNames[c], "", [this, c] { LoadOwingClick(c + 1); });
    buttons->addStretch();
    root->addLayout(buttons);

    auto* middle = new QHBoxLayout;
    list_ = new QTreeWidget;
    list_->setObjectName("LabelList");
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({"Number", "Customer Name", "Sort Code", "Customer Type"});
    list_->header()->setSectionsClickable(true);
    list_->setColumnWidth(0, 80);
    list_->setColumnWidth(1, 240);
    list_->setColumnWidth(2, 110);
    list_->setMinimumWidth(620);
    connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int c) { SortBy(c); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { AddOneClick(); });
    middle->addWidget(list_, 1);

    auto* layoutBox = new QGroupBox("Label Layout");
    auto* form = new QFormLayout(layoutBox);
    description_ = TextField("Edit1", 50);
    form->addRow("Layout &Description:", description_);
    leftMargin_ = DigitsField("LMargin", 3);
    topMargin_ = DigitsField("TMargin", 3);
    columns_ = DigitsField("ColAcross", 1);
    rows_ = DigitsField("RowsDown", 2);
    width_ = DigitsField("LWdth", 4);
    height_ = DigitsField("LHght", 4);
    form->addRow("Left &Margin:", leftMargin_);
    form->addRow("&Top Margin:", topMargin_);
    form->addRow("&Columns Across:", columns_);
    form->addRow("R&ows Down:", rows_);
    form->addRow("Label &Width:", width_);
    form->addRow("Label &Height:", height_);
    auto* fontRow = new QHBoxLayout;
    fontName_ = new QLabel;
    fontName_->setObjectName("CFName");
    auto* fontButton = new QPushButton("&Font");
    fontButton->setObjectName("FontButn");
    fontButton->setAutoDefault(false);
    connect(fontButton, &QPushButton::clicked, this, [this] { FontButnClick(); });
    fontRow->addWidget(fontName_, 1);
    fontRow->addWidget(fontButton);
    form->addRow("Font:", fontRow);
    shipping_ = new QCheckBox("Use Shipping Address");
    shipping_->setObjectName("CheckBox1");
    form->addRow(shipping_);
    returnAddress_ = new QCheckBox("Print company return address");
    returnAddress_->setObjectName("UseCmpAdd");
    connect(returnAddress_, &QCheckBox::toggled, this, [this] { UseCmpAddClick(); });
    form->addRow(returnAddress_);
    printLine_ = new QCheckBox("Print line between addresses");
    printLine_->setObjectName("PLine");
    form->addRow(printLine_);
    lineWidth_ = DigitsField("MaskEdit1", 1);
    form->addRow("Line Width:", lineWidth_);
    caption_ = TextField("CaptName", 10);
    form->addRow("Send To Caption:", caption_);
    auto* bitmapRow = new QHBoxLayout;
    bitmap_ = new QLineEdit;
    bitmap_->setObjectName("BMapName");
    bitmap_->setMaxLength(255);
    bitmapButton_ = new QPushButton("&Bitmap");
    bitmapButton_->setObjectName("BitMpButn");
    bitmapButton_->setAutoDefault(false);
    connect(bitmapButton_, &QPushButton::clicked, this, [this] { BitMpButnClick(); });
    bitmapRow->addWidget(bitmap_, 1);
    bitmapRow->addWidget(bitmapButton_);
    form->addRow("Bitmap:", bitmapRow);
    middle->addWidget(layoutBox);
    root->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    start_ = DigitsField("LblStart", 3);
    copies_ = DigitsField("LabelCopies", 3);
    auto* startLabel = new QLabel("&Start at Label:");
    startLabel->setBuddy(start_);
    auto* copiesLabel = new QLabel("Copies of each label:");
    copiesLabel->setBuddy(copies_);
    bottom->addWidget(startLabel);
    bottom->addWidget(start_);
    bottom->addWidget(copiesLabel);
    bottom->addWidget(copies_);
    bottom->addStretch();
    auto* print = new QPushButton("&Print Labels");
    print->setObjectName("PrnButn");
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, [this] { PrnButnClick(); });
    auto* setup = new QPushButton("Print S&etup");
    setup->setObjectName("SpeedButton4");
    setup->setAutoDefault(false);
    connect(setup, &QPushButton::clicked, this,
            [this] { (void)services_.flow.prompts.PrinterSetup(); });
    auto* help = new QPushButton("Help");
    help->setObjectName("HelpBtn");
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelp("LabelWizard"); });
    auto* close = new QPushButton("Close");
    close->setObjectName("CloseBtn");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    for (QPushButton* b : {print, setup, help, close}) bottom->addWidget(b);
    root->addLayout(bottom);

    auto* statusBar = new QHBoxLayout;
    panel0_ = new QLabel;
    panel0_->setObjectName("StatusPanel0");
    panel1_ = new QLabel;
    panel1_->setObjectName("StatusPanel1");
    for (QLabel* panel : {panel0_, panel1_}) panel->setFrameShape(QFrame::StyledPanel);
    statusBar->addWidget(panel0_, 2);
    statusBar->addWidget(panel1_, 1);
    root->addLayout(statusBar);

    layoutCommands_ = {print, add, all, remove, save, clear, load, fontButton};
    // A layout made from scratch starts in a font every label printer has.
    font_ = {"Arial", 10, 0, 0};
    fontName_->setText(Q(font_.name));
    resize(1100, 600);
}

void TLblWiz::Execute() {
    const std::string status = flow_.Start();
    if (flow_.loaded()) ShowLayout(*flow_.loaded());
    EnableLayoutCommands(flow_.loaded().has_value());
    Status(status);
    FormShow();
    exec();
}

void TLblWiz::FormShow() {
    const records::CompanyRecord& company = services_.flow.state.currentCompany;
    for (int c = 0; c < kAgingCategories; ++c)
        agingButtons_[c]->setText(Q(AgingButtonCaption(company, c + 1)));
    start_->setText("1");
    copies_->setText("1");
    UseCmpAddClick();
    ShowQueue();
    if (flow_.loaded()) list_->setFocus();
}

void TLblWiz::EnableLayoutCommands(bool enabled) {
    for (QWidget* w : layoutCommands_) w->setEnabled(enabled);
    records_->setEnabled(enabled);
    saveAs_->setEnabled(enabled);
}

void TLblWiz::ShowLayout(const LabelLayout& layout) {
    description_->setText(Q(layout.description));
    leftMargin_->setText(Q(layout.leftMargin));
    topMargin_->setText(Q(layout.topMargin));
    columns_->setText(Q(layout.columnsAcross));
    rows_->setText(Q(layout.rowsDown));
    width_->setText(Q(layout.labelWidth));
    height_->setText(Q(layout.labelHeight));
    font_ = layout.font;
    fontName_->setText(Q(font_.name));
    shipping_->setChecked(layout.shippingAddress);
    printLine_->setChecked(layout.printLine);
    lineWidth_->setText(Q(layout.lineWidth));
    caption_->setText(Q(layout.sendToCaption));
    savedBitmap_ = Q(base::Trim(layout.bitmap));
    returnAddress_->setChecked(layout.returnAddress);
    UseCmpAddClick();
}

LabelLayout TLblWiz::ShownLayout() const {
    LabelLayout layout;
    layout.description = R(description_->text());
    layout.leftMargin = R(leftMargin_->text());
    layout.topMargin = R(topMargin_->text());
    layout.columnsAcross = R(columns_->text());
    layout.rowsDown = R(rows_->text());
    layout.labelWidth = R(width_->text());
    layout.labelHeight = R(height_->text());
    layout.font = font_;
    layout.shippingAddress = shipping_->isChecked();
    layout.returnAddress = returnAddress_->isChecked();
    layout.bitmap = R(bitmap_->text());
    layout.printLine = printLine_->isChecked();
    layout.lineWidth = R(lineWidth_->text());
    layout.sendToCaption = R(caption_->text());
    return StoredForm(layout);
}

void TLblWiz::UseCmpAddClick() {
    const bool on = returnAddress_->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{printLine_, lineWidth_, caption_, bitmapButton_})
        w->setEnabled(on);
    if (!on && !bitmap_->text().isEmpty()) savedBitmap_ = bitmap_->text();
    bitmap_->setText(on ? savedBitmap_ : QString());
    bitmap_->setEnabled(on);
}

void TLblWiz::ShowQueue() {
    list_->clear();
    // Added in one go: a queue of every customer may hold a hundred thousand rows.
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(services_.flow.state.printQueue.size()));
    for (const company::QueuedCustomer& item : services_.flow.state.printQueue.items())
        rows.append(
            new QTreeWidgetItem({Q(item.number), Q(item.name), Q(item.sortCode), Q(item.type)}));
    list_->addTopLevelItems(rows);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(list_->topLevelItemCount() - 1));
}

void TLblWiz::SortBy(int column) {
    const auto key = [column](const company::QueuedCustomer& item) {
        return Q(column == 0   ? item.number
                 : column == 1 ? item.name
                 : column == 2 ? item.sortCode
                               : item.type);
    };
    services_.flow.state.printQueue.Sort([&](const auto& a, const auto& b) {
        return QString::localeAwareCompare(key(a), key(b)) < 0;
    });
    ShowQueue();
}

void TLblWiz::Status(const std::optional<std::string>& text) {
    if (text) panel0_->setText(QString::fromStdString(*text));
}

void TLblWiz::Open2Click() {
    const auto path = services_.flow.prompts.OpenFileName("Open Label Layout", "", kLayoutFilter);
    if (!path || !flow_.OpenLayout(*path)) return;
    ShowLayout(*flow_.loaded());
    EnableLayoutCommands(true);
    Status(kLabelReadyText);
}

void TLblWiz::SaveAs1Click() {
    const auto path =
        services_.flow.prompts.SaveFileName("Save Label Layout As", "", kLayoutFilter);
    if (path) (void)flow_.SaveLayout(*path, ShownLayout());
}

void TLblWiz::CalibrationRuler1Click() {
    if (!services_.flow.prompts.AskYesNo(
            "Please Confirm",
            "This feature will print the calibration ruler on your printer. You can use it to "
            "help you calculate margin settings. Continue?"))
        return;
    widgets::PrinterCanvas canvas(services_.printer);
    if (PrintCalibrationRuler(canvas)) Status("Calibration ruler sent to printer.");
}

void TLblWiz::AddOneClick() {
    panel1_->setText("Double-click or press <enter> to select.");
    const std::optional<records::CustomerRecord> picked = services_.pickCustomer();
    panel1_->setText("Right-click mouse or select from menu bar.");
    if (!picked) return;
    services_.flow.state.printQueue.AddCustomer(*picked);
    ShowQueue();
    Status(flow_.SelectedText());
}

void TLblWiz::Delete2Click() {
    QTreeWidgetItem* current = list_->currentItem();
    std::optional<size_t> row;
    if (current && current->isSelected())
        row = static_cast<size_t>(list_->indexOfTopLevelItem(current));
    const std::optional<std::string> status = flow_.Delete(row);
    if (status) ShowQueue();
    Status(status);
}

void TLblWiz::ClearAllClick() {
    if (services_.flow.state.printQueue.empty()) {
        QApplication::beep();
        return;
    }
    const std::optional<std::string> status = flow_.ClearAll();
    ShowQueue();
    Status(status);
}

void TLblWiz::SavetoFile1Click() {
    if (services_.flow.state.printQueue.empty()) {
        Status(flow_.SaveQueue(""));  // says there is nothing to save
        return;
    }
    const auto path = services_.flow.prompts.SaveFileName("Save To File", "", kQueueFilter);
    if (path) Status(flow_.SaveQueue(*path));
}

void TLblWiz::LoadfromFile1Click() {
    const auto path = services_.flow.prompts.OpenFileName("Load From File", "", kQueueFilter);
    if (!path) return;
    Status(flow_.LoadQueue(*path));
    ShowQueue();
}

void TLblWiz::LoadOwingClick(int category) {
    Status(flow_.LoadOwing(category));
    ShowQueue();
}

void TLblWiz::LoadAllRecsClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<std::string> status = flow_.LoadAll();
    QApplication::restoreOverrideCursor();
    Status(status);
    ShowQueue();
}

void TLblWiz::PrnButnClick() {
    Status("Printing labels...");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    widgets::PrinterCanvas canvas(services_.printer);
    const std::optional<std::string> status =
        flow_.PrintLabels(canvas, ShownLayout(), R(start_->text()), R(copies_->text()));
    QApplication::restoreOverrideCursor();
    Status(status ? *status : std::string(kLabelReadyText));
    list_->setFocus();
}

void TLblWiz::FontButnClick() {
    const auto chosen = services_.flow.prompts.ChooseFont(font_.ToChoice(), false);
    if (!chosen) return;
    if (const auto font = records::FontSpec::FromChoice(*chosen)) {
        font_ = *font;
        fontName_->setText(Q(font_.name));
    }
}

void TLblWiz::BitMpButnClick() {
    const auto path = services_.flow.prompts.OpenFileName("Bitmap", "", "Bitmap Image (*.BMP)");
    if (path) bitmap_->setText(QString::fromStdString(*path));
}

}  // namespace correspondence::ui
