#include "shell/ui/CompanyManager.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "base/Windows1252.h"
#include "company/CompanyList.h"
#include "shell/ui/CompanyOptions.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"
#include "widgets/WindowPrint.h"

namespace shell::ui {

namespace {

constexpr char kCaption[] = "Company Manager";

}  // namespace

TListComps::TListComps(WindowContext& context, TCompSet& companyOptions, widgets::TFindBox& findBox,
                       widgets::TListWindow& listWindow, std::function<bool()> checkPassword,
                       QWidget* parent)
    : QDialog(parent),
      context_(context),
      findBox_(findBox),
      listWindow_(listWindow),
      companyFile_(context.engine, context.prompts, &context.statusWindow),
      flow_(companyFile_, context.engine.fileSystem(), context.prompts, context.state,
            context.clock, std::move(checkPassword)),
      editor_([&companyOptions](company::CompanyEditPurpose purpose, records::CompanyRecord& record,
                                const std::function<bool(const std::string&)>& numberTaken) {
          return companyOptions.Execute(purpose, record, numberTaken);
      }) {
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
            rowRecord_.name(), rowRecord_.number(), rowRecord_.receivablesTotalAmount()));
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

company::CompanyManagerResult TListComps::Execute() {
    if (!flow_.Open()) return {company::CompanyManagerResult::Ending::CannotOpen};
    FormShow();
    const bool chosen = exec() == QDialog::Accepted;
    browser_->DetachDataSource();
    return flow_.Close(chosen);
}

void TListComps::FormShow() {
    browser_->SetHeader(QString::fromStdString(company::CompanyBrowserHeader()));
    browser_->AttachDataSource(std::make_unique<widgets::TFvcDataSource>(
        context_.engine, flow_.fileBlock(), static_cast<int>(flow_.order()), "", "",
        rowRecord_.bytes()));
    countPanel_->setText(QString::fromStdString(flow_.CountText()));
    byNumber_->setChecked(flow_.order() == company::CompanyOrder::ByNumber);
    byName_->setChecked(flow_.order() == company::CompanyOrder::ByName);

    const records::CompanyRecord& current = context_.state.currentCompany;
    const records::FontSpec font = current.managersFont();
    browser_->setFont(widgets::PrinterCanvas::ToColumnFont(font.ToChoice()));
    browser_->SetTextColor(widgets::PrinterCanvas::ToQColor(font.color));
    title_->setText(widgets::ToRecordText(current.name()));
    PositionOn(flow_.StartRow());
    browser_->setFocus();
}

void TListComps::PositionOn(const std::optional<company::CompanyRow>& row) {
    if (row) browser_->PositionAtKey(row->key, row->recordNumber);
}

void TListComps::ShowUpdate(const company::CompanyListUpdate& update) {
    if (update.reread) {
        browser_->Refresh();
        countPanel_->setText(QString::fromStdString(flow_.CountText()));
    }
    PositionOn(update.current);
}

void TListComps::AddCompanyClick() {
    ShowUpdate(flow_.Add(editor_));
}

void TListComps::EditCompanyClick() {
    ShowUpdate(flow_.Edit(browser_->CurrentRecordNumber(), editor_));
}

void TListComps::DeleteCompanyClick() {
    ShowUpdate(flow_.Delete(browser_->CurrentRecordNumber()));
}

void TListComps::SetAsDefaultClick() {
    if (flow_.Choose(browser_->CurrentRecordNumber())) accept();
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
    ch = widgets::KeyCase(ch);
}

void TListComps::SetOrder(company::CompanyOrder order) {
    flow_.SetOrder(order);
    byNumber_->setChecked(order == company::CompanyOrder::ByNumber);
    byName_->setChecked(order == company::CompanyOrder::ByName);
    const int32_t current = browser_->CurrentRecordNumber();
    browser_->SetKeyNumber(static_cast<int>(order));
    if (current != 0) PositionOn(flow_.RowOf(current));
}

void TListComps::ByNumberClick() {
    SetOrder(company::CompanyOrder::ByNumber);
}

void TListComps::ByNameClick() {
    SetOrder(company::CompanyOrder::ByName);
}

void TListComps::CompanyListClick() {
    const std::optional<company::CompanyOrder> order = flow_.AskListOrder();
    if (!order) return;
    widgets::TStatForm& status = context_.statusWindow;
    status.ShowStatus("Company List");
    status.SetLines("", "Preparing list...", "");
    const std::optional<company::CompanyReport> report = flow_.ListReport(*order);
    status.HideStatus();
    if (!report) return;
    listWindow_.ShowList(
        QString::fromStdString(report->caption), "Company", base::Win1252ToUtf8(report->text),
        context_.state.currentCompany.managersFont().ToChoice(), base::Win1252ToUtf8(report->csv));
}

void TListComps::FindClick() {
    if (findBox_.Find(records::RecordKind::Company, "Find Company", flow_.fileBlock()) !=
        QDialog::Accepted) {
        return;
    }
    // The dialog's columns are UTF-8; the number is looked up as record text.
    const auto number = findBox_.SelectedColumn(1);
    const auto recordText = number ? base::Utf8ToWin1252(*number) : std::nullopt;
    if (recordText) PositionOn(flow_.RowOfNumber(*recordText));
}

void TListComps::PrintWindowClick() {
    widgets::PrintWindowPicture(*this, context_.printer, context_.prompts, kCaption);
}

}  // namespace shell::ui
