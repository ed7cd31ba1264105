#include "shell/ui/CompanyManager.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

#include "base/Windows1252.h"
#include "company/CompanyFileSet.h"
#include "company/CompanyOptionsCheck.h"
#include "shell/ui/CompanyOptions.h"
#include "shell/ui/RecordText.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/StatusWindow.h"

namespace shell::ui {

namespace {

constexpr char kCaption[] = "Company Manager";
constexpr char kReportFile[] = "TXTTEMP.TXT";
constexpr int kByNumber = 1;
constexpr int kByName = 2;

}  // namespace

TListComps::TListComps(widgets::WindowContext& context, TCompSet& companyOptions,
                       widgets::TFindBox& findBox, widgets::TListWindow& listWindow,
                       std::function<bool()> checkPassword, QWidget* parent)
    : QDialog(parent),
      context_(context),
      companyOptions_(companyOptions),
      findBox_(findBox),
      listWindow_(listWindow),
      checkPassword_(std::move(checkPassword)) {
    setObjectName("ListComps");
    setWindowTitle(kCaption);
    setModal(true);

    title_ = new QLabel(this);
    title_->setObjectName("TitleLabel");
    title_->setTextFormat(Qt::PlainText);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    title_->setFont(titleFont);

    browser_ = new widgets::TFvcBrowser(context_.prompts, this);
    browser_->setObjectName("FvcBrowser1");
    browser_->OnBuildRow = [this](widgets::TFvcBrowser&, widgets::RowRec& row) {
        row.text = base::Win1252ToUtf8(company::CompanyBrowserRow(
            rowRecord_.name(), rowRecord_.number(), rowRecord_.receivablesTotal()));
    };
    browser_->OnDblClick = [this](widgets::TFvcBrowser&) { SetAsDefaultClick(); };
    browser_->OnKeyDown = [this](widgets::TFvcBrowser&, int& key, Qt::KeyboardModifiers) {
        FvcBrowser1KeyDown(key);
    };
    browser_->OnKeyPress = [this](widgets::TFvcBrowser&, QChar& ch) { FvcBrowser1KeyPress(ch); };

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    countPanel_ = new QLabel(statusBar);
    countPanel_->setObjectName("CountPanel");
    countPanel_->setMinimumWidth(140);
    auto* hintPanel = new QLabel("Right-click mouse or select from menu bar.", statusBar);
    hintPanel->setObjectName("HintPanel");
    statusBar->addWidget(countPanel_);
    statusBar->addWidget(hintPanel, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildCommands(*layout);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 6, 8, 6);
    body->addWidget(title_);
    body->addWidget(browser_, 1);
    layout->addLayout(body, 1);
    layout->addWidget(statusBar);
    resize(760, 480);
}

TListComps::~TListComps() = default;

void TListComps::BuildCommands(QVBoxLayout& layout) {
    auto* menuBar = new QMenuBar(this);
    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName("ToolBar");
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    popup_ = new QMenu(this);

    const auto action = [this](const char* name, const QString& caption, auto handler) {
        auto* item = new QAction(caption, this);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    const auto tool = [toolBar](QAction* item, const char* name, const QString& text) {
        auto* button = new QAction(text, toolBar);
        button->setObjectName(name);
        connect(button, &QAction::triggered, item, &QAction::trigger);
        toolBar->addAction(button);
    };

    QMenu* company = menuBar->addMenu("&Company");
    QAction* add = action("AddItem", "&Add", [this] { AddCompanyClick(); });
    QAction* edit = action("EditItem", "&Edit", [this] { EditCompanyClick(); });
    QAction* remove = action("DeleteItem", "&Delete", [this] { DeleteCompanyClick(); });
    QAction* setDefault =
        action("SetDefaultItem", "&Set As Default", [this] { SetAsDefaultClick(); });
    QAction* find = action("FindItem", "&Find", [this] { FindClick(); });
    QAction* list = action("ListItem", "Company &List", [this] { CompanyListClick(); });
    QAction* close = action("CloseItem", "&Close", [this] { reject(); });
    for (QMenu* menu : {company, popup_}) {
        menu->addActions({add, edit, remove});
        menu->addSeparator();
        menu->addActions({setDefault, find, list});
        menu->addSeparator();
        menu->addAction(close);
    }

    QMenu* display = menuBar->addMenu("&Display");
    byNumber_ = action("ByNumberItem", "By &Number", [this] { ByNumberClick(); });
    byName_ = action("ByNameItem", "By N&ame", [this] { ByNameClick(); });
    byNumber_->setCheckable(true);
    byName_->setCheckable(true);
    display->addActions({byNumber_, byName_});
    display->addSeparator();
    display->addAction(action("PrintWindowItem", "Print &Window", [this] { PrintWindowClick(); }));

    QMenu* help = menuBar->addMenu("&Help");
    QAction* overview =
        action("OverviewItem", "&Overview", [this] { context_.showHelp("CompanyManager"); });
    help->addAction(overview);

    tool(add, "NewBtn", "New");
    tool(edit, "EditBtn", "Edit");
    tool(remove, "DeleteBtn", "Delete");
    toolBar->addSeparator();
    tool(find, "FindBtn", "Find");
    tool(list, "ListBtn", "Company List");
    toolBar->addSeparator();
    tool(close, "CloseBtn", "Close");
    tool(overview, "HelpBtn", "Help");

    browser_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(browser_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(browser_->mapToGlobal(at)); });

    layout.setMenuBar(menuBar);
    layout.addWidget(toolBar);
}

TListComps::Outcome TListComps::Execute() {
    company::ProgramState& state = context_.state;
    state.companyChanged = false;
    if (!FormShow()) {
        context_.prompts.Message(engine::kProgramCaption, "Unable to open company database",
                                 base::PromptIcon::Error, base::PromptButtons::Ok);
        return Outcome::CannotOpen;
    }
    const bool chosen = exec() == QDialog::Accepted;
    FormClose();
    // A saved change to the current company must reach the main window whichever way the
    // manager was closed.
    return chosen || state.companyChanged ? Outcome::Ok : Outcome::Closed;
}

bool TListComps::FormShow() {
    browser_->SetHeader(QString::fromStdString(company::CompanyBrowserHeader()));
    companyFile_ = std::make_unique<company::CompanyFile>(context_.engine, context_.prompts,
                                                          &context_.statusWindow);
    if (!companyFile_->Open()) {
        companyFile_.reset();
        return false;
    }
    browser_->AttachDataSource(std::make_unique<widgets::TFvcDataSource>(
        context_.engine, companyFile_->file().handle(), keyNumber_, "", "", rowRecord_.bytes()));
    ShowCount();
    byNumber_->setChecked(keyNumber_ == kByNumber);
    byName_->setChecked(keyNumber_ == kByName);

    const records::CompanyRecord& current = context_.state.currentCompany;
    const records::FontSpec font = current.managersFont();
    browser_->setFont(widgets::PrinterCanvas::ToQFont(font.ToChoice()));
    browser_->SetTextColor(widgets::PrinterCanvas::ToQColor(font.color));
    title_->setText(ToRecordText(current.name()));
    if (const auto found = companyFile_->Find(current.number())) PositionOn(found->first);
    browser_->setFocus();
    return true;
}

void TListComps::FormClose() {
    browser_->DetachDataSource();
    companyFile_.reset();  // closes the company file
}

void TListComps::ShowCount() {
    countPanel_->setText(QString("Companies: %1").arg(companyFile_->CompanyCount()));
}

void TListComps::PositionOn(int32_t recordNumber) {
    records::CompanyRecord record;
    if (companyFile_->file().Get(recordNumber, record))
        browser_->PositionAtKey(record.key(keyNumber_), recordNumber);
}

bool TListComps::ReadCurrentRow(int32_t& recordNumber) {
    recordNumber = browser_->CurrentRecordNumber();
    if (recordNumber == 0) return false;
    records::CompanyRecord& selected = context_.state.selectedCompany;
    return companyFile_->file().Get(recordNumber, selected);
}

void TListComps::ReportFailure(const char* text) {
    context_.prompts.Message(engine::kProgramCaption, text, base::PromptIcon::Error,
                             base::PromptButtons::Ok);
}

void TListComps::AddCompanyClick() {
    records::CompanyRecord& selected = context_.state.selectedCompany;
    selected = context_.state.currentCompany;
    selected.SetNewCompanyValues(std::to_string(companyFile_->CompanyCount() + 1));
    const auto numberTaken = [this](const std::string& number) {
        return companyFile_->Find(number).has_value();
    };
    if (!companyOptions_.Execute(TCompSet::Purpose::Add, selected, numberTaken)) return;
    selected.setReceivablesTotal("0.00");
    company::NormaliseCompanyOptions(selected);
    int32_t recordNumber = 0;
    if (!companyFile_->Add(selected, recordNumber)) {
        ReportFailure("Add operation failed");
        return;
    }
    PositionOn(recordNumber);
    ShowCount();
}

void TListComps::EditCompanyClick() {
    int32_t recordNumber = 0;
    if (!ReadCurrentRow(recordNumber) || !checkPassword_()) return;
    records::CompanyRecord& selected = context_.state.selectedCompany;
    const records::CompanyRecord original = selected;
    // The number is shown read-only, so the company's files keep their names.
    if (!companyOptions_.Execute(TCompSet::Purpose::Edit, selected,
                                 [](const std::string&) { return false; })) {
        return;
    }
    company::NormaliseCompanyOptions(selected);
    if (companyFile_->Modify(recordNumber, selected, original) == engine::UpdateOutcome::Failed) {
        ReportFailure("Modify Company failed");
    }
    PositionOn(recordNumber);
}

void TListComps::DeleteCompanyClick() {
    int32_t recordNumber = 0;
    if (!ReadCurrentRow(recordNumber) || !checkPassword_()) return;
    base::PromptService& prompts = context_.prompts;
    const records::CompanyRecord& selected = context_.state.selectedCompany;
    if (selected.code() == context_.state.currentCompany.code()) {
        prompts.Inform("Delete Company",
                       "You are trying to delete the current default company. You need to have "
                       "another company open to delete this one.");
        return;
    }
    if (!prompts.AskYesNo("Please Confirm",
                          "If you delete this company, all invoices and payments will also be "
                          "removed. ALL company data will be deleted! Data for other companies "
                          "will NOT be removed. Continue?")) {
        return;
    }
    if (!companyFile_->Delete(recordNumber, selected)) {
        ReportFailure("Delete operation failed");
        return;
    }
    browser_->Refresh();
    ShowCount();
    company::DeleteCompanyFiles(selected.code(), context_.engine.fileSystem());
}

void TListComps::SetAsDefaultClick() {
    int32_t recordNumber = 0;
    if (ReadCurrentRow(recordNumber)) accept();
}

void TListComps::FvcBrowser1KeyDown(int& key) {
    if (key == Qt::Key_Delete) {
        key = 0;
        DeleteCompanyClick();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        key = 0;
        SetAsDefaultClick();
    }
}

void TListComps::FvcBrowser1KeyPress(QChar& ch) {
    // Keys hold upper-case text, so the incremental search looks for the upper-case letter.
    if (const auto byte = base::CodePointToWin1252(ch.unicode())) {
        ch = QChar(base::Win1252ToCodePoint(
            static_cast<uint8_t>(base::Win1252Upper(static_cast<char>(*byte)))));
    }
}

void TListComps::SetKeyNumber(int keyNumber) {
    keyNumber_ = keyNumber;
    byNumber_->setChecked(keyNumber == kByNumber);
    byName_->setChecked(keyNumber == kByName);
    const int32_t current = browser_->CurrentRecordNumber();
    browser_->SetKeyNumber(keyNumber);
    if (current != 0) PositionOn(current);
}

void TListComps::ByNumberClick() {
    SetKeyNumber(kByNumber);
}

void TListComps::ByNameClick() {
    SetKeyNumber(kByName);
}

std::vector<company::CompanyListEntry> TListComps::ReadCompaniesInOrder(int keyNumber) {
    std::vector<company::CompanyListEntry> companies;
    const engine::ErrorClass outcome =
        companyFile_->file().ForEach(keyNumber, [&](const auto& entry) {
            const records::CompanyRecord& record = entry.record;
            companies.push_back({record.name(), record.number(), record.receivablesTotal()});
        });
    // A list cut short by a damaged index says so rather than passing for the whole list.
    if (outcome != engine::ErrorClass::None)
        ReportFailure(widgets::EngineErrorText(outcome, context_.engine.error()).c_str());
    return companies;
}

void TListComps::CompanyListClick() {
    const base::PromptAnswer answer = context_.prompts.MessageWithDefault(
        "Company List",
        "The companies will be sorted by name. Would you rather sort by company number?",
        base::PromptIcon::Question, base::PromptButtons::YesNoCancel, base::PromptAnswer::No);
    if (answer == base::PromptAnswer::Cancel) return;
    const bool byNumber = answer == base::PromptAnswer::Yes;

    widgets::TStatForm& status = context_.statusWindow;
    status.ShowStatus("Company List");
    status.SetLines("", "Preparing list...", "");
    const std::string report = base::Win1252ToUtf8(company::CompanyListReport(
        ReadCompaniesInOrder(byNumber ? kByNumber : kByName), context_.clock.Now()));
    // The report passes through TXTTEMP.TXT in the data folder, like every list report.
    QFile file(kReportFile);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(report.data(), qint64(report.size())) == qint64(report.size());
    file.close();
    QByteArray text;
    if (written && file.open(QIODevice::ReadOnly)) text = file.readAll();
    file.close();
    QFile::remove(kReportFile);
    status.HideStatus();
    if (!written) {
        ReportFailure("Unable to write the company list to TXTTEMP.TXT.");
        return;
    }
    listWindow_.ShowList(byNumber ? "Company List by Number" : "Company List by Name", "Company",
                         text.toStdString(),
                         context_.state.currentCompany.managersFont().ToChoice());
}

void TListComps::FindClick() {
    if (findBox_.Find(widgets::FindMode::Comp, "Find Company", companyFile_->file().handle()) !=
        QDialog::Accepted) {
        return;
    }
    // The dialog's columns are UTF-8; the number is looked up as record text.
    const auto number = findBox_.SelectedColumn(1);
    const auto recordNumber = number ? base::Utf8ToWin1252(*number) : std::nullopt;
    if (!recordNumber) return;
    if (const auto found = companyFile_->Find(*recordNumber)) PositionOn(found->first);
}

void TListComps::PrintWindowClick() {
    if (!context_.prompts.PrintDialog(kCaption)) return;
    QTemporaryDir folder;
    const QString picture = folder.filePath("window.png");
    if (!grab().toImage().save(picture)) return;
    widgets::PrinterCanvas canvas(context_.printer);
    if (!canvas.BeginDocument(kCaption)) return;
    // Across the page's width, keeping the window's proportions.
    const int width = canvas.PageWidth();
    const int height = width * this->height() / std::max(1, this->width());
    canvas.DrawImage(0, 0, width, height, picture.toStdString());
    canvas.EndDocument();
}

}  // namespace shell::ui
