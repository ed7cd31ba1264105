#include "company/ui/CompanyManager.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "base/Windows1252.h"
#include "company/CompanyList.h"
#include "company/ui/CompanyOptions.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"
#include "widgets/WindowPrint.h"

namespace company::ui {

namespace {

constexpr char kCaption[] = "Company Manager";

}  // namespace

TListComps::TListComps(CompanyManagerServices services, TCompSet& companyOptions,
                       widgets::TFindBox& findBox, widgets::TListWindow& listWindow,
                       std::function<bool()> checkPassword, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      findBox_(findBox),
      listWindow_(listWindow),
      companyFile_(services_.engine, services_.prompts, &services_.statusWindow),
      flow_(companyFile_, services_.engine.fileSystem(), services_.prompts, services_.state,
            services_.clock, std::move(checkPassword)),
      editor_([&companyOptions](company::EditPurpose purpose, records::CompanyRecord& record,
                                const company::CompanyNumberTaken& numberTaken) {
          return companyOptions.Execute(purpose, record, numberTaken);
      }),
      frame_(*this, services_.prompts, "FvcBrowser1"),
      browser_(&frame_.browser()) {
    setObjectName("ListComps");
    setWindowTitle(kCaption);
    setModal(true);

    browser_->OnBuildRow = [this](widgets::TFvcBrowser&, widgets::RowRec& row) {
        row.text = base::Win1252ToUtf8(company::CompanyBrowserRow(
            rowRecord_.name(), rowRecord_.number(), rowRecord_.receivablesTotalAmount()));
    };
    browser_->OnDblClick = [this](widgets::TFvcBrowser&) { SetAsDefaultClick(); };
    frame_.SetListKeys([this] { DeleteCompanyClick(); }, [this] { SetAsDefaultClick(); });
    browser_->OnKeyPress = [this](widgets::TFvcBrowser&, QChar& ch) { FvcBrowser1KeyPress(ch); };
    frame_.hintPanel().setText("Right-click mouse or select from menu bar.");
    BuildCommands();
}

TListComps::~TListComps() = default;

void TListComps::BuildCommands() {
    widgets::ManagerFrame& f = frame_;
    QMenu* company = f.menuBar().addMenu("&Company");
    QAction* add = f.Action("AddItem", "&Add", [this] { AddCompanyClick(); });
    QAction* edit = f.Action("EditItem", "&Edit", [this] { EditCompanyClick(); });
    QAction* remove = f.Action("DeleteItem", "&Delete", [this] { DeleteCompanyClick(); });
    QAction* setDefault =
        f.Action("SetDefaultItem", "&Set As Default", [this] { SetAsDefaultClick(); });
    QAction* find = f.Action("FindItem", "&Find", [this] { FindClick(); });
    QAction* list = f.Action("ListItem", "Company &List", [this] { CompanyListClick(); });
    QAction* close = f.Action("CloseItem", "&Close", [this] { reject(); });
    for (QMenu* menu : {company, &f.popup()}) {
        menu->addActions({add, edit, remove});
        menu->addSeparator();
        menu->addActions({setDefault, find, list});
        menu->addSeparator();
        menu->addAction(close);
    }

    QMenu* display = f.menuBar().addMenu("&Display");
    byNumber_ = f.Action("ByNumberItem", "By &Number", [this] { ByNumberClick(); });
    byName_ = f.Action("ByNameItem", "By N&ame", [this] { ByNameClick(); });
    byNumber_->setCheckable(true);
    byName_->setCheckable(true);
    display->addActions({byNumber_, byName_});
    f.AddPrintWindow(*display, [this] { PrintWindowClick(); });

    QAction* overview = f.AddHelpMenu([this] { services_.showHelp("CompanyManager"); });

    f.AddRecordTools(add, edit, remove, find);
    f.Tool(list, "ListBtn", "Company List");
    f.toolBar().addSeparator();
    f.Tool(close, "CloseBtn", "Close");
    f.Tool(overview, "HelpBtn", "Help");
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
        services_.engine, flow_.fileBlock(), company::KeyNumber(flow_.order()), "", "",
        rowRecord_.bytes()));
    frame_.countPanel().setText(QString::fromStdString(flow_.CountText()));
    byNumber_->setChecked(flow_.order() == company::CompanyOrder::ByNumber);
    byName_->setChecked(flow_.order() == company::CompanyOrder::ByName);

    const records::CompanyRecord& current = services_.state.currentCompany;
    frame_.ShowManagersFont(current.managersFont());
    frame_.title().setText(widgets::ToRecordText(current.name()));
    PositionOn(flow_.StartRow());
    browser_->setFocus();
}

void TListComps::PositionOn(const std::optional<company::ManagerRow>& row) {
    if (row) browser_->PositionAtKey(row->key, row->recordNumber);
}

void TListComps::ShowUpdate(const company::ManagerUpdate& update) {
    if (update.reread) {
        browser_->Refresh();
        frame_.countPanel().setText(QString::fromStdString(flow_.CountText()));
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

void TListComps::FvcBrowser1KeyPress(QChar& ch) {
    ch = widgets::KeyCase(ch);
}

void TListComps::SetOrder(company::ManagerOrder order) {
    flow_.SetOrder(order);
    byNumber_->setChecked(order == company::CompanyOrder::ByNumber);
    byName_->setChecked(order == company::CompanyOrder::ByName);
    const int32_t current = browser_->CurrentRecordNumber();
    browser_->SetKeyNumber(company::KeyNumber(order));
    if (current != 0) PositionOn(flow_.RowOf(current));
}

void TListComps::ByNumberClick() {
    SetOrder(company::CompanyOrder::ByNumber);
}

void TListComps::ByNameClick() {
    SetOrder(company::CompanyOrder::ByName);
}

void TListComps::CompanyListClick() {
    const std::optional<company::ManagerOrder> order = flow_.AskListOrder();
    if (!order) return;
    widgets::TStatForm& status = services_.statusWindow;
    status.ShowStatus("Company List");
    status.SetLines("", "Preparing list...", "");
    const std::optional<company::ManagerReport> report = flow_.ListReport(*order);
    status.HideStatus();
    if (!report) return;
    listWindow_.ShowList(
        QString::fromStdString(report->caption), "Company", base::Win1252ToUtf8(report->text),
        services_.state.currentCompany.managersFont().ToChoice(), base::Win1252ToUtf8(report->csv));
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
    widgets::PrintWindowPicture(*this, services_.printer, services_.prompts, kCaption);
}

}  // namespace company::ui
